#include "platform/png_scanlines.h"

#include <stdlib.h>
#include <string.h>

namespace {

struct Pass {
    uint32_t left, top, stepX, stepY;
};

const Pass kWhole[1] = { { 0, 0, 1, 1 } };
const Pass kAdam7[7] = { { 0, 0, 8, 8 }, { 4, 0, 8, 8 }, { 0, 4, 4, 8 }, { 2, 0, 4, 4 },
                         { 0, 2, 2, 4 }, { 1, 0, 2, 2 }, { 0, 1, 1, 2 } };

int PassCount(const PngFormat& format)
{
    return format.interlaced ? 7 : 1;
}

const Pass& PassOf(const PngFormat& format, int index)
{
    return format.interlaced ? kAdam7[index] : kWhole[0];
}

uint32_t Cover(uint32_t size, uint32_t start, uint32_t step)
{
    return size > start ? (size - start + step - 1) / step : 0;
}

int Channels(int colourType)
{
    switch (colourType) {
    case kPngRgb: return 3;
    case kPngGreyAlpha: return 2;
    case kPngRgba: return 4;
    default: return 1;
    }
}

int BitsPerPixel(const PngFormat& format)
{
    return Channels(format.colourType) * format.depth;
}

// Bytes of a row of `pixels`, its filter byte left out.
size_t RowBytes(const PngFormat& format, uint32_t pixels)
{
    return ((size_t)pixels * (size_t)BitsPerPixel(format) + 7) / 8;
}

uint8_t Paeth(uint8_t left, uint8_t up, uint8_t upLeft)
{
    int guess = left + up - upLeft;
    int toLeft = abs(guess - left);
    int toUp = abs(guess - up);
    int toUpLeft = abs(guess - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return left;
    return toUp <= toUpLeft ? up : upLeft;
}

// `previous` is null for a pass's first row, which has zeros above it.
bool Unfilter(int filter, uint8_t* row, const uint8_t* previous, size_t bytes, size_t step)
{
    for (size_t i = 0; i < bytes; ++i) {
        uint8_t left = i >= step ? row[i - step] : 0;
        uint8_t up = previous ? previous[i] : 0;
        uint8_t upLeft = previous && i >= step ? previous[i - step] : 0;
        switch (filter) {
        case 0: break;
        case 1: row[i] = (uint8_t)(row[i] + left); break;
        case 2: row[i] = (uint8_t)(row[i] + up); break;
        case 3: row[i] = (uint8_t)(row[i] + (left + up) / 2); break;
        case 4: row[i] = (uint8_t)(row[i] + Paeth(left, up, upLeft)); break;
        default: return false;
        }
    }
    return true;
}

// Sample `index` of a row, brought to eight bits the way GDI+ does it:
// sixteen-bit samples keep their high byte, small grey ones are stretched
// to the full range; palette indexes are left as they are.
unsigned Sample(const uint8_t* row, size_t index, int depth, bool stretch)
{
    if (depth == 8)
        return row[index];
    if (depth == 16)
        return row[index * 2];
    size_t bit = index * (size_t)depth;
    unsigned mask = (1u << depth) - 1;
    unsigned value = (row[bit / 8] >> (8 - depth - (int)(bit % 8))) & mask;
    return stretch ? value * 255 / mask : value;
}

void PutRow(const PngFormat& format, const PngPalette& palette, const uint8_t* row,
            uint32_t pixels, uint8_t* out, size_t step)
{
    int channels = Channels(format.colourType);
    bool colour = format.colourType == kPngRgb || format.colourType == kPngRgba;
    for (uint32_t x = 0; x < pixels; ++x, out += step) {
        size_t first = (size_t)x * (size_t)channels;
        if (format.colourType == kPngPalette) {
            unsigned index = Sample(row, first, format.depth, false);
            static const uint8_t kBlack[3] = {};
            const uint8_t* rgb = index < (unsigned)palette.count ? palette.rgb[index] : kBlack;
            out[0] = rgb[2];
            out[1] = rgb[1];
            out[2] = rgb[0];
        } else if (colour) {
            out[2] = (uint8_t)Sample(row, first, format.depth, true);
            out[1] = (uint8_t)Sample(row, first + 1, format.depth, true);
            out[0] = (uint8_t)Sample(row, first + 2, format.depth, true);
        } else {
            out[0] = out[1] = out[2] = (uint8_t)Sample(row, first, format.depth, true);
        }
    }
}

}

bool PngFormatIsValid(const PngFormat& format)
{
    int depth = format.depth;
    bool depthFits;
    switch (format.colourType) {
    case kPngGrey: depthFits = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16; break;
    case kPngPalette: depthFits = depth == 1 || depth == 2 || depth == 4 || depth == 8; break;
    case kPngRgb:
    case kPngGreyAlpha:
    case kPngRgba: depthFits = depth == 8 || depth == 16; break;
    default: depthFits = false; break;
    }
    return depthFits && format.width > 0 && format.height > 0 && format.width <= kPngMaxSide &&
           format.height <= kPngMaxSide &&
           (uint64_t)format.width * format.height <= kPngMaxPixels;
}

size_t PngDataSize(const PngFormat& format)
{
    // Within the limits this stays far below what size_t holds.
    size_t total = 0;
    for (int p = 0; p < PassCount(format); ++p) {
        const Pass& pass = PassOf(format, p);
        uint32_t width = Cover(format.width, pass.left, pass.stepX);
        uint32_t height = Cover(format.height, pass.top, pass.stepY);
        if (width && height)
            total += (1 + RowBytes(format, width)) * height;
    }
    return total;
}

bool PngDataToBgr(const PngFormat& format, const PngPalette& palette, uint8_t* data,
                  uint8_t* bits, size_t stride)
{
    size_t pixelBytes = (size_t)(BitsPerPixel(format) + 7) / 8;
    for (int p = 0; p < PassCount(format); ++p) {
        const Pass& pass = PassOf(format, p);
        uint32_t width = Cover(format.width, pass.left, pass.stepX);
        uint32_t height = Cover(format.height, pass.top, pass.stepY);
        if (!width || !height)
            continue;
        size_t bytes = RowBytes(format, width);
        const uint8_t* previous = nullptr;
        for (uint32_t y = 0; y < height; ++y) {
            uint8_t* row = data + 1;
            if (!Unfilter(data[0], row, previous, bytes, pixelBytes))
                return false;
            uint32_t top = pass.top + y * pass.stepY;
            uint8_t* out = bits + (size_t)(format.height - 1 - top) * stride + pass.left * 3;
            PutRow(format, palette, row, width, out, pass.stepX * 3);
            previous = row;
            data += 1 + bytes;
        }
    }
    return true;
}
