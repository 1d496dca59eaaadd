#include <gtest/gtest.h>

#include "storage/settings.h"
#include "tests/test_support.h"

namespace {

const std::string kHeader = Utf16Bytes(L"[Main]\r\n");

class Settings : public ::testing::Test {
protected:
    // Loads `body` as a settings file (after the header) into a fresh store.
    void LoadBody(const std::wstring& body, bool mark = false)
    {
        path = temp.Path(L"Settings.ini");
        WriteBytes(path, (mark ? std::string("\xFF\xFE") : std::string()) + kHeader + Utf16Bytes(body));
        settings.LoadFrom(path.c_str());
    }
    std::wstring Saved()
    {
        EXPECT_TRUE(settings.Save());
        return FromUtf16Bytes(ReadBytes(path));
    }
    TempFolder temp;
    std::wstring path;
    CSettings settings;
};

}

TEST_F(Settings, GrammarAndItsOddLines)
{
    LoadBody(L"WordWrap= 1\r\nFontSize=007\r\nNeg=-3\r\nBad=x1\r\nEmpty=\r\n"
             L"junk line\r\nLanguage=English\r\nAddTabForDocs =1\r\nLast=a=b\r\nTail=9");
    EXPECT_TRUE(settings.GetBool(L"WordWrap", false));
    EXPECT_EQ(7, settings.GetInt(L"FontSize", 14));
    EXPECT_EQ(-3, settings.GetInt(L"Neg", 0));
    EXPECT_EQ(0, settings.GetInt(L"Bad", 5));
    EXPECT_EQ(42, settings.GetInt(L"Empty", 42));
    EXPECT_TRUE(settings.GetBool(L"Empty", true));
    EXPECT_EQ(9, settings.GetInt(L"Tail", 0));   // last line without CR LF

    // A line without '=' becomes part of the next key, which then matches nothing.
    wchar_t text[64] = L"untouched";
    settings.GetString(L"Language", text, 64, nullptr);
    EXPECT_STREQ(L"untouched", text);
    settings.GetString(L"Language", text, 64, L"Russian");
    EXPECT_STREQ(L"Russian", text);
    // A space before '=' makes another key.
    EXPECT_FALSE(settings.GetBool(L"AddTabForDocs", false));
    // Only the first '=' splits.
    settings.GetString(L"Last", text, 64, nullptr);
    EXPECT_STREQ(L"a=b", text);

    // Saved back whole, in table order, the odd lines as they were read.
    EXPECT_EQ(L"[Main]\r\nWordWrap= 1\r\nFontSize=007\r\nNeg=-3\r\nBad=x1\r\nEmpty=\r\n"
              L"junk line\r\nLanguage=English\r\nAddTabForDocs =1\r\nLast=a=b\r\nTail=9\r\n",
              Saved());
}

TEST_F(Settings, BoolsAreTrueOnlyForOne)
{
    LoadBody(L"A=1\r\nB=2\r\nC=yes\r\nD=0\r\nE= 01\r\n");
    EXPECT_TRUE(settings.GetBool(L"A", false));
    EXPECT_FALSE(settings.GetBool(L"B", true));
    EXPECT_FALSE(settings.GetBool(L"C", true));
    EXPECT_FALSE(settings.GetBool(L"D", true));
    EXPECT_TRUE(settings.GetBool(L"E", false));
    EXPECT_TRUE(settings.GetBool(L"Missing", true));
}

TEST_F(Settings, SettersChangeInPlaceOrAppend)
{
    LoadBody(L"WordWrap=0\r\nFontName=Tahoma\r\n");
    settings.SetInt(L"WordWrap", 1);
    settings.SetString(L"LastFileName", L"\\My Documents\\заметки.txt");
    settings.SetInt(L"MenuShowType", -5);
    EXPECT_EQ(-5, settings.GetInt(L"MenuShowType", 0));
    EXPECT_EQ(L"[Main]\r\nWordWrap=1\r\nFontName=Tahoma\r\nLastFileName=\\My Documents\\заметки.txt\r\n"
              L"MenuShowType=-5\r\n",
              Saved());

    // Keys with equal hashes share one entry.
    settings.SetString(L"rordWWap", L"0");
    EXPECT_FALSE(settings.GetBool(L"WordWrap", true));
}

TEST_F(Settings, DuplicateKeysFirstWinsAllAreSaved)
{
    LoadBody(L"Language=English\r\nLanguage=German\r\n");
    settings.SetString(L"Language", L"Russian");
    EXPECT_EQ(L"[Main]\r\nLanguage=Russian\r\nLanguage=German\r\n", Saved());
}

TEST_F(Settings, ShortMissingAndMarkedFiles)
{
    // 9 bytes or less: nothing is parsed.
    path = temp.Path(L"short.ini");
    WriteBytes(path, std::string("[\0M\0a\0i\0n", 9));
    settings.LoadFrom(path.c_str());
    EXPECT_EQ(0, settings.entries.count);
    EXPECT_EQ(3, settings.GetInt(L"Anything", 3));

    // From 10 bytes on, everything after the first 8 units is parsed.
    CSettings ten;
    std::wstring tenPath = temp.Path(L"ten.ini");
    WriteBytes(tenPath, Utf16Bytes(L"12345678A="));
    ten.LoadFrom(tenPath.c_str());
    EXPECT_EQ(1, ten.entries.count);

    // A file that starts with a byte-order mark keeps its first entry.
    CSettings marked;
    std::wstring markedPath = temp.Path(L"marked.ini");
    WriteBytes(markedPath, "\xFF\xFE" + kHeader + Utf16Bytes(L"WordWrap=1\r\nFontSize=20\r\n"));
    marked.LoadFrom(markedPath.c_str());
    EXPECT_TRUE(marked.GetBool(L"WordWrap", false));
    EXPECT_EQ(20, marked.GetInt(L"FontSize", 14));

    // A missing file: defaults, and the file is created by the save.
    CSettings fresh;
    std::wstring freshPath = temp.Path(L"fresh.ini");
    fresh.LoadFrom(freshPath.c_str());
    EXPECT_EQ(14, fresh.GetInt(L"FontSize", 14));
    fresh.SetInt(L"FontSize", 22);
    EXPECT_TRUE(fresh.Save());
    EXPECT_EQ(L"[Main]\r\nFontSize=22\r\n", FromUtf16Bytes(ReadBytes(freshPath)));

    // Nothing loaded at all: setters do nothing, getters answer defaults.
    CSettings unloaded;
    unloaded.SetInt(L"FontSize", 30);
    EXPECT_EQ(14, unloaded.GetInt(L"FontSize", 14));
    EXPECT_FALSE(unloaded.Save());
}

TEST_F(Settings, LongValuesSurviveAndOverlongOnesAreCut)
{
    LoadBody(L"");
    std::wstring longPath = L"C:\\" + std::wstring(250, L'п') + L"\\a.txt";   // 259 units
    ASSERT_EQ(259u, longPath.size());
    settings.SetString(L"LastFileName", longPath.c_str());
    std::wstring hugeValue(1000, L'v');
    std::wstring hugeKey(100, L'K');
    settings.SetString(L"Huge", hugeValue.c_str());
    settings.SetString(hugeKey.c_str(), L"1");
    Saved();

    CSettings again;
    again.LoadFrom(path.c_str());
    wchar_t value[400];
    again.GetString(L"LastFileName", value, 400, L"");
    EXPECT_EQ(longPath, value);
    again.GetString(L"Huge", value, 400, L"");
    EXPECT_EQ(259u, wcslen(value));
    // The caller's buffer is never overrun: a small one gets a cut, terminated text.
    wchar_t small[8];
    again.GetString(L"LastFileName", small, 8, L"");
    EXPECT_STREQ(L"C:\\пппп", small);
    // An overlong key is stored cut: its file line stays readable.
    EXPECT_NE(std::wstring::npos,
              FromUtf16Bytes(ReadBytes(path)).find(std::wstring(29, L'K') + L"=1\r\n"));
}

TEST(SettingsStore, DestructorWritesTheFile)
{
    TempFolder temp;
    std::wstring path = temp.Path(L"Settings.ini");
    {
        CSettings settings;
        settings.LoadFrom(path.c_str());
        settings.SetInt(L"WordWrap", 1);
    }
    EXPECT_EQ(L"[Main]\r\nWordWrap=1\r\n", FromUtf16Bytes(ReadBytes(path)));
}

TEST_F(Settings, LinesTheFieldsCannotHoldAreSavedAsRead)
{
    // A long line without '=' joins the key of WordWrap's line; a value longer
    // than its field, and one with a zero unit inside, round the lines out.
    std::wstring body = std::wstring(40, L'#') + L"\r\nWordWrap=1\r\nFontSize=9\r\nLong=" +
                        std::wstring(300, L'v') + L"\r\nZero=a" + std::wstring(1, L'\0') +
                        L"b\r\nLanguage=English\r\n";
    LoadBody(body);
    EXPECT_EQ(9, settings.GetInt(L"FontSize", 14));
    wchar_t value[400];
    settings.GetString(L"Zero", value, 400, nullptr);
    EXPECT_STREQ(L"a", value);
    EXPECT_EQ(L"[Main]\r\n" + body, Saved());

    // A value set by the program replaces the one kept as read.
    settings.SetString(L"Long", L"short");
    std::wstring saved = Saved();
    EXPECT_NE(std::wstring::npos, saved.find(std::wstring(40, L'#') + L"\r\nWordWrap=1\r\n"));
    CSettings again;
    again.LoadFrom(path.c_str());
    again.GetString(L"Long", value, 400, nullptr);
    EXPECT_STREQ(L"short", value);
}

TEST_F(Settings, AFileThatCannotBeReadIsNeverWrittenOver)
{
    path = temp.Path(L"Settings.ini");
    std::string bytes = kHeader + Utf16Bytes(L"WordWrap=1\r\n");
    WriteBytes(path, bytes);
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    settings.LoadFrom(path.c_str());
    CloseHandle(holder);
    EXPECT_FALSE(settings.GetBool(L"WordWrap", false));
    settings.SetInt(L"FontSize", 30);
    EXPECT_EQ(30, settings.GetInt(L"FontSize", 14));
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(bytes, ReadBytes(path));

    // Nor is one too big to read whole (here 4 GiB and its first line).
    ASSERT_TRUE(WriteSparseFile(path, bytes, (4ull << 30) + bytes.size()));
    CSettings huge;
    huge.LoadFrom(path.c_str());
    EXPECT_FALSE(huge.Save());
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(1u, data.nFileSizeHigh);
}

TEST_F(Settings, UnchangedSettingsAreNotWrittenAgain)
{
    LoadBody(L"WordWrap=1\r\nFontSize=20\r\n");
    const ULONGLONG longAgo = 125000000000000000ull;
    ASSERT_TRUE(SetFileWriteTime(path, longAgo));
    settings.SetInt(L"FontSize", 20);
    EXPECT_TRUE(settings.Save());
    EXPECT_EQ(longAgo, FileWriteTime(path));
    settings.SetInt(L"FontSize", 22);
    EXPECT_EQ(L"[Main]\r\nWordWrap=1\r\nFontSize=22\r\n", Saved());
    EXPECT_NE(longAgo, FileWriteTime(path));
}
