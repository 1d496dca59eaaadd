#include "tests/shell/app_fixture.h"

#include "editor/document_snapshots.h"
#include "resources/resource.h"
#include "shell/startup.h"
#include "storage/encodings.h"

namespace {

const wchar_t kQuestion[] =
    L"Программа была закрыта без сохранения изменений. Восстановить несохранённые тексты?";

class Recovery : public AppFixture {
protected:
    std::wstring Folder() { return temp.Path(L"Recovery"); }

    // The snapshot files there now, read back.
    std::vector<std::wstring> Snapshots()
    {
        std::vector<std::wstring> texts;
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW((Folder() + L"\\*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE)
            return texts;
        do {
            Snapshot snapshot;
            if (IsSnapshotFileName(data.cFileName) &&
                ReadSnapshot((Folder() + L"\\" + data.cFileName).c_str(), &snapshot))
                texts.push_back(std::to_wstring(snapshot.order) + L" " + snapshot.path + L" " +
                                std::to_wstring(snapshot.encoding) + L" " +
                                std::to_wstring(snapshot.flags) + L" " + snapshot.text);
        } while (FindNextFileW(search, &data));
        FindClose(search);
        return texts;
    }

    // Types at the end of document `index`, as the keyboard does.
    static void Type(int index, const std::wstring& text)
    {
        Doc(index)->SetSelection(Doc(index)->GetTextLength(), Doc(index)->GetTextLength(), false);
        for (wchar_t c : text)
            Doc(index)->SendToEdit(WM_CHAR, c, 1);
    }

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
    EXPECT_FALSE(InitMainWindow(g_app.instance, SW_SHOW));
    PumpMessages();
    EXPECT_TRUE(answerer.seen.empty());
    ASSERT_EQ(2, g_app.documents.count);
    EXPECT_EQ(path, Doc(1)->path);
    EXPECT_EQ(L"unsaved", DocText(0));
    EXPECT_EQ(1u, Snapshots().size());
}
