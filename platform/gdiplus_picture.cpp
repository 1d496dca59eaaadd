#include "platform/gdiplus_picture.h"

#include <gdiplus.h>

#include "platform/bgr_bitmap.h"

// Only the pictures our own decoders do not read (JPEG, GIF, TIFF...) come
// here. GDI+'s bitmaps carry an alpha byte of 0xFF, which makes colour keys
// fail wherever all 32 bits are compared, so its pixels are copied into a
// 24-bit bitmap.

namespace {

namespace Flat = Gdiplus::DllExports;

struct GdiplusCalls {
    decltype(&Gdiplus::GdiplusStartup) startup;
    decltype(&Flat::GdipCreateBitmapFromFile) createFromFile;
    decltype(&Flat::GdipGetImageWidth) width;
    decltype(&Flat::GdipGetImageHeight) height;
    decltype(&Flat::GdipBitmapLockBits) lockBits;
    decltype(&Flat::GdipBitmapUnlockBits) unlockBits;
    decltype(&Flat::GdipDisposeImage) dispose;
};

template <typename Call> bool Find(HMODULE library, const char* name, Call* call)
{
    *call = (Call)(void*)GetProcAddress(library, name);
    return *call != nullptr;
}

// Loaded and started once and left running: null when GDI+ is missing.
const GdiplusCalls* LoadedGdiplus()
{
    static GdiplusCalls calls;
    static int state = 0;   // 0 not tried, 1 ready, -1 unavailable
    if (state != 0)
        return state > 0 ? &calls : nullptr;
    state = -1;
    HMODULE library = LoadLibraryW(L"gdiplus.dll");
    if (!library || !Find(library, "GdiplusStartup", &calls.startup) ||
        !Find(library, "GdipCreateBitmapFromFile", &calls.createFromFile) ||
        !Find(library, "GdipGetImageWidth", &calls.width) ||
        !Find(library, "GdipGetImageHeight", &calls.height) ||
        !Find(library, "GdipBitmapLockBits", &calls.lockBits) ||
        !Find(library, "GdipBitmapUnlockBits", &calls.unlockBits) ||
        !Find(library, "GdipDisposeImage", &calls.dispose))
        return nullptr;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (calls.startup(&token, &input, nullptr) != Gdiplus::Ok)
        return nullptr;
    state = 1;
    return &calls;
}

HBITMAP CopyTo24BitBitmap(const Gdiplus::BitmapData& data)
{
    int width = (int)data.Width;
    int height = (int)data.Height;
    BYTE* bits = nullptr;
    HBITMAP bitmap = CreateBgrBitmap(width, height, &bits);
    if (!bitmap)
        return nullptr;
    size_t stride = BgrRowStride(width);
    for (int row = 0; row < height; ++row) {
        const BYTE* from = (const BYTE*)data.Scan0 + (INT_PTR)row * data.Stride;
        CopyMemory(bits + (size_t)(height - 1 - row) * stride, from, (size_t)width * 3);
    }
    return bitmap;
}

}

HBITMAP LoadPictureThroughGdiplus(const wchar_t* fileName)
{
    const GdiplusCalls* gdiplus = LoadedGdiplus();
    if (!fileName || !gdiplus)
        return nullptr;
    Gdiplus::GpBitmap* picture = nullptr;
    if (gdiplus->createFromFile(fileName, &picture) != Gdiplus::Ok)
        return nullptr;
    HBITMAP bitmap = nullptr;
    UINT width = 0, height = 0;
    gdiplus->width(picture, &width);
    gdiplus->height(picture, &height);
    Gdiplus::GpRect whole(0, 0, (INT)width, (INT)height);
    Gdiplus::BitmapData data = {};
    if (width > 0 && height > 0 &&
        gdiplus->lockBits(picture, &whole, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB,
                          &data) == Gdiplus::Ok) {
        bitmap = CopyTo24BitBitmap(data);
        gdiplus->unlockBits(picture, &data);
    }
    gdiplus->dispose(picture);
    return bitmap;
}
