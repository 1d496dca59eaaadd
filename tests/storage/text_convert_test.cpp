#include <gtest/gtest.h>

#include "storage/text_convert.h"
#include "tests/seeded_fuzzer.h"
#include "tests/test_support.h"

namespace {

std::wstring Decoded(int encoding, const std::string& bytes, bool* endedAtNul = nullptr)
{
    DecodedText decoded;
    EXPECT_TRUE(DecodeText(encoding, bytes.data(), (DWORD)bytes.size(), &decoded));
    std::wstring text(decoded.text, decoded.units);
    if (endedAtNul)
        *endedAtNul = decoded.endedAtNul;
    delete[] decoded.text;
    return text;
}

std::string Encoded(const std::wstring& text, int encoding, DWORD flags)
{
    EncodedText encoded;
    EXPECT_TRUE(EncodeText(text.data(), (int)text.size(), encoding, flags, &encoded));
    std::string bytes((const char*)encoded.bytes, encoded.count);
    delete[] encoded.bytes;
    return bytes;
}

}

TEST(TextConvert, TextToBytesInEveryEncodingMarkAndLineEnd)
{
    const std::wstring text = L"Привет\r\nмир\rконец\r\n";
    struct {
        int encoding;
        DWORD flags;
        std::string bytes;
    } cases[] = {
        { ENC_UTF16, 0, Utf16Bytes(text) },
        { ENC_UTF16, CODEC_BOM, "\xFF\xFE" + Utf16Bytes(text) },
        // Every carriage return goes, lone ones too.
        { ENC_UTF16, CODEC_BARE_LF, Utf16Bytes(L"Привет\nмирконец\n") },
        { ENC_UTF8, CODEC_BOM | CODEC_BARE_LF, "\xEF\xBB\xBF" + Encode(L"Привет\nмирконец\n", 65001) },
        { ENC_UTF8, 0, Encode(text, 65001) },
        // No 8-bit code page ever gets a mark; automatic is written as ANSI.
        { ENC_KOI8R, CODEC_BOM, Encode(text, 20866) },
        { ENC_DOS866, CODEC_BARE_LF, Encode(L"Привет\nмирконец\n", 866) },
        { ENC_WIN1251, 0, Encode(text, 1251) },
        { ENC_AUTO, CODEC_BOM, Encode(text, 0) },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.encoding << "/" << c.flags);
        EXPECT_EQ(c.bytes, Encoded(text, c.encoding, c.flags));
    }
    EXPECT_EQ("", Encoded(L"", ENC_KOI8R, 0));
    // A code page the device lacks converts nothing and allocates nothing.
    EncodedText none = { nullptr, 7 };
    EXPECT_FALSE(EncodeText(L"x", 1, 54321, 0, &none));
    EXPECT_EQ(nullptr, none.bytes);
}

TEST(TextConvert, BytesToTextEndAtTheFirstZero)
{
    bool nul = true;
    // UTF-16 without a mark is what a snapshot stores: the pair gives the
    // text back exactly.
    std::wstring text = L"Заметка \xD83D\xDE00 и\r\nещё";
    EXPECT_EQ(text, Decoded(ENC_UTF16, Encoded(text, ENC_UTF16, 0), &nul));
    EXPECT_FALSE(nul);
    // A final odd byte is the low byte of one more unit.
    EXPECT_EQ(L"abc", Decoded(ENC_UTF16, Utf16Bytes(L"ab") + "c"));
    EXPECT_EQ(L"ab", Decoded(ENC_UTF16, Utf16Bytes(std::wstring(L"ab\0cd", 5)), &nul));
    EXPECT_TRUE(nul);
    EXPECT_EQ(L"head", Decoded(ENC_WIN1251, std::string("head\0tail", 9), &nul));
    EXPECT_TRUE(nul);
    EXPECT_EQ(L"Ёж", Decoded(ENC_UTF8, Encode(L"Ёж", 65001), &nul));
    EXPECT_FALSE(nul);
    // An incomplete sequence at the end keeps a unit of its own.
    EXPECT_EQ(L"ab\xFFFD", Decoded(ENC_UTF8, "ab\xE2\x82"));
    EXPECT_EQ(L"", Decoded(ENC_KOI8R, ""));
    DecodedText none;
    EXPECT_FALSE(DecodeText(54321, "text", 4, &none));
    EXPECT_FALSE(DecodeText(54321, "", 0, &none));
    EXPECT_EQ(nullptr, none.text);
}

TEST(TextConvert, MarksAndTheDetectionSample)
{
    struct {
        std::string head;
        int requested;
        int encoding;
        DWORD mark;
    } cases[] = {
        { "\xFF\xFE" "a", ENC_AUTO, ENC_UTF16, 2 },
        { "\xFF\xFE", ENC_UTF16, ENC_UTF16, 2 },
        { "\xFF\xFE" "a", ENC_WIN1251, ENC_WIN1251, 0 },   // two letters then
        { "\xEF\xBB\xBF", ENC_AUTO, ENC_UTF8, 3 },
        { "\xEF\xBB\xBF", ENC_KOI8R, ENC_KOI8R, 0 },
        { "\xEF\xBB", ENC_AUTO, ENC_AUTO, 0 },
        { "abc", ENC_AUTO, ENC_AUTO, 0 },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.head);
        DWORD mark = 9;
        EXPECT_EQ(c.encoding, EncodingFromMark((const unsigned char*)c.head.data(),
                                               (DWORD)c.head.size(), c.requested, &mark));
        EXPECT_EQ(c.mark, mark);
    }
    // From S/2 - 300 on an even offset in a larger file, else from the start.
    EXPECT_EQ(0u, DetectionSampleOffset(700));
    EXPECT_EQ(700u, DetectionSampleOffset(2002));
    EXPECT_EQ(4702u, DetectionSampleOffset(10006));
    EXPECT_EQ(2u, DetectionSampleLength(2));
    EXPECT_EQ(600u, DetectionSampleLength(100000));
}

TEST(TextConvert, LineFeedRuleAndLogStamp)
{
    struct {
        std::wstring text;
        std::wstring ruled;
        DWORD flags;
    } cases[] = {
        { L"a\nb", L"a\r\nb", CODEC_BARE_LF },
        { L"one\r\ntwo\nthree", L"one\r\ntwo\nthree", 0 },
        { L"one\ntwo\r\nthree", L"one\r\ntwo\r\r\nthree", CODEC_BARE_LF },
        { L"\nx\ny", L"\nx\ny", 0 },
        { L"no line end", L"no line end", 0 },
    };
    for (auto& c : cases) {
        DecodedText decoded;
        std::string bytes = Utf16Bytes(c.text);
        ASSERT_TRUE(DecodeText(ENC_UTF16, bytes.data(), (DWORD)bytes.size(), &decoded));
        DWORD flags = CODEC_BOM;
        EXPECT_TRUE(ApplyLineFeedRule(&decoded, &flags));
        EXPECT_EQ(c.ruled, std::wstring(decoded.text, decoded.units));
        EXPECT_EQ(CODEC_BOM | c.flags, flags);
        delete[] decoded.text;
    }

    // Past the end of what was read: the first line feed, chunk by chunk.
    LineFeedSearch eight(false, 'a');
    EXPECT_EQ(-1, eight.Feed((const unsigned char*)"bcd", 3));
    EXPECT_EQ(1, eight.Feed((const unsigned char*)"e\n", 2));
    LineFeedSearch afterReturn(false, '\r');
    EXPECT_EQ(0, afterReturn.Feed((const unsigned char*)"\n", 1));
    LineFeedSearch wide(true, 'a');
    std::string units = Utf16Bytes(L"\r\n");
    EXPECT_EQ(0, wide.Feed((const unsigned char*)units.data(), (DWORD)units.size()));
    LineFeedSearch zero(false, 'a');
    EXPECT_EQ(0, zero.Feed((const unsigned char*)"x\0\n", 3));

    SYSTEMTIME now = MakeTime(2007, 3, 7, 9, 5);
    for (const wchar_t* start : { L".LOG", L".lOg\r\nentry", L"x.LOG", L".LO" }) {
        wchar_t buffer[64 + TEXT_SPARE_UNITS] = {};
        int units = (int)wcslen(start);
        StringCchCopyW(buffer, ARRAYSIZE(buffer), start);
        bool stamped = start[0] == L'.' && units >= 4;
        std::wstring expected =
            std::wstring(start) + (stamped ? L"\r\n\r\n09:05 07.03.2007\r\n" : L"");
        EXPECT_EQ((int)expected.size(), AppendLogStamp(buffer, units, now));
        EXPECT_EQ(expected, buffer);
    }
}

TEST(TextConvert, CountsWhatAnEightBitEncodingCannotHold)
{
    struct {
        std::wstring text;
        int encoding;
        int lost;
    } cases[] = {
        { L"Цена 5 €", ENC_KOI8R, 1 },
        { L"€ и € и ™", ENC_DOS866, 3 },
        // A pair is one character; a look-alike ("ą" as "a") is no excuse.
        { L"\xD83D\xDE00 ą", ENC_WIN1251, 2 },
        { L"Только кириллица\r\n", ENC_WIN1251, 0 },
        { L"€ \xD83D\xDE00", ENC_UTF8, 0 },
        { L"€ \xD83D\xDE00", ENC_UTF16, 0 },
        { L"", ENC_KOI8R, 0 },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.encoding << " " << c.text.size());
        EXPECT_EQ(c.lost, CountUnwritable(c.text.data(), (int)c.text.size(), c.encoding));
    }
    // What is counted is what the save writes as the default character.
    EXPECT_EQ("?a", Encoded(L"\x0105" L"a", ENC_WIN1251, 0));
}

// Random bytes in every encoding: whatever text they decode to comes back
// unchanged through the UTF-16 pair a snapshot stores it with.
TEST(SeededFuzz, TextConvert)
{
    Fuzzer fuzz(20261208);
    const std::string good = Encode(L"Заметки\r\nстрока два\nи три", 65001);
    const int encodings[] = { ENC_AUTO, ENC_ANSI, ENC_WIN1251, ENC_DOS866, ENC_KOI8R, ENC_UTF8,
                              ENC_UTF16 };
    for (int round = 0; round < kFuzzRounds; ++round) {
        SCOPED_TRACE(round);
        std::string bytes = fuzz.Input(good, 300);
        int encoding = encodings[fuzz.Below(7)];
        DecodedText decoded;
        ASSERT_TRUE(DecodeText(encoding, bytes.data(), (DWORD)bytes.size(), &decoded));
        DWORD flags = 0;
        ASSERT_TRUE(ApplyLineFeedRule(&decoded, &flags));
        std::wstring text(decoded.text, decoded.units);
        delete[] decoded.text;
        ASSERT_EQ(text, Decoded(ENC_UTF16, Encoded(text, ENC_UTF16, 0)));
    }
}
