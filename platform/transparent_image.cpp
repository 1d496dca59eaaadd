#include <windows.h>

#include "platform/bgr_bitmap.h"
#include "platform/ce_gdi.h"

// Desktop GDI has TransparentBlt, but under Wine it compares all 32 bits of a
// pixel, alpha byte included, so a magenta key with any alpha stays opaque.
// Here the key is found by colour alone in our own copy of the source, and
// the picture goes onto the target with two raster operations: the mask
// clears the opaque places, the picture (black where transparent) is ORed
// in. The target is never read back, so it may be any device context.

namespace {

// A top-down 32-bit scratch bitmap in a memory context, released on scope exit.
class ScratchSurface {
public:
    ScratchSurface(HDC compatible, int width, int height) : dc(CreateCompatibleDC(compatible))
    {
        BITMAPINFO info = RgbBitmapInfo(width, -height, 32);
        void* memory = nullptr;
        if (dc)
            bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        if (bitmap) {
            previous = (HBITMAP)SelectObject(dc, bitmap);
            pixels = (DWORD*)memory;
        }
    }
    ~ScratchSurface()
    {
        if (bitmap) {
            SelectObject(dc, previous);
            DeleteObject(bitmap);
        }
        if (dc)
            DeleteDC(dc);
    }
    ScratchSurface(const ScratchSurface&) = delete;
    ScratchSurface& operator=(const ScratchSurface&) = delete;

    HDC dc;
    HBITMAP bitmap = nullptr;
    HBITMAP previous = nullptr;
    DWORD* pixels = nullptr;
};

// The source as a device context: a context is used as it is, a bitmap is
// selected into a context of our own for the call.
class SourceContext {
public:
    SourceContext(HANDLE source, HDC compatible)
    {
        DWORD type = GetObjectType(source);
        if (type == OBJ_DC || type == OBJ_MEMDC) {
            dc = (HDC)source;
        } else if (type == OBJ_BITMAP) {
            own = CreateCompatibleDC(compatible);
            if (own) {
                previous = SelectObject(own, source);
                dc = own;
            }
        }
    }
    ~SourceContext()
    {
        if (own) {
            SelectObject(own, previous);
            DeleteDC(own);
        }
    }
    SourceContext(const SourceContext&) = delete;
    SourceContext& operator=(const SourceContext&) = delete;

    HDC dc = nullptr;

private:
    HDC own = nullptr;
    HGDIOBJ previous = nullptr;
};

}

BOOL TransparentImage(HDC target, LONG targetX, LONG targetY, LONG targetWidth,
                      LONG targetHeight, HANDLE source, LONG sourceX, LONG sourceY,
                      LONG sourceWidth, LONG sourceHeight, COLORREF transparent)
{
    if (!target || targetWidth <= 0 || targetHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return FALSE;
    SourceContext from(source, target);
    if (!from.dc)
        return FALSE;
    ScratchSurface picture(target, targetWidth, targetHeight);
    ScratchSurface mask(target, targetWidth, targetHeight);
    if (!picture.pixels || !mask.pixels)
        return FALSE;

    BOOL copied;
    if (targetWidth == sourceWidth && targetHeight == sourceHeight) {
        copied = BitBlt(picture.dc, 0, 0, targetWidth, targetHeight, from.dc, sourceX, sourceY,
                        SRCCOPY);
    } else {
        SetStretchBltMode(picture.dc, COLORONCOLOR);
        copied = StretchBlt(picture.dc, 0, 0, targetWidth, targetHeight, from.dc, sourceX, sourceY,
                            sourceWidth, sourceHeight, SRCCOPY);
    }
    if (!copied)
        return FALSE;
    GdiFlush();

    // Pixels in memory are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    DWORD key = (GetRValue(transparent) << 16) | (GetGValue(transparent) << 8) |
                GetBValue(transparent);
    size_t count = (size_t)targetWidth * (size_t)targetHeight;
    for (size_t i = 0; i < count; ++i) {
        DWORD colour = picture.pixels[i] & 0x00FFFFFF;
        if (colour == key) {
            picture.pixels[i] = 0;
            mask.pixels[i] = 0xFFFFFFFF;
        } else {
            picture.pixels[i] = colour;
            mask.pixels[i] = 0;
        }
    }
    return BitBlt(target, targetX, targetY, targetWidth, targetHeight, mask.dc, 0, 0, SRCAND) &&
           BitBlt(target, targetX, targetY, targetWidth, targetHeight, picture.dc, 0, 0, SRCPAINT);
}
