#ifndef QUILLEX_PLATFORM_CE_GDI_H
#define QUILLEX_PLATFORM_CE_GDI_H

// Windows CE drawing calls that desktop GDI lacks.

#include <windows.h>

// Copies a rectangle of `source` (a device context or a bitmap) to `target`,
// stretched to the target size when the sizes differ, leaving out every
// source pixel whose red, green and blue equal `transparent`. Only colour is
// compared: the fourth byte of 32-bit pixels (alpha, or garbage) never stops
// a key pixel from being transparent, and target pixels under key pixels are
// left exactly as they were.
BOOL TransparentImage(HDC target, LONG targetX, LONG targetY, LONG targetWidth,
                      LONG targetHeight, HANDLE source, LONG sourceX, LONG sourceY,
                      LONG sourceWidth, LONG sourceHeight, COLORREF transparent);

#endif
