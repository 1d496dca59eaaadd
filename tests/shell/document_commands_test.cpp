#include "tests/shell/app_fixture.h"

#include "editor/document_snapshots.h"
#include "editor/tab_panel.h"
#include "resources/resource.h"
#include "storage/encodings.h"
#include "storage/atomic_file.h"
#include "storage/settings.h"

namespace {

const wchar_t kInUse[] =
    L"Файл открыт другой программой и не может быть заменён. Закройте его там и сохраните снова.";

// Snapshot files written so far.
int SnapshotFiles()
{
    int n = 0;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((std::wstring(SnapshotFolder()) + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        n += IsSnapshotFileName(data.cFileName) ? 1 : 0;
    while (FindNextFileW(search, &data));
    FindClose(search);
    return n;
}

class DocumentCommands : public AppFixture {
protected:
    // Starts with the chooser's last folder in the temporary folder.
    bool Start(const std::wstring& settings = L"", const std::wstring& arguments = L"")
    {
        return StartApp(arguments, L"LastFolder=" + temp.Folder() + L"\r\n" + settings);
    }
    // A document with a file holding `text`, opened in a new tab (or the
    // first one when it is empty and untitled).
    void OpenNamed(const std::wstring& name, const std::string& text)
    {
        std::wstring path = temp.Path(name);
        WriteBytes(path, text);
        if (Doc(g_app.current)->HasFileName() || Doc(g_app.current)->GetTextLength() > 0)
            Command(CMD_WINDOW_NEW);
        ASSERT_TRUE(Doc(g_app.current)->Load(path.c_str(), ENC_AUTO));
    }
    static void Edit(int index, const wchar_t* text)
    {
        Doc(index)->SetText(text);
        Doc(index)->SetModified(true);
    }
    // Exactly the current document's edit window is shown.
    static bool ViewIsConsistent()
    {
        for (int i = 0; i < g_app.documents.count; ++i) {
            if (Doc(i)->IsVisible() != (i == g_app.current))
                return false;
        }
        return g_app.tabPanel == nullptr || g_app.tabPanel->currentTab == g_app.current;
    }
};

// Saves under `name` in the chooser's folder with the given encoding.
DialogDriver::Script SaveAs(const std::wstring& name, const std::wstring& encoding = L"",
                            bool bareLineFeeds = false)
{
    return [=](DialogView& view) {
        view.Type(IDC_CHOOSER_NAME, name);
        if (!encoding.empty()) {
            EXPECT_TRUE(view.Pick(IDC_CHOOSER_ENCODING, encoding));
        }
        if (bareLineFeeds)
            view.Press(IDC_CHOOSER_LF);
        view.Press(IDOK);
    };
}

}

TEST_F(DocumentCommands, NewReplacesTheCurrentDocumentAtTheEnd)
{
    ASSERT_TRUE(Start());
    Command(CMD_WINDOW_NEW);
    Command(CMD_WINDOW_NEW);
    Doc(0)->SetText(L"first");
    Doc(1)->SetText(L"second");
    Doc(2)->SetText(L"third");
    Command(CMD_TAB_CHOSEN, 0);
    MessageBoxAnswerer answerer;
    Command(CMD_NEW);
    EXPECT_TRUE(answerer.seen.empty());
    ASSERT_EQ(3, g_app.documents.count);
    EXPECT_EQ(L"second", DocText(0));
    EXPECT_EQ(L"third", DocText(1));
    EXPECT_EQ(L"", DocText(2));
    EXPECT_EQ(2, g_app.current);
    EXPECT_TRUE(ViewIsConsistent());
}

TEST_F(DocumentCommands, NewAndOpenInANewTab)
{
    ASSERT_TRUE(Start(L"AddTabForDocs=1\r\n"));
    Edit(0, L"unsaved work");
    {
        MessageBoxAnswerer answerer;
        Command(CMD_NEW);
        EXPECT_TRUE(answerer.seen.empty());
    }
    ASSERT_EQ(2, g_app.documents.count);
    EXPECT_EQ(L"unsaved work", DocText(0));
    EXPECT_EQ(1, g_app.current);

    // Open, cancelled in the chooser: the added tab goes again.
    Command(CMD_TAB_CHOSEN, 0);
    DialogDriver driver(L"Выбор файла");
    driver.Then([](DialogView& view) { view.Press(IDCANCEL); });
    MessageBoxAnswerer answerer;
    Command(CMD_OPEN);
    EXPECT_EQ(1, driver.ran);
    EXPECT_TRUE(answerer.seen.empty());
    EXPECT_EQ(2, g_app.documents.count);
    EXPECT_EQ(0, g_app.current);
    EXPECT_EQ(L"unsaved work", DocText(0));
    EXPECT_TRUE(ViewIsConsistent());
}

TEST_F(DocumentCommands, ClosingTheOnlyDocument)
{
    ASSERT_TRUE(Start(L"WordWrap=1\r\n"));
    OpenNamed(L"only.txt", "text");
    Command(CMD_WINDOW_CLOSE);
    ASSERT_EQ(1, g_app.documents.count);
    EXPECT_FALSE(Doc(0)->HasFileName());
    EXPECT_EQ(L"", DocText(0));
    EXPECT_TRUE(Doc(0)->IsWordWrap());
    EXPECT_EQ(L"", Setting(L"LastFileName"));

    // Typed and erased again: closes without a question.
    Edit(0, L"");
    MessageBoxAnswerer answerer;
    Command(CMD_WINDOW_CLOSE);
    EXPECT_TRUE(answerer.seen.empty());
}

TEST_F(DocumentCommands, ExitWithNothingModifiedAsksNothingAndNotesTheLastFile)
{
    ASSERT_TRUE(Start());
    OpenNamed(L"a.txt", "a");
    OpenNamed(L"b.txt", "b");
    Command(CMD_WINDOW_NEW);
    Command(CMD_TAB_CHOSEN, 0);
    MessageBoxAnswerer answerer;
    SendMessageW(g_app.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(answerer.seen.empty());
    EXPECT_FALSE(IsWindow(g_app.mainWindow));
    // The last tab with a file, not the one shown.
    EXPECT_EQ(temp.Path(L"b.txt"), Setting(L"LastFileName"));
}

TEST_F(DocumentCommands, ExitAsksAboutEveryModifiedDocument)
{
    ASSERT_TRUE(Start());
    OpenNamed(L"a.txt", "a");
    OpenNamed(L"b.txt", "b");
    OpenNamed(L"c.txt", "c");
    for (int i = 0; i < 3; ++i)
        Edit(i, L"changed");
    Command(CMD_TAB_CHOSEN, 0);
    {
        MessageBoxAnswerer answerer({ IDNO, IDYES, IDCANCEL });
        SendMessageW(g_app.mainWindow, WM_CLOSE, 0, 0);
        ASSERT_EQ(3u, answerer.seen.size());
        EXPECT_EQ(L"Файл " + temp.Path(L"b.txt") + L" был изменён. Сохранить изменения?",
                  answerer.seen[1].text);
        EXPECT_EQ(L"Внимание", answerer.seen[1].caption);
        EXPECT_EQ((UINT)MB_ICONQUESTION, answerer.seen[1].icon);
    }
    EXPECT_TRUE(IsWindow(g_app.mainWindow));
    EXPECT_EQ("a", ReadBytes(temp.Path(L"a.txt")));
    EXPECT_EQ("changed", ReadBytes(temp.Path(L"b.txt")));
    EXPECT_EQ("c", ReadBytes(temp.Path(L"c.txt")));
    EXPECT_EQ(temp.Path(L"c.txt"), Setting(L"LastFileName"));
    // After the Cancel the shown document, its tab and `current` agree.
    EXPECT_EQ(0, g_app.current);
    EXPECT_TRUE(ViewIsConsistent());
}

TEST_F(DocumentCommands, SaveAllAsksForANameOnlyForTheUntitled)
{
    ASSERT_TRUE(Start());
    OpenNamed(L"named.txt", "old");
    Edit(0, L"new text");
    Command(CMD_WINDOW_NEW);
    Edit(1, L"Без имени");
    DialogDriver driver(L"Выбор файла");
    driver.Then(SaveAs(L"untitled.txt", L"UTF-8"));
    Command(CMD_SAVE_ALL);
    EXPECT_EQ(1, driver.ran);
    EXPECT_EQ("new text", ReadBytes(temp.Path(L"named.txt")));
    // "BOM" starts checked: UTF-8 gets its mark.
    EXPECT_EQ("\xEF\xBB\xBF" + Encode(L"Без имени", 65001), ReadBytes(temp.Path(L"untitled.txt")));
    EXPECT_EQ(temp.Path(L"untitled.txt"), Doc(1)->path);
    EXPECT_EQ(ENC_UTF8, Doc(1)->encoding);
    EXPECT_EQ(0, Doc(0)->modified);
    EXPECT_EQ(0, Doc(1)->modified);
}

TEST_F(DocumentCommands, AFailedSaveStopsTheExit)
{
    ASSERT_TRUE(Start());
    OpenNamed(L"held.txt", "original");
    Edit(0, L"precious");
    HANDLE holder = CreateFileW(temp.Path(L"held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    {
        MessageBoxAnswerer answerer({ IDYES, IDOK });
        SendMessageW(g_app.mainWindow, WM_CLOSE, 0, 0);
        ASSERT_EQ(2u, answerer.seen.size());
        EXPECT_EQ(kInUse, answerer.seen[1].text);
    }
    CloseHandle(holder);
    EXPECT_TRUE(IsWindow(g_app.mainWindow));
    EXPECT_EQ(1, Doc(0)->modified);
    EXPECT_EQ(L"precious", DocText(0));
    EXPECT_TRUE(ViewIsConsistent());

    // An untitled document whose chooser is cancelled stops it too.
    Command(CMD_WINDOW_NEW);
    Edit(1, L"draft");
    DialogDriver driver(L"Выбор файла");
    driver.Then([](DialogView& view) { view.Press(IDCANCEL); });
    MessageBoxAnswerer answerer({ IDNO, IDYES });
    SendMessageW(g_app.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, driver.ran);
    EXPECT_TRUE(IsWindow(g_app.mainWindow));
}

TEST_F(DocumentCommands, AShortenedDocumentIsNotWrittenOverItsFileUnasked)
{
    ASSERT_TRUE(Start());
    std::string big;
    while (big.size() < 31000)
        big += std::string(60, 'z') + "\r\n";
    {
        MessageBoxAnswerer answerer;
        OpenNamed(L"big.txt", big);
        EXPECT_EQ(1u, answerer.seen.size());   // the size warning
    }
    Edit(0, L"short now");
    std::wstring preset;
    DialogDriver driver(L"Выбор файла");
    // Overwriting needs the chooser's question; No keeps the dialog open,
    // and another name is chosen.
    driver.Then([&](DialogView& view) {
        preset = view.Text(IDC_CHOOSER_NAME);
        view.Press(IDOK);
        view.ProcessMessages();
        EXPECT_TRUE(view.IsOpen());
        view.Type(IDC_CHOOSER_NAME, L"copy.txt");
        view.Press(IDOK);
    });
    MessageBoxAnswerer answerer({ IDNO });
    Command(CMD_SAVE);
    EXPECT_EQ(1, driver.ran);
    EXPECT_EQ(L"big.txt", preset);
    ASSERT_EQ(1u, answerer.seen.size());
    EXPECT_EQ(big, ReadBytes(temp.Path(L"big.txt")));
    EXPECT_EQ("short now", ReadBytes(temp.Path(L"copy.txt")));
    EXPECT_EQ(temp.Path(L"copy.txt"), Doc(0)->path);
    EXPECT_FALSE(Doc(0)->truncated);
}

TEST_F(DocumentCommands, AWholeSession)
{
    ASSERT_TRUE(Start());
    // New, type, save as KOI8-R with bare line feeds.
    Command(CMD_NEW);
    Edit(0, L"Первая строка\r\nВторая строка\r\n");
    DialogDriver driver(L"Выбор файла");
    driver.Then(SaveAs(L"session.txt", L"KOI8-R", true));
    Command(CMD_SAVE_AS);
    std::wstring path = temp.Path(L"session.txt");
    EXPECT_EQ(Encode(L"Первая строка\nВторая строка\n", 20866), ReadBytes(path));
    EXPECT_EQ(ENC_KOI8R, Doc(0)->encoding);
    // "BOM" was checked too, but KOI8-R never gets a mark.
    EXPECT_EQ((DWORD)(CODEC_BOM | CODEC_BARE_LF), Doc(0)->codecFlags);
    EXPECT_EQ(0, Doc(0)->modified);

    // Close it, then reopen it from the recent list as KOI8-R.
    Command(CMD_WINDOW_CLOSE);
    EXPECT_FALSE(Doc(0)->HasFileName());
    driver.Then([](DialogView& view) {
        EXPECT_TRUE(view.Pick(IDC_CHOOSER_ENCODING, L"KOI8-R"));
        EXPECT_TRUE(view.DoubleTap(IDC_CHOOSER_LIST, L"session.txt"));
    });
    Command(CMD_RECENT);
    EXPECT_EQ(2, driver.ran);
    EXPECT_EQ(path, Doc(0)->path);
    EXPECT_EQ(L"Первая строка\r\nВторая строка\r\n", DocText(0));
    EXPECT_EQ(ENC_KOI8R, Doc(0)->encoding);

    // Change it and leave, saving: the file keeps its encoding and line ends.
    Edit(0, L"Третья\r\n");
    MessageBoxAnswerer answerer({ IDYES });
    Command(CMD_EXIT);
    EXPECT_EQ(1u, answerer.seen.size());
    EXPECT_FALSE(IsWindow(g_app.mainWindow));
    EXPECT_EQ(Encode(L"Третья\n", 20866), ReadBytes(path));
    EXPECT_EQ(path, Setting(L"LastFileName"));
}

TEST_F(DocumentCommands, ALossySaveAsksFirst)
{
    ASSERT_TRUE(Start());
    std::wstring path = temp.Path(L"koi.txt");
    WriteBytes(path, Encode(L"Цена", 20866));
    ASSERT_TRUE(Doc(0)->Load(path.c_str(), ENC_KOI8R));
    Edit(0, L"Цена 5 € и ™");
    const std::wstring question =
        L"Символов, которых нет в кодировке KOI8-R: 2. Они будут записаны как «?». "
        L"Всё равно сохранить?";
    struct {
        int answer;
        std::string bytes;
        BYTE modified;
    } answers[] = {
        // No: the file as it was, the text still to be saved another way.
        { IDNO, Encode(L"Цена", 20866), 1 },
        { IDYES, Encode(L"Цена 5 ? и ?", 20866), 0 },
    };
    for (auto& a : answers) {
        MessageBoxAnswerer answerer({ a.answer });
        Command(CMD_SAVE);
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_EQ(question, answerer.seen[0].text);
        EXPECT_EQ((UINT)MB_ICONQUESTION, answerer.seen[0].icon);
        EXPECT_EQ(a.bytes, ReadBytes(path));
        EXPECT_EQ(a.modified, Doc(0)->modified);
        EXPECT_EQ(L"Цена 5 € и ™", DocText(0));
    }
    // UTF-8 holds everything: no question.
    DialogDriver driver(L"Выбор файла");
    driver.Then(SaveAs(L"utf.txt", L"UTF-8"));
    MessageBoxAnswerer answerer;
    Command(CMD_SAVE_AS);
    EXPECT_TRUE(answerer.seen.empty());
    // The chooser's "BOM" box starts checked.
    EXPECT_EQ("\xEF\xBB\xBF" + Encode(L"Цена 5 € и ™", 65001),
              ReadBytes(temp.Path(L"utf.txt")));
}

TEST_F(DocumentCommands, ASaveOverAFileChangedBehindTheEditorsBackAsks)
{
    ASSERT_TRUE(Start());
    OpenNamed(L"shared.txt", "mine");
    std::wstring path = temp.Path(L"shared.txt");
    Edit(0, L"edited here");
    // Another program writes the file: same size, later time.
    WriteBytes(path, "them");
    SetFileWriteTime(path, FileWriteTime(path) + 20000000ull);
    const std::wstring question = L"Файл " + path +
                                  L" был изменён другой программой после того, как его открыли. "
                                  L"Перезаписать его?";
    {
        MessageBoxAnswerer answerer({ IDNO });
        Command(CMD_SAVE);
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_EQ(question, answerer.seen[0].text);
        EXPECT_EQ("them", ReadBytes(path));
        EXPECT_EQ(1, Doc(0)->modified);
        EXPECT_EQ(L"edited here", DocText(0));
    }
    {
        MessageBoxAnswerer answerer({ IDYES });
        Command(CMD_SAVE);
        EXPECT_EQ(1u, answerer.seen.size());
        EXPECT_EQ("edited here", ReadBytes(path));
        EXPECT_EQ(0, Doc(0)->modified);
    }
    // Its own save is no change by another program; a file deleted
    // meanwhile is simply written again.
    MessageBoxAnswerer answerer;
    Edit(0, L"again");
    Command(CMD_SAVE);
    DeleteFileW(path.c_str());
    Edit(0, L"once more");
    Command(CMD_SAVE);
    EXPECT_TRUE(answerer.seen.empty());
    EXPECT_EQ("once more", ReadBytes(path));
}

TEST_F(DocumentCommands, OnlyASaveInPlaceRefreshesTheSnapshotFirst)
{
    ASSERT_TRUE(Start());
    OpenNamed(L"held.txt", "original");
    Edit(0, L"typed just now");
    NoteDocumentChange(Doc(0));
    ASSERT_EQ(0, SnapshotFiles());
    // A whole replace keeps the old file: the snapshot due in a moment is
    // not written ahead of it (here the replace fails, and nothing was).
    HANDLE holder = CreateFileW(temp.Path(L"held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    {
        MessageBoxAnswerer answerer({ IDOK });
        Command(CMD_SAVE);
        EXPECT_EQ(1u, answerer.seen.size());
    }
    CloseHandle(holder);
    EXPECT_EQ(0, SnapshotFiles());

    // A folder that takes no new file: the text is in a snapshot before
    // the file is written over, and the snapshot goes once it is.
    SetNewFileRefusalCheck([](const wchar_t*) { return true; });
    std::wstring copy(COPY_PATH_UNITS, L'\0');
    ASSERT_TRUE(ReplacementPath(temp.Path(L"held.txt").c_str(), &copy[0], COPY_PATH_UNITS));
    ASSERT_TRUE(CreateDirectoryW(copy.c_str(), nullptr));
    holder = CreateFileW(temp.Path(L"held.txt").c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    {
        // Held without write sharing, the write in place fails after the
        // snapshot was made: the snapshot stays.
        MessageBoxAnswerer answerer({ IDOK });
        Command(CMD_SAVE);
        EXPECT_EQ(1u, answerer.seen.size());
    }
    CloseHandle(holder);
    EXPECT_EQ(1, SnapshotFiles());
    EXPECT_EQ(1, Doc(0)->modified);
    MessageBoxAnswerer answerer;
    Command(CMD_SAVE);
    EXPECT_TRUE(answerer.seen.empty());
    EXPECT_EQ("typed just now", ReadBytes(temp.Path(L"held.txt")));
    EXPECT_EQ(0, SnapshotFiles());
    SetNewFileRefusalCheck(nullptr);
}
