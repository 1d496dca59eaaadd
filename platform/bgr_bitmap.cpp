#include "platform/bgr_bitmap.h"

BITMAPINFO RgbBitmapInfo(int width, int height, WORD bitCount)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

size_t BgrRowStride(int width)
{
    return ((size_t)width * 3 + 3) & ~(size_t)3;
}

HBITMAP CreateBgrBitmap(int width, int height, BYTE** bits)
{
    *bits = nullptr;
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO info = RgbBitmapInfo(width, height, 24);
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (!bitmap || !memory) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    *bits = (BYTE*)memory;
    return bitmap;
}
