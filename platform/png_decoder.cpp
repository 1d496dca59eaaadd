#include "platform/png_decoder.h"

#include <string.h>

#include "platform/bgr_bitmap.h"
#include "platform/inflate.h"
#include "platform/page_buffer.h"
#include "platform/png_scanlines.h"

// The CRCs of the chunks the picture is made of are checked, as GDI+ checks
// them: a file it refuses as damaged is refused here too. Other chunks are
// skipped unread.

namespace {

const BYTE kSignature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };

uint32_t BigEndian(const BYTE* at)
{
    return (uint32_t)at[0] << 24 | (uint32_t)at[1] << 16 | (uint32_t)at[2] << 8 | at[3];
}

uint32_t Crc(const BYTE* data, size_t size)
{
    static uint32_t table[256];
    static bool made = false;
    if (!made) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        made = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

struct Chunk {
    const BYTE* type;
    const BYTE* data;
    uint32_t length;
};

bool Is(const Chunk& chunk, const char* type)
{
    return memcmp(chunk.type, type, 4) == 0;
}

bool IsCritical(const Chunk& chunk)
{
    return (chunk.type[0] & 0x20) == 0;
}

// Walks the chunks of a file whose signature has been checked.
class ChunkReader {
public:
    ChunkReader(const BYTE* file, size_t size, bool checkCrc)
        : file(file), size(size), at(sizeof(kSignature)), checkCrc(checkCrc)
    {
    }

    // False at the end of the file or at a chunk that runs past it or (when
    // checked) whose CRC does not match.
    bool Next(Chunk* chunk)
    {
        if (size - at < 12)
            return false;
        uint32_t length = BigEndian(file + at);
        if (length > size - at - 12)
            return false;
        chunk->type = file + at + 4;
        chunk->data = file + at + 8;
        chunk->length = length;
        const BYTE* crc = chunk->data + length;
        at += 12 + (size_t)length;
        return !checkCrc || !IsCritical(*chunk) ||
               Crc(chunk->type, 4 + (size_t)length) == BigEndian(crc);
    }

private:
    const BYTE* file;
    size_t size;
    size_t at;
    bool checkCrc;
};

bool ReadHeader(const Chunk& chunk, PngFormat* format)
{
    if (!Is(chunk, "IHDR") || chunk.length != 13)
        return false;
    const BYTE* at = chunk.data;
    format->width = BigEndian(at);
    format->height = BigEndian(at + 4);
    format->depth = at[8];
    format->colourType = at[9];
    bool knownMethods = at[10] == 0 && at[11] == 0 && at[12] <= 1;
    format->interlaced = at[12] == 1;
    return knownMethods && PngFormatIsValid(*format);
}

bool ReadPalette(const Chunk& chunk, PngPalette* palette)
{
    if (chunk.length == 0 || chunk.length % 3 != 0 || chunk.length / 3 > 256)
        return false;
    palette->count = (int)(chunk.length / 3);
    memcpy(palette->rgb, chunk.data, chunk.length);
    return true;
}

// The `total` bytes of all IDAT chunks, one after the other, from a file
// whose structure has been read.
bool GatherData(const BYTE* file, size_t size, size_t total, PageBuffer* data)
{
    if (!data->Allocate(total))
        return false;
    size_t at = 0;
    ChunkReader reader(file, size, false);
    Chunk chunk;
    while (reader.Next(&chunk) && !Is(chunk, "IEND")) {
        if (Is(chunk, "IDAT")) {
            memcpy(data->data + at, chunk.data, chunk.length);
            at += chunk.length;
        }
    }
    return true;
}

// The header, the palette and the size of the picture data; false for a
// damaged or unknown chunk before the end, or a palette picture without its
// palette.
bool ReadStructure(const BYTE* file, size_t size, PngFormat* format, PngPalette* palette,
                   size_t* dataSize)
{
    ChunkReader reader(file, size, true);
    Chunk chunk;
    if (!reader.Next(&chunk) || !ReadHeader(chunk, format))
        return false;
    palette->count = 0;
    *dataSize = 0;
    for (;;) {
        if (!reader.Next(&chunk))
            return false;
        if (Is(chunk, "IEND"))
            break;
        if (Is(chunk, "PLTE")) {
            if (!ReadPalette(chunk, palette))
                return false;
        } else if (Is(chunk, "IDAT")) {
            *dataSize += chunk.length;
        } else if (IsCritical(chunk)) {
            return false;
        }
    }
    return format->colourType != kPngPalette || palette->count > 0;
}

}

bool HasPngSignature(const BYTE* file, size_t size)
{
    return file && size >= sizeof(kSignature) && memcmp(file, kSignature, sizeof(kSignature)) == 0;
}

HBITMAP DecodePng(const BYTE* file, size_t size)
{
    PngFormat format = {};
    PngPalette palette;
    size_t compressedSize = 0;
    if (!HasPngSignature(file, size) ||
        !ReadStructure(file, size, &format, &palette, &compressedSize))
        return nullptr;
    PageBuffer compressed, data;
    if (!GatherData(file, size, compressedSize, &compressed) || !data.Allocate(PngDataSize(format)) ||
        !InflateZlib(compressed.data, compressed.size, data.data, data.size))
        return nullptr;
    compressed.Release();
    BYTE* bits = nullptr;
    HBITMAP bitmap = CreateBgrBitmap((int)format.width, (int)format.height, &bits);
    if (bitmap && !PngDataToBgr(format, palette, data.data, bits, BgrRowStride((int)format.width))) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    return bitmap;
}
