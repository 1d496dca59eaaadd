#include "tests/shell/app_fixture.h"

#include "dialogs/file_chooser.h"
#include "editor/find_bar.h"
#include "resources/resource.h"

// The emulated handheld behaves like the device: a question or a dialog owns
// it, nothing leaves its screen, and the keys go to the text.

namespace {

class Device : public AppFixture {
protected:
    void Modify(int index, const wchar_t* text)
    {
        SetWindowTextW(Doc(index)->edit, text);
        Doc(index)->SetModified(true);
    }
    static bool Within(const RECT& r, int width, int height)
    {
        return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height &&
               r.right > r.left && r.bottom > r.top;
    }
};

}

TEST_F(Device, DialogsAndQuestionsOwnTheMenuBar)
{
    ASSERT_TRUE(StartApp());
    Modify(0, L"keep me");
    POINT newButton = MenuBarButtonCentre(CMD_NEW);
    POINT openButton = MenuBarButtonCentre(CMD_OPEN);
    MessageBoxAnswerer answers({ IDCANCEL });
    DialogDriver driver;
    driver.Then([&](DialogView& chooser) {
        // Taps where the main window's bar is, and one that reaches it.
        TapScreen(newButton);
        TapScreen(openButton);
        POINT onBar = newButton;
        ScreenToClient(g_app.menuBar, &onBar);
        PostMessageW(g_app.menuBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onBar.x, onBar.y));
        PostMessageW(g_app.menuBar, WM_LBUTTONUP, 0, MAKELPARAM(onBar.x, onBar.y));
        PumpMessages();
        EXPECT_TRUE(chooser.IsOpen());
        chooser.Press(IDCANCEL);
    });
    Command(CMD_SAVE_AS);
    EXPECT_EQ(1, driver.ran);
    EXPECT_EQ(0, driver.unscripted);
    EXPECT_TRUE(answers.seen.empty());
    ASSERT_EQ(1, g_app.documents.count);
    EXPECT_EQ(L"keep me", DocText(0));

    // A command arriving while a question is up (a hardware key) does not
    // run under it: only New's own question is asked.
    PostMessageW(g_app.mainWindow, WM_COMMAND, CMD_WINDOW_CLOSE, 0);
    Command(CMD_NEW);
    EXPECT_EQ(1u, answers.seen.size());
    EXPECT_EQ(L"keep me", DocText(0));
}

TEST_F(Device, NoFileMessageKeepsTheChooserInCharge)
{
    ASSERT_TRUE(StartApp());
    MessageBoxAnswerer answers;
    DialogDriver driver;
    driver.Then([&](DialogView& chooser) {
        chooser.Type(IDC_CHOOSER_NAME, L"нет такого файла.txt");
        chooser.Press(IDOK);
        ASSERT_EQ(1u, answers.seen.size());
        EXPECT_EQ(chooser.window, answers.seen[0].owner);
        EXPECT_FALSE(IsWindowEnabled(g_app.mainWindow));
        EXPECT_TRUE(IsWindowEnabled(chooser.window));
        chooser.Press(IDCANCEL);
    });
    Command(CMD_OPEN);
    EXPECT_EQ(1, driver.ran);
}

TEST_F(Device, KeysReachTheTextAfterMessagesDialogsAndTheBar)
{
    ASSERT_TRUE(StartApp());
    SetForegroundWindow(g_app.mainWindow);
    SetFocus(g_app.mainWindow);
    EXPECT_EQ(Doc(0)->edit, GetFocus());

    Modify(0, L"abc");
    {
        MessageBoxAnswerer answers({ IDCANCEL });
        Command(CMD_NEW);
    }
    EXPECT_EQ(Doc(0)->edit, GetFocus());
    {
        MessageBoxAnswerer answers({ IDYES });
        DialogDriver driver;
        driver.Then([](DialogView& chooser) { chooser.Press(IDCANCEL); });
        Command(CMD_NEW);
    }
    EXPECT_EQ(Doc(0)->edit, GetFocus());
    {
        PopupMenuWatcher watcher;
        TapScreen(MenuBarButtonCentre(CMD_QUICK_INSERT_RIGHT));
        EXPECT_TRUE(watcher.WaitForMenu(3000));
    }
    PumpMessages();
    EXPECT_EQ(Doc(0)->edit, GetFocus());

    // A real key lands in the text.
    SendMessageW(Doc(0)->edit, EM_SETSEL, 3, 3);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = 'Q';
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([] { return DocText(0) == L"abcq"; }, 2000)) << DocText(0);
}

TEST_F(Device, MenusAndMessagesStayOnTheDeviceScreen)
{
    for (auto screen : DeviceScreens()) {
        SCOPED_TRACE(screen.first);
        ASSERT_TRUE(StartApp(L"", L"", screen.first, screen.second));
        ASSERT_TRUE(g_app.quickInsertLoaded);
        for (int command : { CMD_QUICK_INSERT_LEFT, CMD_QUICK_INSERT_RIGHT }) {
            PopupMenuWatcher watcher;
            Command(command);
            ASSERT_TRUE(watcher.WaitForMenu(3000));
            ASSERT_EQ(1u, watcher.rects.size());
            EXPECT_TRUE(Within(watcher.rects[0], screen.first, screen.second)) << command;
        }
        MessageBoxAnswerer answers;
        Command(CMD_REOPEN_AUTO);   // untitled: "cannot reopen"
        ASSERT_EQ(1u, answers.seen.size());
        const RECT& box = answers.seen[0].rect;
        EXPECT_TRUE(Within(box, screen.first, screen.second));
        EXPECT_LE(abs(box.left + box.right - screen.first), 2);   // centred
        // The text wraps within the box instead of running past its edge.
        const RECT& text = answers.seen[0].textRect;
        EXPECT_LE(text.right, box.right);
        EXPECT_GT(text.right - text.left, 0);
        TearDown();
    }
}

TEST_F(Device, CloseFromOutsideDuringAQuestionRunsAfterIt)
{
    ASSERT_TRUE(StartApp());
    Modify(0, L"text");
    HWND window = g_app.mainWindow;
    MessageBoxAnswerer answers({ IDCANCEL, IDNO });
    PostMessageW(window, WM_CLOSE, 0, 0);   // arrives while New asks
    Command(CMD_NEW);
    PumpMessages();
    ASSERT_EQ(2u, answers.seen.size());   // New's question, then the close's
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Device, VgaDialogsAndMenusAreDrawnAtTheDeviceDpi)
{
    ASSERT_TRUE(StartApp());
    // The find bar's 161 dialog units span the 480-pixel screen.
    ASSERT_TRUE(EnsureFindBar());
    RECT units = { 0, 0, 161, 0 };
    MapDialogRect(g_app.findBar, &units);
    EXPECT_GE(units.right, 420);
    EXPECT_LE(units.right, 500);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(192, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    EXPECT_GE(GetSystemMetrics(SM_CYMENU), 30);
}

TEST_F(Device, HandOversWaitForTheQuestionOrChooser)
{
    std::wstring first = temp.Path(L"first.txt"), second = temp.Path(L"second.txt"),
                 third = temp.Path(L"third.txt");
    for (const std::wstring* path : { &first, &second, &third })
        WriteBytes(*path, "third");
    ASSERT_TRUE(StartApp(first));
    Modify(0, L"first, changed");

    // Close window asks about the first file; the second arrives meanwhile,
    // and an empty hand-over too.
    {
        MessageBoxAnswerer answers({ IDNO });
        RunInNextMessageLoop([&] {
            HandOverFile(second);
            HandOverFile(L"");
        });
        Command(CMD_WINDOW_CLOSE);
        PumpMessages();
    }
    ASSERT_EQ(2, g_app.documents.count);
    EXPECT_FALSE(Doc(0)->HasFileName());
    EXPECT_EQ(second, Doc(1)->path);
    EXPECT_EQ(1, g_app.current);

    // The chooser opens the third file over the second; the first, handed
    // over again meanwhile, gets a tab of its own.
    StringCchCopyW(g_chooserMemory.path, MAX_PATH, second.c_str());   // starts in the folder
    MessageBoxAnswerer unexpected;
    DialogDriver driver;
    driver.Then([&](DialogView& chooser) {
        HandOverFile(first);
        chooser.Type(IDC_CHOOSER_NAME, L"third.txt");
        chooser.Press(IDOK);
    });
    Command(CMD_OPEN);
    PumpMessages();
    EXPECT_TRUE(unexpected.seen.empty());
    ASSERT_EQ(3, g_app.documents.count);
    EXPECT_EQ(third, Doc(1)->path);
    EXPECT_EQ(first, Doc(2)->path);
    EXPECT_EQ(2, g_app.current);
}
