#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/document.h"
#include "editor/layout.h"
#include "editor/tab_panel.h"
#include "resources/resource.h"
#include "app/app_state.h"
#include "storage/wide_text.h"
#include "tests/widgets/widget_support.h"

namespace {

const COLORREF kBackground = RGB(200, 200, 230);
const COLORREF kCurrent = RGB(5, 170, 255);
const COLORREF kModified = RGB(170, 170, 250);
const COLORREF kModifiedCurrent = RGB(40, 150, 225);
const COLORREF kLight = RGB(250, 250, 210);
const COLORREF kDark = RGB(90, 20, 20);
const COLORREF kText = RGB(0, 0, 128);

const int kHeight = 24;
// Below the labels, which are drawn from the top of the tab.
const int kFillRow = 20;

// Tab panels on a QVGA screen over documents of the application state, with
// a stand-in for the shell's side: it switches, adds and closes documents
// on the panel's commands.
class TabPanel : public testing::Test {
protected:
    void SetUp() override
    {
        SetDeviceScreen(240, 320);
        const COLORREF colours[] = { kBackground, kCurrent, kModified, kModifiedCurrent,
                                     kLight, kDark, kText };
        for (int i = 0; i < 7; ++i)
            g_app.colours[THEME_TAB_BACKGROUND + i] = colours[i];
    }

    void TearDown() override
    {
        delete g_app.tabPanel;
        g_app.tabPanel = nullptr;
        g_app.tabHost = nullptr;
        for (int i = 0; i < g_app.documents.count; ++i)
            delete g_app.documents[i];
        g_app.documents.Clear();
        g_app.current = 0;
        parent.reset();
        g_app.mainWindow = nullptr;
        SetDeviceScreen(480, 640);
    }

    void Open(int width, const std::vector<std::wstring>& paths)
    {
        // Away from the picture-button tests' windows, which may be up at the
        // same time; wide panels go lower, still on the 1024 x 768 desktop.
        parent.reset(width > 500 ? new CommandParent(width, 60, 1024 - width, 700)
                                 : new CommandParent(width, 60, 500, 480));
        parent->onCommand = [this](WPARAM command, LPARAM lParam) { Shell(command, lParam); };
        g_app.mainWindow = parent->window;
        host = parent->AddChild(L"BUTTON", 0, IDC_TAB_PANEL, 0, 0, width, kHeight);
        g_app.tabHost = host;
        for (const std::wstring& path : paths)
            AddDocument(path);
        g_app.current = 0;
        panel = g_app.tabPanel = new CTabPanel(host);
        panel->SetTabCount(g_app.documents.count);
    }

    void AddDocument(const std::wstring& path)
    {
        CDocument* document = new CDocument(parent->window, false);
        CopyUnits(document->path, path.c_str());
        g_app.documents.Append(document);
    }

    void Shell(WPARAM command, LPARAM lParam)
    {
        // The shell repaints the tabs when a document's modified mark changes.
        if (HIWORD(command) == DOCN_MODIFIED) {
            RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            return;
        }
        switch (command) {
        case CMD_TAB_CHOSEN:
            g_app.current = (int)lParam;
            break;
        case CMD_WINDOW_NEW:
            AddDocument(L"");
            g_app.current = g_app.documents.count - 1;
            panel->SetTabCount(g_app.documents.count);
            panel->SetCurrentTab(g_app.current);
            break;
        case CMD_WINDOW_CLOSE: {
            int target = g_app.current;
            closed.push_back(g_app.documents[target]->path);
            delete g_app.documents[target];
            for (int i = target; i + 1 < g_app.documents.count; ++i)
                g_app.documents[i] = g_app.documents[i + 1];
            --g_app.documents.count;
            g_app.current = 0;
            panel->SetTabCount(g_app.documents.count);
            panel->SetCurrentTab(0);
            break;
        }
        default:
            break;
        }
    }

    // A quick tap: the stylus is already up again when the panel asks.
    void Tap(int x)
    {
        PostMessageW(host, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
        SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
        PumpMessages();
    }

    // The stylus itself, through the system's input: a hold needs the
    // button really down.
    static void PressStylus(DWORD flags)
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof(input));
    }

    COLORREF Pixel(int x, int y = kFillRow) { return WindowPixel(host, x, y); }

    // The pixels of tab `index` inside its separators, as rows of colours.
    std::vector<COLORREF> TabPixels(int index, int tabWidth)
    {
        std::vector<COLORREF> pixels;
        for (int y = 1; y < kHeight; ++y)
            for (int x = index * tabWidth + 2; x < (index + 1) * tabWidth - 1; ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }

    std::unique_ptr<CommandParent> parent;
    HWND host = nullptr;
    CTabPanel* panel = nullptr;
    std::vector<std::wstring> closed;
};

}

TEST_F(TabPanel, ATapOnTheRightHalfChoosesTheSecondDocument)
{
    Open(300, { L"C:\\a.txt", L"C:\\b.txt" });
    EXPECT_EQ(kCurrent, Pixel(75));
    EXPECT_EQ(kBackground, Pixel(225));

    Tap(200);
    ASSERT_EQ(1u, parent->commands.size());
    EXPECT_EQ((WPARAM)CMD_TAB_CHOSEN, parent->commands[0].wParam);
    EXPECT_EQ(1, parent->commands[0].lParam);
    EXPECT_EQ(1, panel->currentTab);
    EXPECT_EQ(kBackground, Pixel(75));
    EXPECT_EQ(kCurrent, Pixel(225));
    EXPECT_FALSE(panel->pressed);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(TabPanel, ATapInTheRemainderChoosesTheLastTab)
{
    // 301 pixels for three tabs: 100 each and one left over.
    Open(301, { L"C:\\a.txt", L"C:\\b.txt", L"C:\\c.txt" });
    Tap(300);
    ASSERT_EQ(1u, parent->commands.size());
    EXPECT_EQ(2, parent->commands[0].lParam);
    EXPECT_EQ(kCurrent, Pixel(250));
    EXPECT_EQ(kLight, Pixel(299));        // the right end
    EXPECT_EQ(kBackground, Pixel(300));   // the remainder
}

TEST_F(TabPanel, LabelsAreFileNamesOrUntitled)
{
    Open(500, { L"C:\\x.txt", L"", L"C:\\folder\\Без имени", L"D:\\notes.txt",
                L"E:\\deep\\er\\notes.txt" });
    std::vector<COLORREF> untitled = TabPixels(1, 100);
    EXPECT_EQ(untitled, TabPixels(2, 100));
    EXPECT_EQ(TabPixels(3, 100), TabPixels(4, 100));
    EXPECT_NE(untitled, TabPixels(3, 100));
    // Something is written, in the label colour.
    int text = 0;
    for (COLORREF colour : untitled)
        text += colour == kText;
    EXPECT_GT(text, 0);
}

TEST_F(TabPanel, ModifiedAndCurrentTabsTakeTheirColours)
{
    Open(300, { L"C:\\a.txt", L"C:\\b.txt", L"C:\\c.txt" });
    // Typing marks a document modified; its tab changes at once.
    SendMessageW(g_app.documents[1]->edit, WM_KEYDOWN, 'A', 0);
    ASSERT_TRUE(g_app.documents[1]->modified);
    EXPECT_EQ(kModified, Pixel(150));
    EXPECT_EQ(kCurrent, Pixel(50));
    g_app.documents[0]->SetModified(true);
    EXPECT_EQ(kModifiedCurrent, Pixel(50));
    EXPECT_EQ(kBackground, Pixel(250));

    EXPECT_EQ(kLight, Pixel(250, 0));   // the top edge
    EXPECT_EQ(kDark, Pixel(100));       // separators: dark, then light
    EXPECT_EQ(kLight, Pixel(101));
}

TEST_F(TabPanel, SetCurrentTabRepaintsAtOnce)
{
    Open(300, { L"C:\\a.txt", L"C:\\b.txt", L"C:\\c.txt" });
    panel->SetCurrentTab(2);
    EXPECT_EQ(kCurrent, Pixel(250));
    EXPECT_EQ(kBackground, Pixel(50));
}

TEST_F(TabPanel, TapAndHoldMakesTheTabCurrentThenClosesIt)
{
    Open(300, { L"C:\\a.txt", L"C:\\b.txt", L"C:\\c.txt" });
    int currentWhenClosed = -1;
    parent->onCommand = [&](WPARAM command, LPARAM lParam) {
        if (command == CMD_WINDOW_CLOSE)
            currentWhenClosed = g_app.current;
        Shell(command, lParam);
    };
    // The stylus goes down on the third tab and stays there.
    POINT at = { 250, 5 };
    ClientToScreen(host, &at);
    SetCursorPos(at.x, at.y);
    PressStylus(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([&] { return parent->commands.size() >= 2; }, 5000);
    PressStylus(MOUSEEVENTF_LEFTUP);
    PumpUntil([&] { return !panel->pressed; }, 2000);
    ASSERT_EQ(2u, parent->commands.size());
    EXPECT_EQ((WPARAM)CMD_TAB_CHOSEN, parent->commands[0].wParam);
    EXPECT_EQ(2, parent->commands[0].lParam);
    EXPECT_EQ((WPARAM)CMD_WINDOW_CLOSE, parent->commands[1].wParam);
    EXPECT_EQ(0, parent->commands[1].lParam);
    EXPECT_EQ(2, currentWhenClosed);
    ASSERT_EQ(1u, closed.size());
    EXPECT_EQ(L"C:\\c.txt", closed[0]);
    EXPECT_EQ(2, g_app.documents.count);
    EXPECT_FALSE(panel->pressed);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(TabPanel, DoubleTapAddsADocument)
{
    Open(300, { L"C:\\a.txt", L"C:\\b.txt" });
    SendMessageW(host, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 5));
    ASSERT_EQ(2u, parent->commands.size());
    EXPECT_EQ((WPARAM)CMD_TAB_CHOSEN, parent->commands[0].wParam);
    EXPECT_EQ(1, parent->commands[0].lParam);
    EXPECT_EQ((WPARAM)CMD_WINDOW_NEW, parent->commands[1].wParam);
    EXPECT_EQ(3, g_app.documents.count);
    EXPECT_EQ(kCurrent, Pixel(250));   // the new third tab
}

TEST_F(TabPanel, AWiderPanelIsDrawnToItsRightEnd)
{
    // Wider than the 320-pixel surface of a QVGA screen.
    Open(700, { L"C:\\a.txt", L"C:\\b.txt" });
    panel->SetCurrentTab(1);
    EXPECT_EQ(kCurrent, Pixel(400));
    EXPECT_EQ(kCurrent, Pixel(690));
    EXPECT_EQ(kLight, Pixel(699));
    EXPECT_EQ(kBackground, Pixel(300));
}

TEST_F(TabPanel, WithoutTabsTapsDoNothing)
{
    Open(300, {});
    EXPECT_EQ(kBackground, Pixel(150));
    Tap(150);
    SendMessageW(host, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, 5));
    EXPECT_TRUE(parent->commands.empty());
}

TEST_F(TabPanel, HiddenWhileOnlyOneDocumentIsOpen)
{
    Open(300, { L"C:\\a.txt" });
    LayoutDocumentArea();
    EXPECT_FALSE(IsWindowVisible(host));

    AddDocument(L"C:\\b.txt");
    LayoutDocumentArea();
    EXPECT_TRUE(IsWindowVisible(host));
    RECT shown;
    GetClientRect(host, &shown);
    EXPECT_EQ(300, shown.right);
    EXPECT_EQ(12, shown.bottom);
}
