#ifndef QUILLEX_WIDGETS_IMAGE_STRIP_H
#define QUILLEX_WIDGETS_IMAGE_STRIP_H

#include "platform/pocketpc.h"

// The program's off-screen surface: a bottom-up 32-bit bitmap selected into a
// memory context of its own, with its pixel memory at hand and a key colour
// that drawing leaves out. Pixels are blue, green, red and a fourth byte;
// the first row in memory is the bottom row of the image.
class CImageStrip {
public:
    CImageStrip();
    ~CImageStrip();

    // A new surface of that size in place of any old one; the pixels are not
    // cleared. False (and an empty strip) when it cannot be made.
    bool Create(int newWidth, int newHeight);

    // Mode 1 zeroes every byte; any other mode writes `keyColour` with
    // `alpha` as fourth byte into every pixel; -1 uses `clearMode`.
    void Clear(int mode, BYTE alpha);

    // The picture in the file in place of any old surface; `keyColour` is
    // left to the caller. False (and an empty strip) when it cannot be read.
    bool LoadFromFile(const wchar_t* path);

    // Columns `left` to `left + bandWidth` of `picture` (clipped to it) in
    // place of any old surface; `keyColour` is left to the caller. False
    // (and an empty strip) when nothing of it is left or it cannot be made.
    bool CopyBand(HBITMAP picture, int left, int bandWidth);

    // Copies the rectangle 1:1 to the target, leaving out key pixels. The
    // part of the rectangle outside the surface is not drawn.
    void Draw(HDC target, int targetX, int targetY, int sourceX, int sourceY, int drawWidth,
              int drawHeight) const;

    void Release();

    bool IsEmpty() const { return bits == nullptr; }

    HBITMAP bitmap;
    HDC dc;
    HBITMAP previousBitmap;
    BYTE* bits;
    int width;
    int height;
    COLORREF keyColour;
    BYTE clearMode;

    CImageStrip(const CImageStrip&) = delete;
    CImageStrip& operator=(const CImageStrip&) = delete;
};

#endif
