#include "platform/inflate.h"

#include <stdint.h>
#include <string.h>

namespace {

const int kMaxCodeBits = 15;
const int kLiteralCodes = 288;   // 286 in use; the fixed code defines two more
const int kDistanceCodes = 32;   // 30 in use
const int kLengthCodeCodes = 19;

const uint16_t kLengthBase[29] = { 3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                   31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258 };
const uint8_t kLengthExtra[29] = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                   2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0 };
const uint16_t kDistanceBase[30] = { 1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                     33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                     1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577 };
const uint8_t kDistanceExtra[30] = { 0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                     6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13 };
// The order in which a dynamic block lists the lengths of its length code.
const uint8_t kLengthCodeOrder[kLengthCodeCodes] = { 16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                     11, 4,  12, 3, 13, 2, 14, 1, 15 };

// Bits in DEFLATE's order, lowest first. Reading past the end gives zeros and
// sets `failed`, which every loop checks, so no loop outlives its input.
class BitReader {
public:
    BitReader(const unsigned char* data, size_t size)
        : failed(false), data(data), size(size), at(0), buffer(0), count(0)
    {
    }

    unsigned Take(int bits)
    {
        while (count < bits) {
            if (at >= size) {
                failed = true;
                return 0;
            }
            buffer |= (uint32_t)data[at++] << count;
            count += 8;
        }
        unsigned value = buffer & ((1u << bits) - 1);
        buffer >>= bits;
        count -= bits;
        return value;
    }

    void SkipToByte()
    {
        buffer >>= count % 8;
        count -= count % 8;
    }

    bool failed;

private:
    const unsigned char* data;
    size_t size;
    size_t at;
    uint32_t buffer;
    int count;
};

// A canonical Huffman code: how many codes each length has, and the symbols
// in code order.
struct HuffmanCode {
    uint16_t counts[kMaxCodeBits + 1];
    uint16_t symbols[kLiteralCodes];
};

// False when the lengths ask for more codes than the bits allow. A code that
// leaves some bit patterns unused is accepted: reading one fails in Decode.
bool BuildCode(const uint8_t* lengths, int symbolCount, HuffmanCode* code)
{
    memset(code->counts, 0, sizeof(code->counts));
    for (int i = 0; i < symbolCount; ++i)
        ++code->counts[lengths[i]];
    code->counts[0] = 0;
    int unused = 1;
    uint16_t next[kMaxCodeBits + 1] = {};
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        unused = unused * 2 - code->counts[bits];
        if (unused < 0)
            return false;
        if (bits < kMaxCodeBits)
            next[bits + 1] = (uint16_t)(next[bits] + code->counts[bits]);
    }
    for (int i = 0; i < symbolCount; ++i) {
        if (lengths[i])
            code->symbols[next[lengths[i]]++] = (uint16_t)i;
    }
    return true;
}

// The next symbol, or -1 for a bit pattern the code does not hold.
int Decode(BitReader& bits, const HuffmanCode& code)
{
    int value = 0;   // the bits read so far, first one highest
    int first = 0;   // the first code of the current length
    int index = 0;   // where that code's symbol sits
    for (int length = 1; length <= kMaxCodeBits; ++length) {
        value |= (int)bits.Take(1);
        int count = code.counts[length];
        if (value - first < count)
            return code.symbols[index + value - first];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

enum class Block { Ended, OutputFull, Damaged };

class Inflater {
public:
    Inflater(const unsigned char* input, size_t inputSize, unsigned char* output,
             size_t outputSize)
        : bits(input, inputSize), output(output), size(outputSize), written(0)
    {
    }

    bool Run()
    {
        if (size == 0)
            return true;
        for (;;) {
            unsigned last = bits.Take(1);
            unsigned type = bits.Take(2);
            if (bits.failed)
                return false;
            Block block = type == 0 ? Stored() : type == 1 ? Fixed() : type == 2 ? Dynamic()
                                                                               : Block::Damaged;
            if (block != Block::Ended)
                return block == Block::OutputFull;
            if (last)
                return false;   // the stream ended short of the picture
        }
    }

private:
    Block Stored()
    {
        bits.SkipToByte();
        unsigned length = bits.Take(16);
        unsigned check = bits.Take(16);
        if (bits.failed || (length ^ 0xFFFFu) != check)
            return Block::Damaged;
        for (; length > 0; --length) {
            unsigned char byte = (unsigned char)bits.Take(8);
            if (bits.failed)
                return Block::Damaged;
            output[written++] = byte;
            if (written == size)
                return Block::OutputFull;
        }
        return Block::Ended;
    }

    Block Fixed()
    {
        uint8_t lengths[kLiteralCodes + kDistanceCodes];
        memset(lengths, 8, 144);
        memset(lengths + 144, 9, 256 - 144);
        memset(lengths + 256, 7, 280 - 256);
        memset(lengths + 280, 8, kLiteralCodes - 280);
        memset(lengths + kLiteralCodes, 5, kDistanceCodes);
        HuffmanCode literals, distances;
        BuildCode(lengths, kLiteralCodes, &literals);
        BuildCode(lengths + kLiteralCodes, kDistanceCodes, &distances);
        return Codes(literals, distances);
    }

    Block Dynamic()
    {
        int literalCount = (int)bits.Take(5) + 257;
        int distanceCount = (int)bits.Take(5) + 1;
        int lengthCodeCount = (int)bits.Take(4) + 4;
        if (bits.failed || literalCount > 286 || distanceCount > 30)
            return Block::Damaged;
        uint8_t lengths[kLiteralCodes + kDistanceCodes] = {};
        for (int i = 0; i < lengthCodeCount; ++i)
            lengths[kLengthCodeOrder[i]] = (uint8_t)bits.Take(3);
        HuffmanCode lengthCode;
        if (bits.failed || !BuildCode(lengths, kLengthCodeCodes, &lengthCode))
            return Block::Damaged;

        int total = literalCount + distanceCount;
        memset(lengths, 0, sizeof(lengths));
        for (int n = 0; n < total;) {
            int symbol = Decode(bits, lengthCode);
            if (bits.failed || symbol < 0)
                return Block::Damaged;
            if (symbol < 16) {
                lengths[n++] = (uint8_t)symbol;
                continue;
            }
            uint8_t repeated = 0;
            int times;
            if (symbol == 16) {
                if (n == 0)
                    return Block::Damaged;
                repeated = lengths[n - 1];
                times = 3 + (int)bits.Take(2);
            } else if (symbol == 17) {
                times = 3 + (int)bits.Take(3);
            } else {
                times = 11 + (int)bits.Take(7);
            }
            if (bits.failed || times > total - n)
                return Block::Damaged;
            memset(lengths + n, repeated, (size_t)times);
            n += times;
        }
        // Without an end-of-block code the block could never end.
        if (lengths[256] == 0)
            return Block::Damaged;
        HuffmanCode literals, distances;
        if (!BuildCode(lengths, literalCount, &literals) ||
            !BuildCode(lengths + literalCount, distanceCount, &distances))
            return Block::Damaged;
        return Codes(literals, distances);
    }

    Block Codes(const HuffmanCode& literals, const HuffmanCode& distances)
    {
        for (;;) {
            int symbol = Decode(bits, literals);
            if (bits.failed || symbol < 0)
                return Block::Damaged;
            if (symbol < 256) {
                output[written++] = (unsigned char)symbol;
                if (written == size)
                    return Block::OutputFull;
                continue;
            }
            if (symbol == 256)
                return Block::Ended;
            symbol -= 257;
            if (symbol >= 29)
                return Block::Damaged;
            size_t length = kLengthBase[symbol] + bits.Take(kLengthExtra[symbol]);
            int distanceSymbol = Decode(bits, distances);
            if (bits.failed || distanceSymbol < 0 || distanceSymbol >= 30)
                return Block::Damaged;
            size_t distance = kDistanceBase[distanceSymbol] +
                              bits.Take(kDistanceExtra[distanceSymbol]);
            if (bits.failed || distance > written)
                return Block::Damaged;
            if (length > size - written)
                length = size - written;
            // Byte by byte: a copy may overlap what it is writing.
            for (size_t i = 0; i < length; ++i, ++written)
                output[written] = output[written - distance];
            if (written == size)
                return Block::OutputFull;
        }
    }

    BitReader bits;
    unsigned char* output;
    size_t size;
    size_t written;
};

}

bool InflateZlib(const unsigned char* input, size_t inputSize, unsigned char* output,
                 size_t outputSize)
{
    if (!input || !output || inputSize < 2)
        return false;
    unsigned method = input[0];
    unsigned flags = input[1];
    bool deflate = (method & 0x0F) == 8 && (method >> 4) <= 7;
    bool presetDictionary = (flags & 0x20) != 0;
    if (!deflate || presetDictionary || (method * 256 + flags) % 31 != 0)
        return false;
    Inflater inflater(input + 2, inputSize - 2, output, outputSize);
    return inflater.Run();
}
