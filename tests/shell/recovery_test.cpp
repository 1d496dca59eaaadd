#include "tests/shell/app_fixture.h"

#include <algorithm>
#include <functional>

#include "editor/document_snapshots.h"
#include "resources/resource.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "storage/encodings.h"
#include "storage/notice.h"
#include "tools/process_windows.h"

namespace {

const wchar_t kQuestion[] =
    L"Программа была закрыта без сохранения изменений. Восстановить несохранённые тексты?";

class Recovery : public AppFixture {
protected:
    std::wstring Folder() { return temp.Path(L"Recovery"); }

    // The names of the files there now, sorted.
    std::vector<std::wstring> Files()
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW((Folder() + L"\\*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(data.cFileName);
        } while (FindNextFileW(search, &data));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

    // The snapshot files there now, read back.
    std::vector<std::wstring> Snapshots()
    {
        std::vector<std::wstring> texts;
        for (const std::wstring& name : Files()) {
            Snapshot snapshot;
            if (IsSnapshotFileName(name.c_str()) &&
                ReadSnapshot((Folder() + L"\\" + name).c_str(), &snapshot) == SNAPSHOT_WHOLE)
                texts.push_back(std::to_wstring(snapshot.order) + L" " + snapshot.path + L" " +
                                std::to_wstring(snapshot.encoding) + L" " +
                                std::to_wstring(snapshot.flags) + L" " + snapshot.text);
        }
        return texts;
    }

    // Types at the end of document `index`, as the keyboard does.
    static void Type(int index, const std::wstring& text)
    {
        Doc(index)->SetSelection(Doc(index)->GetTextLength(), Doc(index)->GetTextLength(), false);
        for (wchar_t c : text)
            Doc(index)->SendToEdit(WM_CHAR, c, 1);
    }

    // A document of 680 units with a file, changed by typing, its snapshot
    // written with whatever `change` does to the document, and the run
    // ended as by a crash. The snapshot file's name.
    std::wstring CrashWithOneSnapshot(const std::function<void(CDocument*)>& change = nullptr)
    {
        std::string text;
        for (int line = 0; text.size() < 670; ++line)
            text += "line " + std::to_string(line) + " abcdefghij\r\n";
        text.resize(670);
        WriteBytes(Path(), text);
        EXPECT_TRUE(StartApp(L"\"" + Path() + L"\""));
        Type(0, L"0123456789");
        if (change)
            change(Doc(0));
        WriteDueSnapshots();
        Crash();
        std::vector<std::wstring> files = Files();
        EXPECT_EQ(1u, files.size());
        return files.empty() ? L"" : files[0];
    }

    std::wstring Path() { return temp.Path(L"doc.txt"); }

    // Ends the run as a crash would: the snapshots stay where they are.
    void Crash()
    {
        std::wstring kept = temp.Path(L"kept");
        MoveFileW(Folder().c_str(), kept.c_str());
        TearDown();
        MoveFileW(kept.c_str(), Folder().c_str());
    }
};

}

TEST_F(Recovery, SnapshotsFollowChangesAndGoOnSaveCloseAndCleanEnd)
{
    std::wstring path = temp.Path(L"письмо.txt");
    WriteBytes(path, "\xEF\xBB\xBF" "first\nline\n");
    ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
    EXPECT_TRUE(Snapshots().empty());

    // A change is written by the timer within the delay, never at once.
    Type(0, L"ab");
    EXPECT_TRUE(Snapshots().empty());
    PumpUntil([&] { return !Snapshots().empty(); }, 3 * SNAPSHOT_DELAY_MS);
    EXPECT_EQ(std::vector<std::wstring>{ L"0 " + path + L" 65001 3 first\r\nline\r\nab" },
              Snapshots());

    // An untitled document beside it; saving the first removes only its own.
    Command(CMD_WINDOW_NEW);
    Type(1, L"черновик");
    Type(0, L"c");
    WriteDueSnapshots();
    EXPECT_EQ(2u, Snapshots().size());
    Command(CMD_TAB_CHOSEN, 0);
    Command(CMD_SAVE);
    EXPECT_EQ("\xEF\xBB\xBF" "first\nline\nabc", ReadBytes(path));
    EXPECT_EQ(std::vector<std::wstring>{ L"1  0 0 черновик" }, Snapshots());

    // Closed without saving by the user's choice: gone.
    Command(CMD_TAB_CHOSEN, 1);
    {
        MessageBoxAnswerer answerer({ IDNO });
        Command(CMD_WINDOW_CLOSE);
        EXPECT_EQ(1u, answerer.seen.size());
    }
    EXPECT_TRUE(Snapshots().empty());

    // A clean end leaves nothing behind.
    Type(0, L"d");
    WriteDueSnapshots();
    EXPECT_EQ(1u, Snapshots().size());
    {
        MessageBoxAnswerer answerer({ IDNO });
        SendMessageW(g_app.mainWindow, WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(FileExists(Folder()));
}

TEST_F(Recovery, ASaveRemovesTheSnapshotWrittenOrNot)
{
    WriteBytes(Path(), "text");
    ASSERT_TRUE(StartApp(L"\"" + Path() + L"\""));
    // Saved before its snapshot was due: none was written, none stays.
    Type(0, L"a");
    Command(CMD_SAVE);
    EXPECT_EQ(0, SnapshotCount());
    EXPECT_FALSE(FileExists(Folder()));
    // Saved after one was written and the text changed again: it goes, and
    // the folder with it.
    Type(0, L"b");
    WriteDueSnapshots();
    ASSERT_EQ(1u, Snapshots().size());
    Type(0, L"c");
    Command(CMD_SAVE);
    EXPECT_FALSE(FileExists(Folder()));
    EXPECT_EQ("textabc", ReadBytes(Path()));
}

TEST_F(Recovery, TheNextStartAsksOnceAndRestoresOrRemoves)
{
    std::wstring path = temp.Path(L"заметки.txt");
    WriteBytes(path, "\xFF\xFE" + Utf16Bytes(L"строка\r\n"));
    std::wstring last = temp.Path(L"last.txt");
    WriteBytes(last, "last file");
    const std::wstring settings = L"LoadLastFile=1\r\nLastFileName=" + last + L"\r\n";
    for (int answer : { IDYES, IDNO }) {
        SCOPED_TRACE(answer);
        ASSERT_TRUE(StartApp(L"\"" + path + L"\"", settings));
        Command(CMD_WINDOW_NEW);
        Type(1, L"новый текст");
        Command(CMD_TAB_CHOSEN, 0);
        Type(0, L"дописано");
        WriteDueSnapshots();
        Crash();

        // Started again with the last file: the question comes once.
        MessageBoxAnswerer answerer({ answer });
        ASSERT_TRUE(StartApp(L"", settings));
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_EQ(kQuestion, answerer.seen[0].text);
        EXPECT_EQ((UINT)MB_ICONQUESTION, answerer.seen[0].icon);
        EXPECT_TRUE(answerer.seen[0].hasYes && answerer.seen[0].hasNo);
        EXPECT_EQ(last, Doc(0)->path);
        EXPECT_EQ(0, g_app.current);
        if (answer == IDNO) {
            EXPECT_EQ(1, g_app.documents.count);
            EXPECT_FALSE(FileExists(Folder()));
            TearDown();
            break;
        }
        // Each restored text in a tab of its own, in the order they had,
        // modified, with its path, encoding and flags.
        ASSERT_EQ(3, g_app.documents.count);
        EXPECT_EQ(path, Doc(1)->path);
        EXPECT_EQ(ENC_UTF16, Doc(1)->encoding);
        EXPECT_EQ((DWORD)CODEC_BOM, Doc(1)->codecFlags);
        EXPECT_EQ(L"строка\r\nдописано", DocText(1));
        EXPECT_EQ(1, Doc(1)->modified);
        EXPECT_EQ(L"", std::wstring(Doc(2)->path));
        EXPECT_EQ(L"новый текст", DocText(2));
        EXPECT_EQ(1, Doc(2)->modified);
        // Save writes the original file; the other snapshot stays until its
        // document is done with.
        Command(CMD_TAB_CHOSEN, 1);
        Command(CMD_SAVE);
        EXPECT_EQ("\xFF\xFE" + Utf16Bytes(L"строка\r\nдописано"), ReadBytes(path));
        EXPECT_EQ(1u, Snapshots().size());
        TearDown();
    }
}

TEST_F(Recovery, ASecondStartThatHandsOverAFileNeverRestores)
{
    std::wstring path = temp.Path(L"doc.txt");
    WriteBytes(path, "text");
    ASSERT_TRUE(StartApp());
    Type(0, L"unsaved");
    WriteDueSnapshots();
    ASSERT_EQ(1u, Snapshots().size());

    MessageBoxAnswerer answerer;
    SetDeviceCommandLine((L"\"" + path + L"\"").c_str());
    EXPECT_FALSE(InitMainWindow(g_app.instance, SW_SHOW, RegisterMainClass));
    PumpMessages();
    EXPECT_TRUE(answerer.seen.empty());
    ASSERT_EQ(2, g_app.documents.count);
    EXPECT_EQ(path, Doc(1)->path);
    EXPECT_EQ(L"unsaved", DocText(0));
    EXPECT_EQ(1u, Snapshots().size());
}

namespace {

// The text after a snapshot's header, as UTF-16 units (zeros and all).
std::wstring TextOfSnapshot(const std::string& bytes)
{
    std::string end = Utf16Bytes(L"\r\n\r\n");
    size_t at = bytes.find(end);
    if (at == std::string::npos || at % 2)
        return L"";
    std::string rest = bytes.substr(at + end.size());
    rest.resize(rest.size() & ~(size_t)1);
    return FromUtf16Bytes(rest);
}

size_t HeaderEnd(const std::string& bytes)
{
    return bytes.find(Utf16Bytes(L"\r\n\r\n")) + 8;
}

}

// A damaged snapshot is never removed: it is set aside in the folder, and
// what can be read of it comes back, the question saying so and where it lies.
TEST_F(Recovery, DamagedSnapshotsAreSetAsideAndOfferedInPart)
{
    struct Damage {
        const char* name;
        std::function<void(std::string&)> spoil;
        int unitsBack;   // of the text after the header; -1: nothing can be read
    };
    const std::vector<Damage> damages = {
        { "last unit missing", [](std::string& b) { b.resize(b.size() - 2); }, 679 },
        { "odd byte missing", [](std::string& b) { b.resize(b.size() - 1); }, 679 },
        { "half the text", [](std::string& b) { b.resize(HeaderEnd(b) + 680); }, 340 },
        { "cut in the header", [](std::string& b) { b.resize(60); }, -1 },
        { "zero tail", [](std::string& b) { std::fill(b.end() - 400, b.end(), '\0'); }, 480 },
        { "all zeros", [](std::string& b) { std::fill(b.begin(), b.end(), '\0'); }, -1 },
        { "a changed unit", [](std::string& b) { b[HeaderEnd(b) + 20] ^= 1; }, 680 },
        { "huge length",
          [](std::string& b) {
              std::string units = Utf16Bytes(L"Units=680");
              b.replace(b.find(units), units.size(), Utf16Bytes(L"Units=99999999"));
          },
          680 },
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        std::wstring name = CrashWithOneSnapshot();
        std::wstring file = Folder() + L"\\" + name;
        std::string bytes = ReadBytes(file);
        damage.spoil(bytes);
        WriteBytes(file, bytes);

        MessageBoxAnswerer answerer({ IDYES });
        ASSERT_TRUE(StartApp());
        ASSERT_EQ(1u, answerer.seen.size());
        std::wstring aside = L"Повреждённые копии оставлены в папке " + Folder() + L".";
        if (damage.unitsBack < 0) {
            EXPECT_EQ(L"Несохранённые тексты прошлого запуска повреждены, восстановить их нельзя."
                      L"\n\n" + aside,
                      answerer.seen[0].text);
            EXPECT_EQ((UINT)MB_ICONWARNING, answerer.seen[0].icon);
            EXPECT_EQ(1, g_app.documents.count);
            EXPECT_EQ(L"", DocText(0));
        } else {
            EXPECT_EQ(std::wstring(kQuestion) +
                          L"\n\nТолько частично можно восстановить текстов: 1.\n\n" + aside,
                      answerer.seen[0].text);
            ASSERT_EQ(1, g_app.documents.count);
            EXPECT_EQ(TextOfSnapshot(bytes).substr(0, damage.unitsBack), DocText(0));
            // The file stays named, but only the chooser writes it: the text
            // may be only its start.
            EXPECT_EQ(Path(), Doc(0)->path);
            EXPECT_TRUE(Doc(0)->truncated);
            EXPECT_EQ(1, Doc(0)->modified);
        }
        // Set aside under its number, byte for byte; nothing removed.
        std::wstring stem = name.substr(0, name.find(L'.'));
        EXPECT_EQ(std::vector<std::wstring>{ stem + L".damaged" }, Files());
        EXPECT_EQ(bytes, ReadBytes(Folder() + L"\\" + stem + L".damaged"));
        TearDown();
        EXPECT_EQ(std::vector<std::wstring>{ stem + L".damaged" }, Files());
        DeleteFileW((Folder() + L"\\" + stem + L".damaged").c_str());
    }
}

// Fields a snapshot's checksum vouches for are still checked: the text
// comes back whole, with what is wrong made harmless.
TEST_F(Recovery, SnapshotFieldsAreCheckedOnRestore)
{
    struct FieldCase {
        const char* name;
        std::wstring path;        // written into the snapshot; empty: the document's own
        int encoding;             // written; -1: the document's own
        DWORD flags;              // written
        bool pathKept;
        int encodingBack;
        DWORD flagsBack;
    };
    const std::wstring languageFile = ProgramFolder() + L"Languages\\English.lng";
    const std::vector<FieldCase> cases = {
        { "unknown encoding", L"", 42, 0, true, ENC_UTF8, 0 },
        { "unknown flags", L"", -1, 0xFFFF, true, ENC_WIN1251, CODEC_BOM | CODEC_BARE_LF },
        { "relative path", L"relative.txt", -1, 0, false, ENC_WIN1251, 0 },
        { "device in a folder", L"C:\\notes\\con.txt", -1, 0, false, ENC_WIN1251, 0 },
        { "device namespace", L"\\\\.\\COM1", -1, 0, false, ENC_WIN1251, 0 },
        { "the settings file", L"settings", -1, 0, false, ENC_WIN1251, 0 },
        { "a language file", languageFile, -1, 0, false, ENC_WIN1251, 0 },
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring name = CrashWithOneSnapshot([&](CDocument* document) {
            document->encoding = c.encoding < 0 ? ENC_WIN1251 : c.encoding;
            document->codecFlags = c.flags;
            std::wstring path = c.path == L"settings" ? settingsPath : c.path;
            if (!path.empty())
                StringCchCopyW(document->path, MAX_PATH, path.c_str());
        });
        MessageBoxAnswerer answerer({ IDYES });
        ASSERT_TRUE(StartApp());
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_EQ(kQuestion, answerer.seen[0].text);
        ASSERT_EQ(1, g_app.documents.count);
        EXPECT_EQ(c.pathKept ? Path() : L"", std::wstring(Doc(0)->path));
        EXPECT_EQ(c.encodingBack, Doc(0)->encoding);
        EXPECT_EQ(c.flagsBack, Doc(0)->codecFlags);
        EXPECT_FALSE(Doc(0)->truncated);
        EXPECT_EQ(680, Doc(0)->GetTextLength());
        // Read whole: it stays the document's snapshot.
        EXPECT_EQ(std::vector<std::wstring>{ name }, Files());
        TearDown();
        EXPECT_FALSE(FileExists(Folder()));
    }
}

TEST_F(Recovery, TwoSnapshotsOfOneFileBothComeBackTheSecondUntitled)
{
    std::wstring path = temp.Path(L"same.txt");
    WriteBytes(path, "same");
    ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
    Type(0, L" first");
    Command(CMD_WINDOW_NEW);
    StringCchCopyW(Doc(1)->path, MAX_PATH, path.c_str());
    Type(1, L"second");
    WriteDueSnapshots();
    Crash();

    MessageBoxAnswerer answerer({ IDYES });
    ASSERT_TRUE(StartApp());
    ASSERT_EQ(2, g_app.documents.count);
    EXPECT_EQ(path, Doc(0)->path);
    EXPECT_EQ(L"same first", DocText(0));
    EXPECT_EQ(L"", std::wstring(Doc(1)->path));
    EXPECT_EQ(L"second", DocText(1));
}

// Snapshots that cannot be written (here the folder's name is taken by a
// file) are tried again without a key, and the user is told once per
// failure, never over a question.
TEST_F(Recovery, FailingSnapshotsAreRetriedAndToldOnce)
{
    const std::wstring told = L"Папка " + Folder() +
                              L" недоступна для записи: несохранённые тексты не удаётся сохранить "
                              L"на случай сбоя. Сохраните документы.";
    auto block = [&] { return WriteBytes(Folder(), "in the way"); };
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(block());
    MessageBoxAnswerer answerer;
    Type(0, L"unsaved");
    EXPECT_FALSE(WriteDueSnapshots());
    PumpMessages();
    ASSERT_EQ(1u, answerer.seen.size());
    EXPECT_EQ(told, answerer.seen[0].text);
    EXPECT_EQ((UINT)MB_ICONWARNING, answerer.seen[0].icon);
    Type(0, L" more");
    EXPECT_FALSE(WriteDueSnapshots());
    PumpMessages();
    EXPECT_EQ(1u, answerer.seen.size());

    // The way clears: the timer writes it, no key needed.
    DeleteFileW(Folder().c_str());
    EXPECT_TRUE(PumpUntil([&] { return Snapshots().size() == 1; }, 3 * SNAPSHOT_RETRY_MS));
    EXPECT_EQ(std::vector<std::wstring>{ L"0  0 0 unsaved more" }, Snapshots());
    EXPECT_EQ(1u, answerer.seen.size());

    // A new failure after that success is told again, but only once the
    // question that is up has ended.
    for (const std::wstring& name : Files())
        DeleteFileW((Folder() + L"\\" + name).c_str());
    RemoveDirectoryW(Folder().c_str());
    ASSERT_TRUE(block());
    answerer.onShown = [&](const SeenBox& box) {
        if (box.text != L"question")
            return;
        Type(0, L"!");
        EXPECT_FALSE(WriteDueSnapshots());
    };
    ShowNotice(g_app.mainWindow, nullptr, L"question", MB_OK);
    PumpMessages();
    ASSERT_EQ(3u, answerer.seen.size());
    EXPECT_EQ(L"question", answerer.seen[1].text);
    EXPECT_EQ(told, answerer.seen[2].text);
    DeleteFileW(Folder().c_str());
}

namespace {

std::vector<HWND> MainWindows()
{
    return TopLevelWindows([](HWND window) { return HasWindowClass(window, L"QUILLEX"); });
}

// The questions the two programs show.
std::vector<HWND> Questions(HANDLE first, HANDLE second)
{
    DWORD processes[] = { GetProcessId(first), GetProcessId(second) };
    return TopLevelWindows([&processes](HWND window) {
        DWORD process = ProcessOfWindow(window);
        return (process == processes[0] || process == processes[1]) &&
               IsShownDialogWith(window, IDYES);
    });
}

BOOL CALLBACK AddDocumentText(HWND window, LPARAM lParam)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (lstrcmpiW(name, L"Edit") == 0 && (GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE) &&
        GetParent(window) == GetAncestor(window, GA_ROOT)) {
        wchar_t text[200] = L"";
        DWORD_PTR got = 0;
        SendMessageTimeoutW(window, WM_GETTEXT, 200, (LPARAM)text, SMTO_NORMAL, 10000, &got);
        ((std::vector<std::wstring>*)lParam)->push_back(text);
    }
    return TRUE;
}

std::vector<std::wstring> DocumentTexts(HWND main)
{
    std::vector<std::wstring> texts;
    EnumChildWindows(main, AddDocumentText, (LPARAM)&texts);
    std::sort(texts.begin(), texts.end());
    return texts;
}

bool Ended(HANDLE process)
{
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

}

// Two starts at once (a double tap on the program): one program runs, asks
// once and restores each text once; the other start only hands over.
TEST_F(Recovery, TwoStartsAtOnceGiveOneProgramThatRestoresOnce)
{
    ASSERT_TRUE(StartApp());
    Type(0, L"first text");
    Command(CMD_WINDOW_NEW);
    Type(1, L"second text");
    WriteDueSnapshots();
    Crash();
    ASSERT_TRUE(InstallProgram(temp.Folder()));
    const std::wstring commandLine = L"\"" + temp.Path(L"Quillex.exe") + L"\"";
    const std::vector<std::wstring> restored = { L"first text", L"second text" };

    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        HANDLE first = StartProgram(commandLine, temp.Folder());
        HANDLE second = StartProgram(commandLine, temp.Folder());
        ASSERT_TRUE(first && second);
        std::vector<HWND> boxes;
        EXPECT_TRUE(PumpUntil([&] { return !(boxes = Questions(first, second)).empty(); }, 30000));
        for (HWND box : boxes)
            PostMessageW(box, WM_COMMAND, IDYES, 0);
        EXPECT_EQ(1u, boxes.size());
        // The second start hands over and ends.
        EXPECT_TRUE(PumpUntil([&] { return Ended(first) || Ended(second); }, 15000));
        HANDLE running = Ended(first) ? second : first;
        std::vector<HWND> mains = MainWindows();
        EXPECT_EQ(1u, mains.size());
        if (mains.size() == 1) {
            PumpUntil([&] { return DocumentTexts(mains[0]).size() >= restored.size(); }, 15000);
            EXPECT_EQ(restored, DocumentTexts(mains[0]));
        }
        EXPECT_TRUE(Questions(first, second).empty());
        // Ended as by a crash: the snapshots stay for the next round.
        TerminateProcess(first, 1);
        TerminateProcess(second, 1);
        WaitForSingleObject(running, 10000);
        WaitForSingleObject(first, 10000);
        WaitForSingleObject(second, 10000);
        CloseHandle(first);
        CloseHandle(second);
        if (HasFatalFailure() || HasFailure())
            break;
    }
}
