#include <gtest/gtest.h>

#include "storage/text_codec.h"
#include "tests/storage/russian_text.h"
#include "tests/test_support.h"

namespace {

struct Loaded {
    int encoding;
    DWORD flags;
    bool succeeded;
    bool truncated;
    std::wstring text;
};

Loaded LoadFile(EditHost& host, const std::wstring& path, int encoding = ENC_AUTO)
{
    CTextFileIO codec(path.c_str(), true, host.edit, encoding, 0);
    return { codec.encoding, codec.flags, codec.succeeded, codec.truncated, host.Text() };
}

struct Saved {
    int encoding;
    DWORD flags;
    bool succeeded;
};

Saved SaveFile(EditHost& host, const std::wstring& path, const std::wstring& text, int encoding,
               DWORD flags)
{
    host.SetText(text);
    CTextFileIO codec(path.c_str(), false, host.edit, encoding, flags);
    return { codec.encoding, codec.flags, codec.succeeded };
}

std::wstring Without(std::wstring text, wchar_t unit)
{
    text.erase(std::remove(text.begin(), text.end(), unit), text.end());
    return text;
}

// The bytes the codec must write for `text` in `encoding` with `flags`.
std::string Expected(const std::wstring& text, int encoding, DWORD flags)
{
    std::wstring body = (flags & CODEC_BARE_LF) ? Without(text, L'\r') : text;
    if (encoding == ENC_UTF16)
        return ((flags & CODEC_BOM) ? std::string("\xFF\xFE") : std::string()) + Utf16Bytes(body);
    std::string mark = (flags & CODEC_BOM) && encoding == ENC_UTF8 ? "\xEF\xBB\xBF" : "";
    return mark + Encode(body, encoding == ENC_AUTO ? 0 : encoding);
}

class TextCodec : public ::testing::Test {
protected:
    void TearDown() override { SetDeviceLocalTime(nullptr); }
    EditHost host;
    TempFolder temp;
};

}

TEST_F(TextCodec, CyrillicRoundTripsInEveryEncodingMarkAndLineEnd)
{
    const std::wstring text = L"Привет, мир!\r\nЁлки-палки: ёжик съел 3 яблока.\r\n\r\nКонец";
    const int encodings[] = { ENC_ANSI, ENC_WIN1251, ENC_DOS866, ENC_KOI8R, ENC_UTF16, ENC_UTF8 };
    std::wstring path = temp.Path(L"round.txt");
    for (int encoding : encodings) {
        for (DWORD flags = 0; flags < 4; ++flags) {
            SCOPED_TRACE(testing::Message() << "encoding " << encoding << " flags " << flags);
            Saved saved = SaveFile(host, path, text, encoding, flags);
            EXPECT_TRUE(saved.succeeded);
            EXPECT_EQ(encoding, saved.encoding);
            EXPECT_EQ(Expected(text, encoding, flags), ReadBytes(path));

            host.SetText(L"");
            Loaded loaded = LoadFile(host, path, encoding);
            EXPECT_TRUE(loaded.succeeded);
            EXPECT_EQ(encoding, loaded.encoding);
            EXPECT_EQ(text, loaded.text);
            bool markKept = (flags & CODEC_BOM) && (encoding == ENC_UTF16 || encoding == ENC_UTF8);
            EXPECT_EQ((markKept ? CODEC_BOM : 0u) | (flags & CODEC_BARE_LF), loaded.flags);
        }
    }
}

TEST_F(TextCodec, DetectsRussianTextsSavedInEachEncoding)
{
    struct { int saveAs; DWORD flags; int detected; } cases[] = {
        { ENC_WIN1251, 0, ENC_ANSI },   // 1251 is the device's ANSI code page
        { ENC_DOS866, 0, ENC_DOS866 },
        { ENC_KOI8R, 0, ENC_KOI8R },
        { ENC_UTF8, 0, ENC_UTF8 },
        { ENC_UTF8, CODEC_BOM, ENC_UTF8 },
        { ENC_UTF16, 0, ENC_UTF16 },
        { ENC_UTF16, CODEC_BOM, ENC_UTF16 },
    };
    std::wstring path = temp.Path(L"detect.txt");
    for (size_t units : { 30u, 350u, 2000u, 20000u }) {
        std::wstring text = RussianProse(units);
        for (auto& c : cases) {
            SCOPED_TRACE(testing::Message() << units << " units as " << c.saveAs << "/" << c.flags);
            SaveFile(host, path, text, c.saveAs, c.flags);
            Loaded loaded = LoadFile(host, path);
            EXPECT_EQ(c.detected, loaded.encoding);
            EXPECT_EQ(c.flags, loaded.flags);
            EXPECT_EQ(text, loaded.text);
        }
    }
}

TEST_F(TextCodec, SmallFilesAndByteOrderMarks)
{
    std::wstring path = temp.Path(L"small.txt");
    for (const char* bytes : { "", "a", "\xE0\xE1" }) {
        WriteBytes(path, bytes);
        EXPECT_EQ(ENC_WIN1251, LoadFile(host, path).encoding) << bytes;
    }
    EXPECT_EQ(L"аб", LoadFile(host, path).text);

    // FF FE: a mark for automatic and Unicode, two letters for Win-1251.
    WriteBytes(path, std::string("\xFF\xFE") + Utf16Bytes(L"Да"));
    for (int requested : { ENC_AUTO, ENC_UTF16 }) {
        Loaded loaded = LoadFile(host, path, requested);
        EXPECT_EQ(ENC_UTF16, loaded.encoding);
        EXPECT_EQ(CODEC_BOM, loaded.flags);
        EXPECT_EQ(L"Да", loaded.text);
    }
    Loaded as1251 = LoadFile(host, path, ENC_WIN1251);
    EXPECT_EQ(0u, as1251.flags);
    EXPECT_EQ(std::wstring(L"яю") + Decode(Utf16Bytes(L"Да"), 1251), as1251.text);

    // EF BB BF with automatic detection: UTF-8 with mark, written again on save.
    WriteBytes(path, "\xEF\xBB\xBF" + Encode(L"Ёж", 65001));
    Loaded utf8 = LoadFile(host, path);
    EXPECT_EQ(ENC_UTF8, utf8.encoding);
    EXPECT_EQ(CODEC_BOM, utf8.flags);
    EXPECT_EQ(L"Ёж", utf8.text);
    SaveFile(host, path, utf8.text, utf8.encoding, utf8.flags);
    EXPECT_EQ("\xEF\xBB\xBF" + Encode(L"Ёж", 65001), ReadBytes(path));
    // Asked for KOI8-R, the UTF-8 mark is text.
    EXPECT_EQ(3u + 4u, LoadFile(host, path, ENC_KOI8R).text.size());

    // Saving "automatic" writes ANSI; a mark only ever goes to UTF-8 and UTF-16.
    Saved saved = SaveFile(host, path, L"Щи", ENC_AUTO, CODEC_BOM);
    EXPECT_EQ(ENC_ANSI, saved.encoding);
    EXPECT_EQ(Encode(L"Щи", 1251), ReadBytes(path));
    for (int encoding : { ENC_ANSI, ENC_WIN1251, ENC_DOS866, ENC_KOI8R }) {
        SaveFile(host, path, L"Щи", encoding, CODEC_BOM);
        EXPECT_EQ(Encode(L"Щи", encoding), ReadBytes(path)) << encoding;
    }
}

TEST_F(TextCodec, Utf16WithoutMarkIsFoundInTheMiddleOfALargeFile)
{
    // 300 bytes of 1251 prose, then UTF-16: a sample from the start would be
    // half 8-bit; the one from S/2 - 300 is all UTF-16.
    std::string head = Encode(RussianProse(300), 1251);
    std::string tail = Utf16Bytes(RussianProse(700));
    std::wstring path = temp.Path(L"mixed.txt");
    WriteBytes(path, head + tail);
    ASSERT_GE((head.size() + tail.size()) / 2 - 300, head.size());
    EXPECT_EQ(ENC_UTF16, LoadFile(host, path).encoding);

    // An odd byte at the end becomes the low byte of one more unit.
    WriteBytes(path, Utf16Bytes(L"ab") + "c");
    EXPECT_EQ(L"abc", LoadFile(host, path, ENC_UTF16).text);
}

TEST_F(TextCodec, LineFeedRule)
{
    std::wstring path = temp.Path(L"lf.txt");
    WriteBytes(path, "a\nb");
    Loaded bare = LoadFile(host, path);
    EXPECT_EQ(L"a\r\nb", bare.text);
    EXPECT_EQ(CODEC_BARE_LF, bare.flags);
    // Saving with the flag drops every CR, lone ones included.
    SaveFile(host, path, L"a\r\nb\rc\r\n", ENC_WIN1251, CODEC_BARE_LF);
    EXPECT_EQ("a\nbc\n", ReadBytes(path));

    // First line in CR LF: a later bare LF stays, no flag.
    WriteBytes(path, "one\r\ntwo\nthree");
    Loaded crlf = LoadFile(host, path);
    EXPECT_EQ(L"one\r\ntwo\nthree", crlf.text);
    EXPECT_EQ(0u, crlf.flags);

    // Bare LF first, CR LF later: every LF gets a CR, so the pair becomes CR CR LF.
    WriteBytes(path, "one\ntwo\r\nthree");
    Loaded mixed = LoadFile(host, path);
    EXPECT_EQ(L"one\r\ntwo\r\r\nthree", mixed.text);
    EXPECT_EQ(CODEC_BARE_LF, mixed.flags);

    // A line feed as the very first unit changes nothing.
    WriteBytes(path, "\nx\ny");
    Loaded first = LoadFile(host, path);
    EXPECT_EQ(L"\nx\ny", first.text);
    EXPECT_EQ(0u, first.flags);

    // The rule works on decoded text, in UTF-16 files too.
    WriteBytes(path, "\xFF\xFE" + Utf16Bytes(L"я\nты"));
    Loaded wide = LoadFile(host, path);
    EXPECT_EQ(L"я\r\nты", wide.text);
    EXPECT_EQ(CODEC_BOM | CODEC_BARE_LF, wide.flags);
}

TEST_F(TextCodec, SizeLimitWarnsAndKeepsTheStart)
{
    std::wstring path = temp.Path(L"big.txt");
    SendMessageW(host.edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    {
        // Lines keep the edit control's wrapping quick.
        std::string lines;
        while (lines.size() < 30000)
            lines += std::string(58, 'x') + "\r\n";
        lines.resize(30000);
        WriteBytes(path, lines);
        MessageBoxAnswerer answerer;
        Loaded loaded = LoadFile(host, path);
        EXPECT_TRUE(answerer.seen.empty());
        EXPECT_EQ(30000u, loaded.text.size());
        EXPECT_FALSE(loaded.truncated);
    }
    {
        std::string lines;
        while (lines.size() < 29999)
            lines += std::string(58, 'x') + "\r\n";
        lines.resize(29999);
        WriteBytes(path, lines + "yz");
        MessageBoxAnswerer answerer;
        Loaded loaded = LoadFile(host, path);
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_EQ(L"Файл слишком большой. Возможно загрузить только начало.", answerer.seen[0].text);
        EXPECT_EQ(L"Внимание", answerer.seen[0].caption);
        EXPECT_EQ((UINT)MB_ICONINFORMATION, answerer.seen[0].icon);
        EXPECT_EQ(30000u, loaded.text.size());
        EXPECT_EQ(L'y', loaded.text.back());
        EXPECT_TRUE(loaded.truncated);
    }
}

TEST_F(TextCodec, LogStampInAnyLetterCase)
{
    SYSTEMTIME now = MakeTime(2007, 3, 7, 9, 5);
    SetDeviceLocalTime(&now);
    std::wstring path = temp.Path(L"log.txt");
    for (const char* start : { ".LOG", ".log", ".LoG diary", ".lOg\r\nfirst entry" }) {
        WriteBytes(path, start);
        Loaded loaded = LoadFile(host, path);
        std::wstring expected = Decode(start, 1251) + L"\r\n\r\n09:05 07.03.2007\r\n";
        EXPECT_EQ(expected, loaded.text);
        DWORD from = 0, to = 0;
        SendMessageW(host.edit, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
        EXPECT_EQ(expected.size(), from);
        EXPECT_EQ(expected.size(), to);
    }
    for (const char* other : { "LOG.", " .LOG", ".LO", "x.LOG" }) {
        WriteBytes(path, other);
        EXPECT_EQ(Decode(other, 1251), LoadFile(host, path).text);
    }
}

TEST_F(TextCodec, FailedWritesAreShownAndReported)
{
    std::wstring missingFolder = temp.Path(L"no such folder\\file.txt");
    MessageBoxAnswerer answerer;
    Saved saved = SaveFile(host, missingFolder, L"Текст", ENC_UTF8, 0);
    EXPECT_FALSE(saved.succeeded);
    ASSERT_EQ(1u, answerer.seen.size());
    EXPECT_EQ(L"Ошибка записи файла!", answerer.seen[0].text);
    EXPECT_EQ(L"Внимание", answerer.seen[0].caption);
    EXPECT_EQ((UINT)MB_ICONERROR, answerer.seen[0].icon);

    // A file another program holds open cannot be written over.
    std::wstring held = temp.Path(L"held.txt");
    WriteBytes(held, "keep me");
    HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    EXPECT_FALSE(SaveFile(host, held, L"new", ENC_UTF16, CODEC_BOM).succeeded);
    CloseHandle(holder);
    EXPECT_EQ(2u, answerer.seen.size());
    EXPECT_EQ("keep me", ReadBytes(held));

    // A good save reports success and shows nothing.
    EXPECT_TRUE(SaveFile(host, temp.Path(L"ok.txt"), L"ok", ENC_UTF16, 0).succeeded);
    EXPECT_EQ(2u, answerer.seen.size());
}

TEST_F(TextCodec, UnreadableFileLeavesTheDocumentAlone)
{
    host.SetText(L"my unsaved text");
    MessageBoxAnswerer answerer;

    // A folder exists but is no file to read.
    Loaded folder = LoadFile(host, temp.Folder());
    EXPECT_FALSE(folder.succeeded);
    EXPECT_EQ(L"my unsaved text", folder.text);

    // A file held open exclusively by someone else.
    std::wstring locked = temp.Path(L"locked.txt");
    WriteBytes(locked, "secret");
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    Loaded held = LoadFile(host, locked);
    CloseHandle(holder);
    EXPECT_FALSE(held.succeeded);
    EXPECT_EQ(L"my unsaved text", held.text);

    ASSERT_EQ(2u, answerer.seen.size());
    EXPECT_EQ(L"Не удаётся прочитать файл!", answerer.seen[0].text);
    EXPECT_EQ(L"Внимание", answerer.seen[0].caption);
    EXPECT_EQ((UINT)MB_ICONERROR, answerer.seen[0].icon);

    // A file that does not exist is an empty new text, no message.
    Loaded missing = LoadFile(host, temp.Path(L"missing.txt"));
    EXPECT_TRUE(missing.succeeded);
    EXPECT_EQ(L"", missing.text);
    EXPECT_EQ(ENC_WIN1251, missing.encoding);
    EXPECT_EQ(2u, answerer.seen.size());
}

TEST_F(TextCodec, TextEndingAtANulIsMarkedTruncated)
{
    std::wstring path = temp.Path(L"binary.dat");
    WriteBytes(path, std::string("head\0tail", 9));
    Loaded eight = LoadFile(host, path, ENC_WIN1251);
    EXPECT_EQ(L"head", eight.text);
    EXPECT_TRUE(eight.truncated);

    WriteBytes(path, "\xFF\xFE" + Utf16Bytes(std::wstring(L"ab\0cd", 5)));
    Loaded wide = LoadFile(host, path);
    EXPECT_EQ(L"ab", wide.text);
    EXPECT_TRUE(wide.truncated);

    WriteBytes(path, "plain");
    EXPECT_FALSE(LoadFile(host, path).truncated);
}

TEST_F(TextCodec, UnconvertibleCodePageIsAReadFailure)
{
    const int missingCodePage = 54321;
    ASSERT_FALSE(IsValidCodePage(missingCodePage));
    std::wstring path = temp.Path(L"text.txt");
    WriteBytes(path, "some text");
    host.SetText(L"my unsaved text");
    MessageBoxAnswerer answerer;
    Loaded loaded = LoadFile(host, path, missingCodePage);
    EXPECT_FALSE(loaded.succeeded);
    EXPECT_EQ(L"my unsaved text", loaded.text);
    ASSERT_EQ(1u, answerer.seen.size());
    EXPECT_EQ(L"Не удаётся прочитать файл!", answerer.seen[0].text);
}

TEST_F(TextCodec, HugeFilesLoadTheirStartFlaggedTruncated)
{
    std::wstring lines;
    while (lines.size() < 70000)
        lines += std::wstring(58, L'x') + L"\r\n";
    std::wstring path = temp.Path(L"huge.txt");
    struct { ULONGLONG size; std::string head; } files[] = {
        { (4ull << 30) + 6, Encode(lines, 1252) },                  // 6 bytes by its low half
        { (2ull << 30) - 256, "\xFF\xFE" + Utf16Bytes(lines) },     // overflowed the buffer size
    };
    for (auto& file : files) {
        SCOPED_TRACE(file.size);
        ASSERT_TRUE(WriteSparseFile(path, file.head, file.size));
        MessageBoxAnswerer answerer;
        Loaded loaded = LoadFile(host, path);
        EXPECT_TRUE(loaded.succeeded);
        EXPECT_TRUE(loaded.truncated);
        EXPECT_EQ((size_t)TEXT_UNIT_LIMIT, loaded.text.size());
        EXPECT_TRUE(lines.compare(0, TEXT_UNIT_LIMIT, loaded.text) == 0);
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_EQ(L"Файл слишком большой. Возможно загрузить только начало.", answerer.seen[0].text);
    }
}

TEST_F(TextCodec, AFailedMarkWriteIsAFailedSave)
{
    // Every write to the full device fails: the mark's is the first, and
    // the save stops there with one message.
    const std::wstring full = L"Z:\\dev\\full";
    for (int encoding : { ENC_UTF16, ENC_UTF8 }) {
        MessageBoxAnswerer answerer;
        EXPECT_FALSE(SaveFile(host, full, L"", encoding, CODEC_BOM).succeeded);
        ASSERT_EQ(1u, answerer.seen.size()) << encoding;
        EXPECT_EQ(L"Ошибка записи файла!", answerer.seen[0].text);
    }
}

TEST_F(TextCodec, IncompleteUtf8AtTheEndKeepsEveryUnit)
{
    std::wstring path = temp.Path(L"cut.txt");
    WriteBytes(path, "\xEF\xBB\xBF" "ab\xE2");
    EXPECT_EQ(L"ab\xFFFD", LoadFile(host, path).text);
    WriteBytes(path, "ab\xE2\x82");
    EXPECT_EQ(L"ab\xFFFD", LoadFile(host, path, ENC_UTF8).text);
}

TEST_F(TextCodec, Utf16SampleStartsOnAUnit)
{
    // S/2 - 300 is odd for these sizes.
    std::wstring path = temp.Path(L"wide.txt");
    for (size_t bytes : { 2002u, 4002u, 10006u }) {
        std::wstring text = RussianProse(bytes / 2);
        WriteBytes(path, Utf16Bytes(text));
        Loaded loaded = LoadFile(host, path);
        EXPECT_EQ(ENC_UTF16, loaded.encoding) << bytes;
        EXPECT_EQ(text, loaded.text) << bytes;
    }
}
