#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/recent_files.h"
#include "tests/test_support.h"

namespace {

typedef std::vector<std::wstring> Paths;

// Works on the program's one list, emptied before and after each test so
// that nothing is written when the test program ends.
class RecentFiles : public ::testing::Test {
protected:
    RecentFiles() : listFile(temp.Path(L"Recent.lst")) { Reset(); }
    ~RecentFiles() override { Reset(); }

    static void Reset()
    {
        g_recent.Clear();
        g_recent.file[0] = 0;
    }

    // An existing document in the test's folder.
    std::wstring Document(const std::wstring& name)
    {
        std::wstring path = temp.Path(name);
        WriteBytes(path, "text");
        return path;
    }

    static Paths Listed()
    {
        Paths out;
        for (int i = 0; i < g_recent.count; ++i)
            out.push_back(g_recent.At(i));
        return out;
    }

    std::wstring Saved() const { return FromUtf16Bytes(ReadBytes(listFile)); }

    void LoadFile(const std::string& bytes)
    {
        WriteBytes(listFile, bytes);
        LoadRecentFrom(listFile.c_str());
    }

    TempFolder temp;
    std::wstring listFile;
};

}

TEST_F(RecentFiles, OrderSurvivesSaveAndLoad)
{
    std::wstring a = Document(L"a.txt");
    std::wstring b = Document(L"b.txt");
    AddRecent(a.c_str());
    AddRecent(b.c_str());
    AddRecent(a.c_str());
    EXPECT_EQ(Paths({ a, b }), Listed());

    // Oldest first, every line ended by CR LF, no mark.
    EXPECT_TRUE(SaveRecentTo(listFile.c_str()));
    EXPECT_EQ(Utf16Bytes(b + L"\r\n" + a + L"\r\n"), ReadBytes(listFile));

    Reset();
    LoadRecentFrom(listFile.c_str());
    EXPECT_EQ(Paths({ a, b }), Listed());

    // Saved back where it came from.
    std::wstring c = Document(L"c.txt");
    AddRecent(c.c_str());
    SaveRecent();
    EXPECT_EQ(b + L"\r\n" + a + L"\r\n" + c + L"\r\n", Saved());
}

TEST_F(RecentFiles, PathsDifferingInCaseAreTwoEntries)
{
    AddRecent(L"\\My Documents\\Note.txt");
    AddRecent(L"\\My Documents\\NOTE.txt");
    AddRecent(L"\\My Documents\\Note.txt");
    EXPECT_EQ(Paths({ L"\\My Documents\\Note.txt", L"\\My Documents\\NOTE.txt" }), Listed());
}

TEST_F(RecentFiles, TwentyOneDocumentsDropTheFirst)
{
    Paths added;
    for (int i = 1; i <= 21; ++i) {
        added.push_back(Document(L"doc" + std::to_wstring(i) + L".txt"));
        AddRecent(added.back().c_str());
    }
    ASSERT_EQ(RECENT_MAX, g_recent.count);
    EXPECT_EQ(added[20], g_recent.At(0));
    EXPECT_EQ(added[1], g_recent.At(19));
    for (const std::wstring& path : Listed())
        EXPECT_NE(added[0], path);

    // Twenty lines, oldest first, and the same list after a load.
    SaveRecentTo(listFile.c_str());
    std::wstring expected;
    for (int i = 1; i <= 20; ++i)
        expected += added[i] + L"\r\n";
    EXPECT_EQ(expected, Saved());
    Reset();
    LoadRecentFrom(listFile.c_str());
    EXPECT_EQ(20, g_recent.count);
    EXPECT_EQ(added[20], g_recent.At(0));
    EXPECT_EQ(added[1], g_recent.At(19));
}

TEST_F(RecentFiles, AFullListHoldsTheFilesLastTwentyPaths)
{
    // The file: `before`, then `paths` paths each followed by `after`; which
    // of them come out as the most recent and the oldest.
    struct { const char* what; const wchar_t* before; int paths; const wchar_t* after;
             int first, last; } cases[] = {
        { "longer files keep their last twenty lines", L"", 25, L"\r\n", 24, 5 },
        { "empty lines do not push paths off a full list", L"\r\n", 20, L"\r\n\r\n", 19, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        std::wstring lines = c.before;
        Paths written;
        for (int i = 1; i <= c.paths; ++i) {
            written.push_back(Document(L"n" + std::to_wstring(i)));
            lines += written.back() + c.after;
        }
        LoadFile(Utf16Bytes(lines));
        ASSERT_EQ(20, g_recent.count);
        EXPECT_EQ(written[c.first], g_recent.At(0));
        EXPECT_EQ(written[c.last], g_recent.At(19));
    }
}

TEST_F(RecentFiles, PruneRemovesConsecutiveMissingFiles)
{
    std::wstring a = Document(L"a.txt");
    std::wstring b = Document(L"b.txt");
    std::wstring c = Document(L"c.txt");
    std::wstring d = Document(L"d.txt");
    for (const std::wstring* path : { &a, &b, &c, &d })
        AddRecent(path->c_str());
    DeleteFileW(c.c_str());
    DeleteFileW(b.c_str());
    PruneRecent();
    EXPECT_EQ(Paths({ d, a }), Listed());

    DeleteFileW(d.c_str());
    DeleteFileW(a.c_str());
    PruneRecent();
    EXPECT_EQ(Paths(), Listed());
}

TEST_F(RecentFiles, FilesAreReadLineByLineWithinTheirBytes)
{
    std::wstring a = Document(L"a.txt");
    std::wstring b = Document(L"b.txt");
    std::wstring c = Document(L"c.txt");
    // 260 units: the start of it could name an existing file, but is not taken.
    std::wstring overlong = a + std::wstring(MAX_PATH - a.size(), L'x');
    struct { const char* what; std::string bytes; Paths listed; } cases[] = {
        { "duplicates keep their last place",
          Utf16Bytes(a + L"\r\n" + b + L"\r\n" + a + L"\r\n" + c + L"\r\n" + b + L"\r\n"), { b, c, a } },
        { "empty lines and vanished files are dropped",
          Utf16Bytes(a + L"\r\n\r\n" + temp.Path(L"gone.txt") + L"\r\n" + temp.Path(L"gone too.txt") +
                     L"\r\n" + b + L"\r\n\r\n"), { b, a } },
        { "the last line without a line end is the most recent",
          Utf16Bytes(a + L"\r\n" + b), { b, a } },
        { "an odd byte at the end is not half a unit of a path",
          Utf16Bytes(a + L"\r\n" + b) + "\x41", { b, a } },
        { "a lone CR at the very end", Utf16Bytes(a + L"\r\n" + b + L"\r"), { b, a } },
        { "no CR at all", Utf16Bytes(a), { a } },
        { "a NUL unit ends the path it sits in; the next line is still read",
          Utf16Bytes(a + std::wstring(1, L'\0') + L"junk\r\n" + b + L"\r\n"), { b, a } },
        { "a single byte", "\x41", {} },
        { "a single CR", Utf16Bytes(L"\r"), {} },
        { "overlong lines are skipped",
          Utf16Bytes(a + L"\r\n" + overlong + L"\r\n" + b + L"\r\n"), { b, a } },
    };
    for (auto& each : cases) {
        Reset();
        LoadFile(each.bytes);
        EXPECT_EQ(each.listed, Listed()) << each.what;
    }
}

TEST_F(RecentFiles, MissingFileIsCreatedEmpty)
{
    ASSERT_FALSE(FileExists(listFile));
    LoadRecentFrom(listFile.c_str());
    EXPECT_EQ(0, g_recent.count);
    EXPECT_TRUE(FileExists(listFile));
    EXPECT_EQ("", ReadBytes(listFile));
}

TEST_F(RecentFiles, WholePathOf259UnitsSurvives)
{
    // A folder and a file name that make the longest path there is (ASCII:
    // the test prefix may lack a locale for other file names).
    std::wstring folder = temp.Folder() + L"\\";
    folder += std::wstring(200 - folder.size(), L'd');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    std::wstring path = folder + L"\\";
    path += std::wstring(MAX_PATH - 1 - path.size() - 4, L'f') + L".txt";
    ASSERT_EQ(259u, path.size());
    ASSERT_TRUE(WriteBytes(path, "text"));
    std::wstring a = Document(L"a.txt");

    AddRecent(path.c_str());
    AddRecent(a.c_str());
    // One unit more would not fit whole: refused, not cut into another path
    // (which here would be the long one, moving to the front).
    std::wstring tooLong = path + L"x";
    AddRecent(tooLong.c_str());
    EXPECT_EQ(Paths({ a, path }), Listed());

    SaveRecentTo(listFile.c_str());
    EXPECT_EQ(path + L"\r\n" + a + L"\r\n", Saved());
    Reset();
    LoadRecentFrom(listFile.c_str());
    EXPECT_EQ(Paths({ a, path }), Listed());
}

TEST_F(RecentFiles, ListIsSavedWhenItGoes)
{
    std::wstring a = Document(L"a.txt");
    std::wstring b = Document(L"b.txt");
    {
        CRecentList list;
        list.LoadFrom(listFile.c_str());
        list.Add(a.c_str());
        list.Add(b.c_str());
    }
    EXPECT_EQ(a + L"\r\n" + b + L"\r\n", Saved());
}

TEST_F(RecentFiles, StartUpLoadsFromTheProgramFolder)
{
    LoadRecent();
    std::wstring expected = ProgramFolder() + L"Recent.lst";
    EXPECT_EQ(expected, g_recent.file);
    EXPECT_TRUE(FileExists(expected));
}

TEST_F(RecentFiles, AListThatCannotBeReadIsNeverWrittenOver)
{
    std::wstring a = Document(L"a.txt");
    std::string bytes = Utf16Bytes(a + L"\r\n");
    WriteBytes(listFile, bytes);
    HANDLE holder =
        CreateFileW(listFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    {
        CRecentList list;
        list.LoadFrom(listFile.c_str());
        CloseHandle(holder);
        EXPECT_EQ(0, list.count);
        list.Add(Document(L"b.txt").c_str());
    }
    EXPECT_EQ(bytes, ReadBytes(listFile));
}

TEST_F(RecentFiles, AnUnchangedListIsNotWrittenAgain)
{
    std::wstring a = Document(L"a.txt");
    std::wstring b = Document(L"b.txt");
    LoadFile(Utf16Bytes(a + L"\r\n" + b + L"\r\n"));
    const ULONGLONG longAgo = 125000000000000000ull;
    ASSERT_TRUE(SetFileWriteTime(listFile, longAgo));
    // The same paths in the same order: the file is left as it is.
    AddRecent(b.c_str());
    EXPECT_TRUE(SaveRecentTo(listFile.c_str()));
    EXPECT_EQ(longAgo, FileWriteTime(listFile));
    // Another order is another list.
    AddRecent(a.c_str());
    EXPECT_TRUE(SaveRecentTo(listFile.c_str()));
    EXPECT_NE(longAgo, FileWriteTime(listFile));
    EXPECT_EQ(b + L"\r\n" + a + L"\r\n", Saved());
}
