#include "tests/shell/app_fixture.h"

#include <map>
#include <utility>

#include "resources/resource.h"
#include "tools/process_windows.h"
#include "widgets/pic_btn.h"

// What the start leaves for later, and what it no longer does twice: the
// user sees the same window, and what was left works on first use.

namespace {

// The messages each window of this thread was sent while one lives: the
// lParam of each (of a change of place, its flags), by window and message.
class SentMessages {
public:
    SentMessages()
    {
        active = this;
        hook = SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
    }
    ~SentMessages()
    {
        UnhookWindowsHookEx(hook);
        active = nullptr;
    }
    std::vector<LPARAM>& To(HWND window, UINT message) { return of[{ window, message }]; }

private:
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* message = (const CWPSTRUCT*)lParam;
        LPARAM value = message->message == WM_WINDOWPOSCHANGED
                           ? (LPARAM)((const WINDOWPOS*)message->lParam)->flags
                           : message->lParam;
        if (code == HC_ACTION && active)
            active->of[{ message->hwnd, message->message }].push_back(value);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static SentMessages* active;
    std::map<std::pair<HWND, UINT>, std::vector<LPARAM>> of;
    HHOOK hook;
};

SentMessages* SentMessages::active = nullptr;

typedef AppFixture StartWork;

}

TEST_F(StartWork, TheMainWindowIsMadeAtItsFinalSizeAndNoTabStripIsPainted)
{
    SentMessages sent;
    ASSERT_TRUE(StartApp());
    // Shown, never moved or sized.
    ASSERT_FALSE(sent.To(g_app.mainWindow, WM_WINDOWPOSCHANGED).empty());
    for (LPARAM flags : sent.To(g_app.mainWindow, WM_WINDOWPOSCHANGED))
        EXPECT_EQ(SWP_NOSIZE | SWP_NOMOVE, flags & (SWP_NOSIZE | SWP_NOMOVE)) << std::hex << flags;
    EXPECT_EQ(0u, sent.To(g_app.tabHost, WM_PAINT).size());
}

TEST_F(StartWork, TheFindBarIsMadeWhenFirstShownAndWorksAtOnce)
{
    ASSERT_TRUE(StartApp(L"", L"ToolBarItems=000000000110000\r\n"));
    EXPECT_EQ(nullptr, g_app.findBar);
    Doc(0)->SetText(L"кот и кот");
    Command(CMD_SEARCH);
    ASSERT_NE(nullptr, g_app.findBar);
    HWND bar = g_app.findBar;
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(GetDlgItem(bar, IDC_FIND_TEXT), GetFocus());
    EXPECT_TRUE(GetMenuState(g_app.mainMenu, CMD_SEARCH, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(SendMessageW(g_app.menuBar, TB_ISBUTTONCHECKED, CMD_SEARCH, 0));
    for (CPicBtn* button : g_app.findButtons)
        EXPECT_TRUE(button && IsChild(bar, button->window));
    DialogView(bar).Type(IDC_FIND_TEXT, L"кот");
    DialogView(bar).Key(IDC_FIND_TEXT, VK_RETURN);
    DWORD start = 0, end = 0;
    Doc(0)->GetSelection(&start, &end);
    EXPECT_EQ(std::make_pair(0ul, 3ul), std::make_pair(start, end));
    // The same bar again, in its two-row form.
    Command(CMD_REPLACE);
    EXPECT_EQ(bar, g_app.findBar);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(bar, IDC_REPLACE_TEXT)));
}

// Without the list-icon picture the user hears of it as the program starts,
// as before, not when the find bar is first opened.
TEST(StartWorkProgram, AMissingButtonPictureIsToldAtStart)
{
    TempFolder temp;
    ASSERT_TRUE(InstallProgram(temp.Folder()));
    for (const wchar_t* name : { L"ListIconsVGA.png", L"ListIconsQVGA.png" })
        DeleteFileW(temp.Path(name).c_str());
    HANDLE process = StartProgram(L"\"" + temp.Path(L"Quillex.exe") + L"\"", temp.Folder());
    ASSERT_NE(nullptr, process);
    DWORD id = GetProcessId(process);
    auto ofProgram = [id](const wchar_t* kind) {
        return [id, kind](HWND window) {
            return ProcessOfWindow(window) == id && HasWindowClass(window, kind) &&
                   IsWindowVisible(window);
        };
    };
    HWND box = nullptr;
    PumpUntil([&] { return (box = FirstTopLevelWindow(ofProgram(L"#32770"))) != nullptr; }, 30000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(L"Не удаётся найти файл с изображением кнопок", WindowText(GetDlgItem(box, 0xFFFF)));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND editor = nullptr;
    PumpUntil([&] { return (editor = FirstTopLevelWindow(ofProgram(L"QUILLEX"))) != nullptr; }, 30000);
    PostMessageW(editor, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 30000));
    CloseHandle(process);
}
