#include "platform/bgr_bitmap.h"

size_t BgrRowStride(int width)
{
    return ((size_t)width * 3 + 3) & ~(size_t)3;
}

HBITMAP CreateBgrBitmap(int width, int height, BYTE** bits)
{
    *bits = nullptr;
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;   // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
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
