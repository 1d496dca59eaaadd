#include "storage/encoding_detect.h"

namespace {

// One letter-frequency test: the candidate wins when at least three of its
// four byte values are more frequent than the Windows-1251 bytes of the same
// common letters (а, о, в/т, л).
struct FrequencyTest {
    int result;
    unsigned char win1251[4];
    unsigned char other[4];
};

const FrequencyTest kTests[] = {
    { ENC_KOI8R, { 0xE0, 0xEE, 0xE2, 0xEB }, { 0xC1, 0xCF, 0xD7, 0xCC } },
    { ENC_DOS866, { 0xE0, 0xEE, 0xF2, 0xEB }, { 0xA5, 0xAE, 0xA8, 0xAB } },
    { ENC_UTF8, { 0xE0, 0xEE, 0xE2, 0xEB }, { 0xD0, 0xD1, 0xBE, 0xB8 } },
};

}

int DetectEncoding(const unsigned char* sample, int n)
{
    int histogram[256] = {};
    int pairs = 0;
    // The last pair of the sample is left out: a 600-byte sample gives 299 pairs.
    for (int k = 0; k < n - 2; k += 2) {
        int b0 = sample[k];
        int b1 = sample[k + 1];
        // Little-endian UTF-16 text: a letter's low byte, then a small high byte.
        if (b0 - b1 > 31 && b1 <= 6)
            ++pairs;
        ++histogram[b0];
        ++histogram[b1];
    }
    if (2 * pairs >= 5 * n / 8)
        return ENC_UTF16;

    for (const FrequencyTest& test : kTests) {
        int holds = 0;
        for (int i = 0; i < 4; ++i) {
            if (histogram[test.win1251[i]] < histogram[test.other[i]])
                ++holds;
        }
        if (holds >= 3)
            return test.result;
    }
    return ENC_ANSI;
}
