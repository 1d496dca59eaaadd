#ifndef QUILLEX_PLATFORM_BGR_BITMAP_H
#define QUILLEX_PLATFORM_BGR_BITMAP_H

#include <windows.h>

// The form every decoded picture is handed over in: a 24-bit bottom-up DIB
// section. With no alpha byte, colour keys (magenta) compare colour only.

// The header of an uncompressed bitmap of that size and depth: bottom-up,
// or top-down for a negative height.
BITMAPINFO RgbBitmapInfo(int width, int height, WORD bitCount);

// Bytes from one row of such a bitmap to the next.
size_t BgrRowStride(int width);

// A new bitmap of that size and its rows (bottom row first) in `bits`; null
// when it cannot be made.
HBITMAP CreateBgrBitmap(int width, int height, BYTE** bits);

#endif
