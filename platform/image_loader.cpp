#include <windows.h>
#include <gdiplus.h>

#include "platform/aygshell.h"

// The handheld's shell decodes pictures itself; here GDI+ does it. Its
// bitmaps carry an alpha byte of 0xFF, which makes colour keys (magenta)
// fail wherever all 32 bits are compared, so the pixels are handed over in a
// 24-bit bitmap instead.

namespace {

bool StartGdiplus()
{
    // Started once and left running: pictures are loaded for the whole run.
    static bool started = false;
    if (!started) {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }
    return started;
}

// A bottom-up 24-bit bitmap with the picture's rows, top row last.
HBITMAP CopyTo24BitBitmap(const Gdiplus::BitmapData& data)
{
    int width = (int)data.Width;
    int height = (int)data.Height;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    int rowBytes = width * 3;
    int stride = (rowBytes + 3) & ~3;
    for (int row = 0; row < height; ++row) {
        const BYTE* from = (const BYTE*)data.Scan0 + (INT_PTR)row * data.Stride;
        BYTE* to = (BYTE*)bits + (INT_PTR)(height - 1 - row) * stride;
        CopyMemory(to, from, rowBytes);
    }
    return bitmap;
}

}

HBITMAP SHLoadImageFile(LPCTSTR fileName)
{
    if (!fileName || !StartGdiplus())
        return nullptr;
    Gdiplus::GpBitmap* picture = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(fileName, &picture) != Gdiplus::Ok)
        return nullptr;
    HBITMAP bitmap = nullptr;
    UINT width = 0, height = 0;
    Gdiplus::DllExports::GdipGetImageWidth(picture, &width);
    Gdiplus::DllExports::GdipGetImageHeight(picture, &height);
    Gdiplus::GpRect whole(0, 0, (INT)width, (INT)height);
    Gdiplus::BitmapData data = {};
    if (width > 0 && height > 0 &&
        Gdiplus::DllExports::GdipBitmapLockBits(picture, &whole, Gdiplus::ImageLockModeRead,
                                                PixelFormat24bppRGB, &data) == Gdiplus::Ok) {
        bitmap = CopyTo24BitBitmap(data);
        Gdiplus::DllExports::GdipBitmapUnlockBits(picture, &data);
    }
    Gdiplus::DllExports::GdipDisposeImage(picture);
    return bitmap;
}
