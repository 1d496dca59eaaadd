#include "tests/lists/quick_insert_support.h"

// The menu built from QInsert.lst: nesting by tabs, separators, commands.

typedef QuickInsertTest QuickInsertMenu;

TEST_F(QuickInsertMenu, TabsNestAndCloseLevels)
{
    EXPECT_TRUE(Load(L"A|a\r\n"
                     L"Menu\r\n"
                     L"\tB|b\r\n"
                     L"\tSub\r\n"
                     L"\t\tC|c\r\n"
                     L"\t\tD|d\r\n"
                     L"\tE|e\r\n"
                     L"\tInner\r\n"
                     L"\t\tF|f\r\n"
                     L"G|g\r\n"));
    // One tab less closes one level; two tabs less close two at once.
    EXPECT_EQ(L"A#57200, Menu{B#57202, Sub{C#57204, D#57205}, E#57206, Inner{F#57208}}, G#57209",
              Menu());
    // Submenu titles carry no command anywhere in the menu.
    for (int j : { 1, 3, 7 })
        EXPECT_EQ((UINT)-1, GetMenuState(popup, QUICK_INSERT_FIRST_COMMAND + j, MF_BYCOMMAND)) << j;
    EXPECT_NE((UINT)-1, GetMenuState(popup, 57208, MF_BYCOMMAND));
}

TEST_F(QuickInsertMenu, DeeperIndentationOpensOneLevel)
{
    EXPECT_TRUE(Load(L"Top\r\n\t\t\tDeep|d\r\n\t\t\tDeep too|t\r\nBack|b"));
    EXPECT_EQ(L"Top{Deep#57201, Deep too#57202}, Back#57203", Menu());
}

TEST_F(QuickInsertMenu, ClosingNeverLeavesTheMenuItself)
{
    // More tabs closed than were opened: the items stay in the top menu.
    EXPECT_TRUE(Load(L"\t\tA|a\r\nB|b\r\n\tC|c\r\nD|d"));
    EXPECT_EQ(L"A#57200, B{C#57202}, D#57203", Menu());
}

TEST_F(QuickInsertMenu, SeparatorsAtAnyLevel)
{
    EXPECT_TRUE(Load(L"HTML\r\n"
                     L"\t<b>|<b>%!</b>\r\n"
                     L"\t%SEPARATOR%\r\n"
                     L"\t<i>|<i>%!</i>\r\n"
                     L"%SEPARATOR%\r\n"
                     L"Percent|%%\r\n"));
    EXPECT_EQ(L"HTML{<b>#57201, ---, <i>#57203}, ---, Percent#57205", Menu());
    // Only the whole title makes a separator.
    list.Release();
    DestroyMenu(popup);
    popup = CreatePopupMenu();
    list.menu = popup;
    EXPECT_TRUE(Load(L"%SEPARATOR% \r\n%separator%\r\n%SEPARATOR%|x"));
    EXPECT_EQ(L"%SEPARATOR% #57200, %separator%#57201, ---", Menu());
}

TEST_F(QuickInsertMenu, TabsInsideTitlesAreDropped)
{
    EXPECT_TRUE(Load(L"Tab\there|x\r\nTrailing\t|y"));
    EXPECT_EQ(L"Tabhere#57200, Trailing#57201", Menu());
}

namespace {

// Plays the user at a pop-up menu: waits for it to show, notes where, then
// presses Down `downPresses` times and Enter (or Escape when negative).
struct MenuUser {
    int downPresses;
    bool seen;
    RECT shown;
};
MenuUser* g_user = nullptr;
UINT g_command = 0;

void CALLBACK UseShownMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND shown = FindWindowW(L"#32768", nullptr);
    if (!shown || !IsWindowVisible(shown))
        return;    // not up yet: next tick
    KillTimer(nullptr, timer);
    g_user->seen = true;
    GetWindowRect(shown, &g_user->shown);
    for (int i = 0; i < g_user->downPresses; ++i)
        PostMessageW(shown, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(shown, WM_KEYDOWN, g_user->downPresses < 0 ? VK_ESCAPE : VK_RETURN, 0);
}

// Closes a menu that nobody answered, so a failing test does not hang.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    EndMenu();
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_command = LOWORD(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window that records the commands it receives, as the main window would.
HWND CommandOwner()
{
    static HWND owner = nullptr;
    if (!owner)
        owner = CreateTestWindow(L"QxCommandOwner", OwnerProc, WS_OVERLAPPEDWINDOW, nullptr, 100,
                                 100);
    return owner;
}

// Shows the list's menu, answers it as `user`, and delivers the command.
void ShowAndAnswer(CQuickInsertList& list, bool left, MenuUser& user)
{
    g_user = &user;
    g_command = 0;
    UINT_PTR use = SetTimer(nullptr, 0, 20, UseShownMenu);
    UINT_PTR giveUp = SetTimer(nullptr, 0, 5000, GiveUp);
    list.ShowQuickInsert(left, CommandOwner());
    KillTimer(nullptr, use);
    KillTimer(nullptr, giveUp);
    PumpMessages();
    g_user = nullptr;
}

bool Contains(const RECT& rect, int x, int y)
{
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

}

TEST_F(QuickInsertMenu, PopsUpAtTheBottomCornersOfTheScreen)
{
    EXPECT_TRUE(Load(L"Date|%D\r\nTime|%h\r\nHTML\r\n\t<b>|<b>%!</b>"));
    SetDeviceScreen(240, 320);    // the fixture puts the VGA screen back

    MenuUser user = { -1, false, {} };
    ShowAndAnswer(list, true, user);
    ASSERT_TRUE(user.seen);
    // Left-aligned at x = 2; the platform may move it up to fit above y.
    EXPECT_EQ(2, user.shown.left);
    EXPECT_TRUE(Contains(user.shown, 2, 318));
    EXPECT_EQ(0u, g_command);

    user = { -1, false, {} };
    ShowAndAnswer(list, false, user);
    ASSERT_TRUE(user.seen);
    EXPECT_TRUE(Contains(user.shown, 238, 318));
    EXPECT_NE(2, user.shown.left);
}

TEST_F(QuickInsertMenu, ChosenItemSendsItsCommand)
{
    EXPECT_TRUE(Load(L"Date|%D\r\n\r\nTime|%h\r\n%SEPARATOR%\r\nPercent|%%"));
    MenuUser user = { 2, false, {} };
    ShowAndAnswer(list, true, user);
    ASSERT_TRUE(user.seen);
    EXPECT_EQ(57201u, g_command);
    // The separator is passed over by the keyboard.
    user = { 3, false, {} };
    ShowAndAnswer(list, false, user);
    EXPECT_EQ(57203u, g_command);

    // The command's index inserts the chosen snippet.
    SetClock(2007, 3, 5, 9, 4);
    edit.SetText(L"");
    EXPECT_TRUE(Insert((int)g_command - QUICK_INSERT_FIRST_COMMAND));
    EXPECT_EQ(L"%", edit.Text());
}

TEST_F(QuickInsertMenu, OnlyItemsWithSixteenBitCommandsAreListed)
{
    std::wstring lines;
    for (int j = 0; j < 8400; ++j)
        lines += L"Item " + std::to_wstring(j) + L"|" + std::to_wstring(j) + L"\r\n";
    EXPECT_TRUE(Load(lines));
    ASSERT_EQ(8336, list.count);
    int n = GetMenuItemCount(popup);
    ASSERT_EQ(8336, n);
    EXPECT_EQ(0xFFFFu, GetMenuItemID(popup, n - 1));
    Select(0, 0);
    EXPECT_TRUE(Insert(8335));
    EXPECT_EQ(L"8335", edit.Text());
    EXPECT_FALSE(Insert(8336));
}
