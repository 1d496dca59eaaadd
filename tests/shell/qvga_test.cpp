#include "tests/shell/app_fixture.h"

#include "resources/resource.h"

// The QVGA handheld at its own DPI (96): what is laid out for it fits it.

namespace {

class Qvga : public AppFixture {
protected:
    void SetUp() override { ASSERT_TRUE(StartApp(L"", L"", 240, 320)); }
};

}

TEST_F(Qvga, TheFindBarFitsTheScreenAtItsDpi)
{
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(96, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    // Every control of the two-row bar lies within the bar and the screen.
    Command(CMD_REPLACE);
    RECT bar;
    GetClientRect(g_app.findBar, &bar);
    EXPECT_LE(bar.right, 240);
    for (int id : { IDC_FIND_PREVIOUS, IDC_FIND_TEXT, IDC_FIND_NEXT, IDC_MATCH_CASE,
                    IDC_WHOLE_WORD, IDC_REPLACE_TEXT, IDC_REPLACE, IDC_REPLACE_ALL }) {
        RECT r = WindowRectIn(GetDlgItem(g_app.findBar, id), g_app.findBar);
        EXPECT_GE(r.left, 0) << id;
        EXPECT_LE(r.right, bar.right) << id;
        EXPECT_GT(r.right - r.left, 8) << id;
    }
}

namespace {

// The visible controls of a dialog that reach past the screen, as
// "id text" lines.
std::vector<std::wstring> ControlsOffScreen(HWND dialog)
{
    std::vector<std::wstring> off;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        if (IsWindowVisible(child) && (r.left < 0 || r.top < 0 || r.right > 240 || r.bottom > 320))
            off.push_back(std::to_wstring(GetDlgCtrlID(child)) + L" " + WindowText(child));
    }
    return off;
}

}

// Seen: the chooser's Cancel and "\\" buttons and the settings' size box and
// check boxes ended a pixel or two past the screen's right edge.
TEST_F(Qvga, EveryControlOfTheDialogsLiesOnTheScreen)
{
    const std::vector<std::wstring> none;
    auto check = [&](DialogView& dialog) {
        EXPECT_EQ(none, ControlsOffScreen(dialog.window)) << dialog.Caption();
    };
    struct Shown {
        int command;
        int nested;   // a button opening a dialog of its own, or 0
    };
    for (Shown shown : { Shown{ CMD_OPEN, 0 }, Shown{ CMD_SAVE_AS, 0 },
                         Shown{ CMD_SETTINGS, IDC_SET_ADVANCED }, Shown{ CMD_ABOUT, 0 } }) {
        DialogDriver driver;
        driver.Then([&](DialogView& dialog) {
            check(dialog);
            if (shown.nested) {
                EXPECT_TRUE(dialog.Press(shown.nested));
            }
            SendMessageW(dialog.window, WM_CLOSE, 0, 0);
        });
        if (shown.nested) {
            driver.Then([&](DialogView& dialog) {
                check(dialog);
                SendMessageW(dialog.window, WM_CLOSE, 0, 0);
            });
        }
        Command(shown.command);
        EXPECT_EQ(shown.nested ? 2 : 1, driver.ran) << shown.command;
    }
}
