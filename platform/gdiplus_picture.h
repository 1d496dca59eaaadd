#ifndef QUILLEX_PLATFORM_GDIPLUS_PICTURE_H
#define QUILLEX_PLATFORM_GDIPLUS_PICTURE_H

#include <windows.h>

// Decodes a picture file through GDI+ into a new 24-bit bottom-up bitmap
// (see bgr_bitmap.h); null when GDI+ cannot read it or is not there. GDI+ is
// loaded on the first call, so a run that never needs it never pays for it.
HBITMAP LoadPictureThroughGdiplus(const wchar_t* fileName);

#endif
