#ifndef QUILLEX_PLATFORM_PNG_SCANLINES_H
#define QUILLEX_PLATFORM_PNG_SCANLINES_H

#include <stddef.h>
#include <stdint.h>

// The rows of a PNG picture once inflated: filter bytes, samples, and the
// seven interlace passes.

enum PngColourType {
    kPngGrey = 0,
    kPngRgb = 2,
    kPngPalette = 3,
    kPngGreyAlpha = 4,
    kPngRgba = 6,
};

// How the picture's samples are laid out, from its header, already checked
// (PngFormatIsValid).
struct PngFormat {
    uint32_t width;
    uint32_t height;
    int depth;        // bits per sample
    int colourType;   // PngColourType
    bool interlaced;
};

struct PngPalette {
    uint8_t rgb[256][3];
    int count;
};

// Limits a picture must keep to be decoded, far beyond what the handheld shows.
const uint32_t kPngMaxSide = 16384;
const uint64_t kPngMaxPixels = 64u * 1024 * 1024;

// A known colour type and depth, and a size within the limits.
bool PngFormatIsValid(const PngFormat& format);

// Bytes of the inflated picture data, filter bytes included.
size_t PngDataSize(const PngFormat& format);

// Undoes the filters of `data` (PngDataSize bytes, changed in place) and
// writes the picture into the rows of a 24-bit bottom-up bitmap of its size,
// `stride` bytes apart. Alpha and transparency are left out; a palette index
// the palette lacks gives black. False for an unknown filter.
bool PngDataToBgr(const PngFormat& format, const PngPalette& palette, uint8_t* data,
                  uint8_t* bits, size_t stride);

#endif
