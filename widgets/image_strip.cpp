#include "widgets/image_strip.h"

#include <limits.h>
#include <string.h>

#include "platform/aygshell.h"
#include "platform/bgr_bitmap.h"

namespace {

const COLORREF kDefaultKey = RGB(254, 0, 254);

// The screen's device context, given back on scope exit.
class ScreenContext {
public:
    ScreenContext() : dc(GetDC(nullptr)) {}
    ~ScreenContext() { ReleaseDC(nullptr, dc); }
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;
    HDC dc;
};

}

CImageStrip::CImageStrip()
    : bitmap(nullptr), dc(nullptr), previousBitmap(nullptr), bits(nullptr), width(0), height(0),
      keyColour(kDefaultKey), clearMode(0)
{
}

CImageStrip::~CImageStrip()
{
    Release();
}

bool CImageStrip::Create(int newWidth, int newHeight)
{
    Release();
    clearMode = 0;
    width = newWidth;
    height = newHeight;

    BITMAPINFO info = RgbBitmapInfo(newWidth, newHeight, 32);
    info.bmiHeader.biSizeImage = (DWORD)newWidth * (DWORD)newHeight * 4;

    ScreenContext screen;
    dc = CreateCompatibleDC(screen.dc);
    void* memory = nullptr;
    if (dc && newWidth > 0 && newHeight > 0)
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (!bitmap) {
        // Nothing to hold: leave the strip empty rather than half made.
        if (dc)
            DeleteDC(dc);
        dc = nullptr;
        width = 0;
        height = 0;
        return false;
    }
    previousBitmap = (HBITMAP)SelectObject(dc, bitmap);
    bits = (BYTE*)memory;
    return true;
}

void CImageStrip::Clear(int mode, BYTE alpha)
{
    if (!bits)
        return;
    if (mode == -1)
        mode = clearMode;
    // Drawing calls may still be queued for the bitmap.
    GdiFlush();
    size_t count = (size_t)width * (size_t)height;
    if (mode == 1) {
        memset(bits, 0, count * 4);
        return;
    }
    BYTE pixel[4] = { GetBValue(keyColour), GetGValue(keyColour), GetRValue(keyColour), alpha };
    for (size_t i = 0; i < count; ++i)
        memcpy(bits + i * 4, pixel, 4);
}

bool CImageStrip::LoadFromFile(const wchar_t* path)
{
    HBITMAP loaded = SHLoadImageFile(path);
    bool made = CopyBand(loaded, 0, INT_MAX);
    if (loaded)
        DeleteObject(loaded);
    return made;
}

bool CImageStrip::CopyBand(HBITMAP picture, int left, int bandWidth)
{
    Release();
    BITMAP size = {};
    if (!picture || !GetObjectW(picture, sizeof(size), &size) || left < 0 ||
        left >= size.bmWidth || bandWidth <= 0)
        return false;
    if (bandWidth > size.bmWidth - left)
        bandWidth = size.bmWidth - left;
    if (!Create(bandWidth, size.bmHeight))
        return false;
    ScreenContext screen;
    HDC from = CreateCompatibleDC(screen.dc);
    HGDIOBJ previous = SelectObject(from, picture);
    BitBlt(dc, 0, 0, width, height, from, left, 0, SRCCOPY);
    SelectObject(from, previous);
    DeleteDC(from);
    return true;
}

void CImageStrip::Draw(HDC target, int targetX, int targetY, int sourceX, int sourceY,
                       int drawWidth, int drawHeight) const
{
    if (!bits)
        return;
    // Only what lies on the surface is drawn, at the place it would have had.
    if (sourceX < 0) {
        targetX -= sourceX;
        drawWidth += sourceX;
        sourceX = 0;
    }
    if (sourceY < 0) {
        targetY -= sourceY;
        drawHeight += sourceY;
        sourceY = 0;
    }
    if (drawWidth > width - sourceX)
        drawWidth = width - sourceX;
    if (drawHeight > height - sourceY)
        drawHeight = height - sourceY;
    if (drawWidth <= 0 || drawHeight <= 0)
        return;
    TransparentImage(target, targetX, targetY, drawWidth, drawHeight, dc, sourceX, sourceY,
                     drawWidth, drawHeight, keyColour);
}

void CImageStrip::Release()
{
    if (!bits)
        return;
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    bitmap = nullptr;
    dc = nullptr;
    previousBitmap = nullptr;
    bits = nullptr;
    width = 0;
    height = 0;
}
