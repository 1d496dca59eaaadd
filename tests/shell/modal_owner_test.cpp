#include "tests/shell/app_fixture.h"

#include <set>
#include <thread>

#include "dialogs/file_chooser.h"
#include "resources/resource.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "storage/settings.h"

// Whatever is on top (a dialog, question, menu or held stylus) owns the
// handheld on every path, and hands it back to the window it came from.

namespace {

class OneOwner : public AppFixture {
protected:
    static void Modify(int index, const wchar_t* text)
    {
        SetWindowTextW(Doc(index)->edit, text);
        Doc(index)->SetModified(true);
    }
    // A real key, pressed and released; `handled` lets the windows react.
    static void Press(WORD key, bool handled = true)
    {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        if (handled)
            PumpUntil([] { return false; }, 100);
    }
    static std::pair<int, int> Selection()
    {
        DWORD start = 0, end = 0;
        Doc(0)->GetSelection(&start, &end);
        return { (int)start, (int)end };
    }
};

// Holds the stylus on document `index`'s text (the popup it opens is closed
// again) while another thread sends `send` to the main window; answers what
// `seen` found at once after the send, before the hold ended.
template <typename Send, typename Seen>
void HoldWhileSending(int index, Send send, Seen seen)
{
    HWND edit = g_app.documents[index]->edit;
    RECT r;
    GetWindowRect(edit, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    DWORD ui = GetCurrentThreadId();
    std::thread sender([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        PumpUntil([&] { return GetGUIThreadInfo(ui, &info) && info.hwndCapture == edit; }, 3000);
        send();
        seen();
    });
    PopupMenuWatcher watcher;
    Stylus(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(watcher.WaitForMenu(3000));
    Stylus(MOUSEEVENTF_LEFTUP);
    sender.join();
    PumpUntil([] { return false; }, 100);
}

int g_documentsInMenu = -1;

void CALLBACK EndMenuAfterHotKey(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    g_documentsInMenu = g_app.documents.count;
    EndMenu();
}

HWND g_question = nullptr;
bool g_answeredByTimer = false;

void CALLBACK AnswerLeftQuestion(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (g_question && IsWindow(g_question)) {
        g_answeredByTimer = true;
        PostMessageW(g_question, WM_COMMAND, IDNO, 0);
    }
}

}

TEST_F(OneOwner, EnterInTheFindBarStepsThroughTheMatchesAndNeverTypesIntoTheText)
{
    ASSERT_TRUE(StartApp());
    Command(CMD_REPLACE);
    Doc(0)->SetText(L"кот и кот и кот");
    DialogView bar(g_app.findBar);
    bar.Type(IDC_FIND_TEXT, L"кот");
    bar.Type(IDC_REPLACE_TEXT, L"пёс");
    SetForegroundWindow(g_app.mainWindow);
    HWND findBox = bar.Item(IDC_FIND_TEXT), replaceBox = bar.Item(IDC_REPLACE_TEXT);
    SetFocus(findBox);
    const std::pair<int, int> matches[] = { { 0, 3 }, { 6, 9 }, { 12, 15 } };
    for (const auto& match : matches) {
        Press(VK_RETURN);
        EXPECT_EQ(match, Selection());
        EXPECT_EQ(findBox, GetFocus());
    }
    EXPECT_EQ(L"кот и кот и кот", DocText(0));

    // The replace box replaces the match shown and steps on, starting again
    // from the top when asked.
    MessageBoxAnswerer answers({ IDYES });
    SetFocus(replaceBox);
    Press(VK_RETURN);
    Press(VK_RETURN);
    EXPECT_EQ(L"пёс и кот и пёс", DocText(0));
    EXPECT_EQ(std::make_pair(6, 9), Selection());
    EXPECT_EQ(replaceBox, GetFocus());
    EXPECT_EQ(1u, answers.seen.size());
}

TEST_F(OneOwner, TheAdvancedSettingsGiveTheDeviceBackToTheSettings)
{
    ASSERT_TRUE(StartApp());
    HWND window = g_app.mainWindow;
    HWND settingsWindow = nullptr;
    RunDialogs([] { return Command(CMD_SETTINGS); },
               { [&](DialogView& settings) {
                    settingsWindow = settings.window;
                    EXPECT_TRUE(settings.Press(IDC_SET_ADVANCED));
                    settings.ProcessMessages();
                    // The close sent meanwhile still waits; the main window
                    // takes no keys or taps.
                    EXPECT_TRUE(IsWindow(window));
                    EXPECT_FALSE(IsWindowEnabled(window));
                    EXPECT_TRUE(IsWindowEnabled(settings.window));
                    EXPECT_EQ(settings.window, GetActiveWindow());
                    EXPECT_TRUE(settings.Press(IDCANCEL));
                },
                 [&](DialogView& advanced) {
                     EXPECT_EQ(settingsWindow, GetWindow(advanced.window, GW_OWNER));
                     SendMessageW(window, WM_CLOSE, 0, 0);
                     EXPECT_TRUE(advanced.Press(IDOK));
                 } });
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(OneOwner, ASecondStartDuringAQuestionBringsTheQuestionForward)
{
    std::wstring handed = temp.Path(L"handed.txt");
    WriteBytes(handed, "handed");
    ASSERT_TRUE(StartApp());
    Modify(0, L"keep me");
    HWND foreground = nullptr;
    g_question = nullptr;
    g_answeredByTimer = false;
    RunInNextMessageLoop([&] {
        g_question = GetLastActivePopup(g_app.mainWindow);
        // The second start hands the file over and brings this one forward.
        SetDeviceCommandLine(handed.c_str());
        EXPECT_FALSE(InitMainWindow(g_app.instance, SW_SHOW, RegisterMainClass));
        foreground = GetForegroundWindow();
        // Another program bringing the main window itself forward brings the
        // question.
        SetForegroundWindow(g_app.mainWindow);
        EXPECT_EQ(g_question, GetForegroundWindow());
        // Escape from the keyboard answers the question (Cancel); a question
        // the keys cannot reach is answered No after a while.
        SetTimer(nullptr, 0, 2000, AnswerLeftQuestion);
        Press(VK_ESCAPE, false);
    });
    Command(CMD_NEW);
    PumpMessages();
    EXPECT_NE(g_app.mainWindow, g_question);
    EXPECT_EQ(g_question, foreground);
    EXPECT_FALSE(g_answeredByTimer);
    EXPECT_EQ(L"keep me", DocText(0));   // cancelled
    ASSERT_EQ(2, g_app.documents.count);
    EXPECT_EQ(handed, Doc(1)->path);
}

TEST_F(OneOwner, AHardwareButtonDuringAPopupMenuRunsNothingUnderIt)
{
    // Button 3 closes the window (document).
    ASSERT_TRUE(StartApp(L"", L"HardKeyEvent2=14\r\n"));
    Command(CMD_WINDOW_NEW);
    ASSERT_EQ(2, g_app.documents.count);
    g_documentsInMenu = -1;
    RunInNextMessageLoop([] {
        PostMessageW(g_app.mainWindow, WM_HOTKEY, 0xC3, MAKELPARAM(MOD_CONTROL | MOD_ALT, '3'));
        SetTimer(nullptr, 0, 200, EndMenuAfterHotKey);
    });
    SendMessageW(Doc(1)->edit, WM_CONTEXTMENU, (WPARAM)Doc(1)->edit, MAKELPARAM(-1, -1));
    PumpMessages();
    EXPECT_EQ(2, g_documentsInMenu);
    EXPECT_EQ(2, g_app.documents.count);
    EXPECT_EQ(1, g_app.current);
}

TEST_F(OneOwner, FilesHandedOverAndClosesSentDuringAHoldWaitForIt)
{
    std::wstring handed = temp.Path(L"handed.txt");
    WriteBytes(handed, "handed");
    ASSERT_TRUE(StartApp());
    int documents = -1;
    HoldWhileSending(0, [&] { HandOverFile(handed); },
                     [&] { documents = g_app.documents.count; });
    EXPECT_EQ(1, documents);              // not under the hold
    ASSERT_EQ(2, g_app.documents.count);  // after it
    EXPECT_EQ(handed, Doc(1)->path);

    HWND window = g_app.mainWindow;
    bool there = false;
    HoldWhileSending(1, [&] { SendMessageW(window, WM_CLOSE, 0, 0); },
                     [&] { there = IsWindow(window) != FALSE; });
    EXPECT_TRUE(there);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(OneOwner, AfterEverySettingsOkTheMenusMatchTheProgram)
{
    ASSERT_TRUE(StartApp(L"", L"ToolBarItems=000000000110000\r\n"));
    ASSERT_TRUE(g_app.quickInsertLoaded);
    Command(CMD_REPLACE);
    std::vector<std::wstring> russian = MenuLines(g_app.menuPopup);
    struct Change {
        const wchar_t* what;
        DialogDriver::Script script;
        bool toolbar;
    } changes[] = {
        { L"English", [](DialogView& d) { d.Pick(IDC_SET_LANGUAGE, L"English"); d.Press(IDOK); },
          true },
        { L"Russian", [](DialogView& d) { d.Pick(IDC_SET_LANGUAGE, L"Russian"); d.Press(IDOK); },
          true },
        { L"WM5 on", [](DialogView& d) { d.Press(IDC_SET_WM5_MENU); d.Press(IDOK); }, false },
        { L"WM5 off", [](DialogView& d) { d.Press(IDC_SET_WM5_MENU); d.Press(IDOK); }, true },
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        RunDialogs([] { return Command(CMD_SETTINGS); }, { change.script });
        EXPECT_NE((UINT)-1, GetMenuState(g_app.menuPopup, CMD_QUICK_INSERT_LEFT, MF_BYCOMMAND));
        EXPECT_EQ((UINT)MF_CHECKED, GetMenuState(g_app.mainMenu, CMD_REPLACE, 0) & MF_CHECKED);
        EXPECT_EQ(0u, GetMenuState(g_app.mainMenu, CMD_SEARCH, 0) & MF_CHECKED);
        if (change.toolbar) {
            EXPECT_TRUE(SendMessageW(g_app.menuBar, TB_ISBUTTONCHECKED, CMD_REPLACE, 0));
        }
        if (wcscmp(change.what, L"English") != 0) {
            EXPECT_EQ(russian, MenuLines(g_app.menuPopup));
        }
    }
}

TEST_F(OneOwner, BoxesChooserAndSettingsFitTheVgaDevice)
{
    ASSERT_TRUE(StartApp());
    // A question's three buttons stand within its box.
    Modify(0, L"text");
    {
        MessageBoxAnswerer answers({ IDCANCEL });
        Command(CMD_NEW);
        ASSERT_EQ(1u, answers.seen.size());
        const SeenBox& box = answers.seen[0];
        EXPECT_EQ(3u, box.buttonRects.size());
        for (const RECT& r : box.buttonRects)
            EXPECT_TRUE(r.left >= box.rect.left && r.right <= box.rect.right);
    }

    // After "no such file" the keys go to the name; a name of spaces only is
    // refused like any name no file can have.
    Doc(0)->SetModified(false);
    g_settings.SetString(L"LastFolder", temp.Folder().c_str());
    MessageBoxAnswerer answers;
    RunDialogs([] { return Command(CMD_OPEN); },
               { [](DialogView& chooser) {
                   chooser.Type(IDC_CHOOSER_NAME, L"нет такого.txt");
                   chooser.Press(IDOK);
                   EXPECT_EQ(chooser.Item(IDC_CHOOSER_NAME), GetFocus());
                   chooser.Press(IDCANCEL);
               } });
    RunDialogs([] { return Command(CMD_SAVE_AS); },
               { [](DialogView& chooser) {
                   chooser.Type(IDC_CHOOSER_NAME, L"   ");
                   EXPECT_TRUE(chooser.Press(IDOK) && chooser.IsOpen());
                   chooser.Press(IDCANCEL);
               } });
    ASSERT_EQ(2u, answers.seen.size());
    EXPECT_EQ(L"Недопустимое имя файла!", answers.seen[1].text);
    EXPECT_FALSE(FileExists(temp.Path(L"   .txt")));

    // Each font family once, in a list that opens tall enough to choose from.
    RunDialogs([] { return Command(CMD_SETTINGS); },
               { [](DialogView& settings) {
                   std::vector<std::wstring> fonts = settings.ComboItems(IDC_SET_FONT);
                   EXPECT_EQ(fonts.size(), std::set<std::wstring>(fonts.begin(), fonts.end()).size());
                   HWND box = settings.Item(IDC_SET_FONT);
                   SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
                   RECT list = {};
                   SendMessageW(box, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&list);
                   SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
                   EXPECT_GE(list.bottom - list.top, 8 * SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
                   settings.Press(IDCANCEL);
               } });
}
