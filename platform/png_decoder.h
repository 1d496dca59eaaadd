#ifndef QUILLEX_PLATFORM_PNG_DECODER_H
#define QUILLEX_PLATFORM_PNG_DECODER_H

#include <windows.h>

// Whether `file` starts like a PNG file.
bool HasPngSignature(const BYTE* file, size_t size);

// Decodes a whole PNG file held in memory into a new 24-bit bottom-up bitmap
// that the caller deletes (see bgr_bitmap.h). Null for a file that is
// damaged, cut short, or too large (png_scanlines.h); the file is never read
// past its end.
HBITMAP DecodePng(const BYTE* file, size_t size);

#endif
