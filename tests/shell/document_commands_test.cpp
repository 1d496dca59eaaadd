#include "tests/shell/app_fixture.h"

#include "editor/tab_panel.h"
#include "resources/resource.h"
#include "storage/encodings.h"
#include "storage/settings.h"

namespace {

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
        EXPECT_EQ(L"Ошибка записи файла!", answerer.seen[1].text);
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
