#ifndef QUILLEX_PLATFORM_BGR_BITMAP_H
#define QUILLEX_PLATFORM_BGR_BITMAP_H

#include <windows.h>

// The form every decoded picture is handed over in: a 24-bit bottom-up DIB
// section. With no alpha byte, colour keys (magenta) compare colour only.

// Bytes from one row of such a bitmap to the next.
size_t BgrRowStride(int width);

// A new bitmap of that size and its rows (bottom row first) in `bits`; null
// when it cannot be made.
HBITMAP CreateBgrBitmap(int width, int height, BYTE** bits);

#endif
