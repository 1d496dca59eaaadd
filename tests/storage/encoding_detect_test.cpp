#include <gtest/gtest.h>

#include <string>

#include "storage/encoding_detect.h"
#include "tests/storage/russian_text.h"
#include "tests/test_support.h"

namespace {

int Detect(const std::string& bytes)
{
    return DetectEncoding((const unsigned char*)bytes.data(), (int)bytes.size());
}

}

TEST(DetectEncoding, RussianProseInEachEightBitEncoding)
{
    for (size_t units : { 40u, 200u, 600u }) {
        std::wstring text = RussianProse(units);
        SCOPED_TRACE(units);
        EXPECT_EQ(ENC_KOI8R, Detect(Encode(text, 20866)));
        EXPECT_EQ(ENC_DOS866, Detect(Encode(text, 866)));
        EXPECT_EQ(ENC_UTF8, Detect(Encode(text, 65001).substr(0, 600)));
        EXPECT_EQ(ENC_ANSI, Detect(Encode(text, 1251)));
        EXPECT_EQ(ENC_UTF16, Detect(Utf16Bytes(text).substr(0, 600)));
    }
    // Plain English has no Cyrillic letters to count: ANSI.
    EXPECT_EQ(ENC_ANSI, Detect("The quick brown fox jumps over the lazy dog.\r\n"));
    EXPECT_EQ(ENC_UTF16, Detect(Utf16Bytes(L"The quick brown fox jumps over the lazy dog.")));
}

TEST(DetectEncoding, PairCountThreshold)
{
    // 600 bytes: pairs at 0, 2, ... 596 (299 pairs), threshold 2g >= 375.
    auto sample = [](int utf16Pairs) {
        std::string bytes(600, 'x');   // 'x','x' never counts: b0 - b1 is 0
        for (int i = 0; i < utf16Pairs; ++i) {
            bytes[2 * i] = 'a';
            bytes[2 * i + 1] = 0;
        }
        return bytes;
    };
    EXPECT_EQ(ENC_UTF16, Detect(sample(188)));
    EXPECT_NE(ENC_UTF16, Detect(sample(187)));

    // The final pair of the sample is not examined: 4 bytes give one pair.
    EXPECT_EQ(ENC_UTF16, Detect(std::string("a\0xx", 4)));    // g 1, 2 >= 2
    EXPECT_NE(ENC_UTF16, Detect(std::string("xxa\0", 4)));
    // A high byte above 6 or a small difference does not count.
    EXPECT_NE(ENC_UTF16, Detect(std::string("a\x07xx", 4)));
    EXPECT_EQ(ENC_UTF16, Detect(std::string("\x25\x05xx", 4)));   // 0x25 - 5 = 32 > 31
    EXPECT_NE(ENC_UTF16, Detect(std::string("\x24\x05xx", 4)));   // 31 is not enough
}

TEST(DetectEncoding, ThreeOfFourComparisonsWin)
{
    // KOI8-R: а о в л are C1 CF D7 CC; three more frequent than in 1251 win.
    EXPECT_EQ(ENC_KOI8R, Detect(std::string("\xC1\xCF\xD7xx", 5)));
    EXPECT_EQ(ENC_ANSI, Detect(std::string("\xC1\xCFxx", 4)));
    // DOS-866 is tried before UTF-8 and after KOI8-R.
    EXPECT_EQ(ENC_DOS866, Detect(std::string("\xA5\xAE\xA8xx", 5)));
    EXPECT_EQ(ENC_UTF8, Detect(std::string("\xD0\xD1\xBExx", 5)));
    // Both KOI8-R and UTF-8 patterns: KOI8-R is tested first.
    EXPECT_EQ(ENC_KOI8R, Detect(std::string("\xC1\xCF\xD7\xD0\xD1\xBExx", 8)));
}
