#include <gtest/gtest.h>

#include "storage/atomic_file.h"
#include "storage/settings.h"
#include "storage/text_codec.h"
#include "tests/test_support.h"

namespace {

class AtomicSave : public ::testing::Test {
protected:
    bool Save(const std::wstring& path, const std::wstring& text, int encoding, DWORD flags = 0)
    {
        host.SetText(text);
        CTextFileIO codec(path.c_str(), false, host.edit, encoding, flags);
        return codec.succeeded;
    }
    std::wstring Replacement(const std::wstring& path)
    {
        wchar_t name[COPY_PATH_UNITS];
        EXPECT_TRUE(ReplacementPath(path.c_str(), name, COPY_PATH_UNITS));
        return name;
    }
    EditHost host;
    TempFolder temp;
};

}

TEST_F(AtomicSave, AFailedSaveLeavesTheOldFileAndNoCopy)
{
    std::wstring path = temp.Path(L"заметки.txt");
    WriteBytes(path, "old text");
    MessageBoxAnswerer answerer;

    // A conversion that fails (a code page the device lacks) touches no file.
    EXPECT_FALSE(Save(path, L"new text", 54321));
    // A file another program holds open is not replaced.
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    EXPECT_FALSE(Save(path, L"new text", ENC_UTF8));
    CloseHandle(holder);

    ASSERT_EQ(2u, answerer.seen.size());
    EXPECT_EQ(L"Ошибка записи файла!", answerer.seen[0].text);
    // The file in use has a message of its own, so the user knows what to do.
    EXPECT_EQ(L"Файл открыт другой программой и не может быть заменён. Закройте его там и "
              L"сохраните снова.",
              answerer.seen[1].text);
    EXPECT_EQ("old text", ReadBytes(path));
    EXPECT_FALSE(FileExists(Replacement(path)));

    // A copy a crash left behind is written over by the next save and gone
    // after it.
    WriteBytes(Replacement(path), "half a copy");
    EXPECT_TRUE(Save(path, L"new text", ENC_WIN1251));
    EXPECT_EQ("new text", ReadBytes(path));
    EXPECT_FALSE(FileExists(Replacement(path)));
    EXPECT_EQ(2u, answerer.seen.size());
}

TEST_F(AtomicSave, OnlyAFolderThatRefusesNewFilesIsWrittenInPlace)
{
    // The copy's name taken by a folder: the folder itself still takes new
    // files, so that error alone never sends the bytes over the file.
    std::wstring path = temp.Path(L"in place.txt");
    WriteBytes(path, "a longer old text");
    ASSERT_TRUE(CreateDirectoryW(Replacement(path).c_str(), nullptr));
    {
        MessageBoxAnswerer answerer;
        EXPECT_FALSE(Save(path, L"new", ENC_WIN1251));
        EXPECT_EQ(1u, answerer.seen.size());
        EXPECT_EQ("a longer old text", ReadBytes(path));
    }

    // A folder that refuses new files: the caller keeps the text safe
    // first, while the file is still whole, then the bytes go in place.
    SetNewFileRefusalCheck([](const wchar_t*) { return true; });
    struct Seen {
        std::wstring path;
        std::string bytes;
    } seen = { path, "" };
    WriteGuard guard = { [](void* context) {
                            Seen* s = static_cast<Seen*>(context);
                            s->bytes = ReadBytes(s->path);
                        },
                         &seen };
    host.SetText(L"new");
    {
        CTextFileIO codec(path.c_str(), false, host.edit, ENC_WIN1251, 0, &guard);
        EXPECT_TRUE(codec.succeeded);
    }
    EXPECT_EQ("a longer old text", seen.bytes);
    EXPECT_EQ("new", ReadBytes(path));

    // A file that does not exist yet cannot be written in its place.
    std::wstring missing = temp.Path(L"missing.txt");
    ASSERT_TRUE(CreateDirectoryW(Replacement(missing).c_str(), nullptr));
    MessageBoxAnswerer answerer;
    EXPECT_FALSE(Save(missing, L"new", ENC_WIN1251));
    EXPECT_EQ(1u, answerer.seen.size());
    EXPECT_FALSE(FileExists(missing));
    SetNewFileRefusalCheck(nullptr);
}

TEST_F(AtomicSave, LongPathsSaveAndCopiesAreNamedPerFile)
{
    // Paths that fit MAX_PATH, whose copies beside them do not.
    for (size_t length : { 250u, 255u, 259u }) {
        SCOPED_TRACE(length);
        size_t folderUnits = length - temp.Folder().size() - 2 - 5;
        std::wstring folder = temp.Folder() + L"\\" + std::wstring(folderUnits, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
        std::wstring path = folder + L"\\a.txt";
        ASSERT_EQ(length, path.size());
        EXPECT_TRUE(Save(path, L"first", ENC_UTF8));
        EXPECT_TRUE(Save(path, L"second", ENC_UTF8));
        EXPECT_EQ("second", ReadBytes(path));
        EXPECT_FALSE(FileExists(Replacement(path)));
    }
    // Two names of one folder never share a copy (these two share a key hash).
    EXPECT_NE(Replacement(temp.Path(L"Az.txt")), Replacement(temp.Path(L"GM.txt")));
    EXPECT_NE(Replacement(temp.Path(L"a.txt")), Replacement(temp.Path(L"b.txt")));
}

TEST_F(AtomicSave, TheFileNeverBecomesHidden)
{
    std::wstring path = temp.Path(L"visible.txt");
    EXPECT_TRUE(Save(path, L"new file", ENC_WIN1251));
    EXPECT_EQ(0u, GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    // A hidden copy left behind by a crash is no reason to fail or to hide.
    WriteBytes(Replacement(path), "left by a crash");
    SetFileAttributesW(Replacement(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(Save(path, L"saved again", ENC_WIN1251));
    EXPECT_EQ("saved again", ReadBytes(path));
    EXPECT_EQ(0u, GetFileAttributesW(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_FALSE(FileExists(Replacement(path)));
}

TEST_F(AtomicSave, TheFileKeepsItsAttributes)
{
    const DWORD shown = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (DWORD attributes : { 0ul, (DWORD)FILE_ATTRIBUTE_HIDDEN, (DWORD)FILE_ATTRIBUTE_SYSTEM,
                              shown }) {
        SCOPED_TRACE(attributes);
        std::wstring path = temp.Path(L"attributes.txt");
        WriteBytes(path, "old text");
        SetFileAttributesW(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(Save(path, L"new text", ENC_WIN1251));
        EXPECT_EQ("new text", ReadBytes(path));
        EXPECT_EQ(attributes, GetFileAttributesW(path.c_str()) & shown);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(AtomicSave, SettingsAreReplacedWhole)
{
    std::wstring path = temp.Path(L"Settings.ini");
    WriteBytes(path, Utf16Bytes(L"[Main]\r\nWordWrap=1\r\n"));
    CSettings settings;
    settings.LoadFrom(path.c_str());
    settings.SetInt(L"FontSize", 20);
    WriteBytes(Replacement(path), "left by a crash");
    EXPECT_TRUE(settings.Save());
    EXPECT_EQ(L"[Main]\r\nWordWrap=1\r\nFontSize=20\r\n", FromUtf16Bytes(ReadBytes(path)));
    EXPECT_FALSE(FileExists(Replacement(path)));
    settings.path[0] = 0;
}

// The read cap of four bytes a unit for one more unit than a document holds.
TEST_F(AtomicSave, FilesCutAtTheReadCap)
{
    const size_t cap = 4 * (TEXT_UNIT_LIMIT + 1);
    std::wstring path = temp.Path(L"cut.txt");
    // The text goes to a plain window: an edit control takes seconds to
    // lay out a line of 30000 units.
    HWND sink = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    struct {
        std::string bytes;
        size_t units;
        bool message;
        bool bareLineFeeds;
    } cases[] = {
        // A text that ends at a NUL long before the limit is not too big.
        { std::string("x\0", 2) + std::string(cap, 'y'), 1, false, false },
        // The first line feed lies beyond the cap: bare, or after a CR.
        { std::string(cap + 10, 'a') + "\nb", (size_t)TEXT_UNIT_LIMIT, true, true },
        { std::string(cap + 10, 'a') + "\r\nb", (size_t)TEXT_UNIT_LIMIT, true, false },
        { std::string(cap - 1, 'a') + "\r\nb", (size_t)TEXT_UNIT_LIMIT, true, false },
        { std::string(cap - 1, 'a') + "\n\r\nb", (size_t)TEXT_UNIT_LIMIT, true, true },
        // The text ends at a NUL before that line feed.
        { std::string(cap + 10, 'a') + std::string("\0\n", 2), (size_t)TEXT_UNIT_LIMIT, true, false },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        WriteBytes(path, c.bytes);
        MessageBoxAnswerer answerer;
        CTextFileIO codec(path.c_str(), true, sink, ENC_WIN1251, 0);
        EXPECT_TRUE(codec.truncated);
        EXPECT_EQ(c.units, WindowText(sink).size());
        EXPECT_EQ(c.message ? 1u : 0u, answerer.seen.size());
        EXPECT_EQ(c.bareLineFeeds, (codec.flags & CODEC_BARE_LF) != 0);
    }
    // UTF-16 reads on by units.
    WriteBytes(path, "\xFF\xFE" + Utf16Bytes(std::wstring(cap / 2 + 6, L'ж') + L"\n"));
    MessageBoxAnswerer answerer;
    CTextFileIO wide(path.c_str(), true, sink, ENC_AUTO, 0);
    EXPECT_EQ(ENC_UTF16, wide.encoding);
    EXPECT_EQ(CODEC_BOM | CODEC_BARE_LF, wide.flags);
    DestroyWindow(sink);
}
