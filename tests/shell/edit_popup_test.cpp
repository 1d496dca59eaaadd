#include "tests/shell/app_fixture.h"

namespace {

class EditPopup : public AppFixture {};

}

TEST_F(EditPopup, HoldingTheStylusOpensSelectAllCutCopyPaste)
{
    ASSERT_TRUE(StartApp());
    Doc(0)->SetText(L"Текст для проверки");
    RECT r;
    GetWindowRect(Doc(0)->edit, &r);
    SetCursorPos(r.left + 30, r.top + 10);
    PumpMessages();
    PopupMenuWatcher watcher;

    // A quick tap only places the caret.
    Stylus(MOUSEEVENTF_LEFTDOWN);
    Stylus(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(watcher.WaitForMenu(500));

    // Held still: the popup opens at the point.
    Stylus(MOUSEEVENTF_LEFTDOWN);
    bool opened = watcher.WaitForMenu(5000);
    Stylus(MOUSEEVENTF_LEFTUP);
    PumpMessages();
    ASSERT_TRUE(opened);
    std::vector<std::wstring> expected = { L"0 Выделить всё #32786", L"0 -", L"0 Вырезать #32773",
                                           L"0 Копировать #32771", L"0 Вставить #32772" };
    EXPECT_EQ(expected, watcher.lines);
    // Closed without a choice: no item ran (Select All would select the
    // whole text; Cut or Paste would change it).
    DWORD start = 0, end = 0;
    SendMessageW(Doc(0)->edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(start, end);
    EXPECT_EQ(L"Текст для проверки", DocText(0));
}
