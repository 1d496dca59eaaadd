#include "tests/shell/app_fixture.h"

#include <vector>

namespace {

struct SeenMenu {
    std::vector<std::wstring> texts;
    std::vector<UINT> ids;
    bool shown = false;
};

SeenMenu g_seen;
HHOOK g_hook;

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    EndMenu();
}

// Reads the popup's items as it opens, then closes it from inside its loop.
LRESULT CALLBACK WatchMenus(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP && !g_seen.shown) {
        HMENU menu = (HMENU)call->wParam;
        g_seen.shown = true;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = L"";
            GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
            g_seen.texts.push_back(text);
            g_seen.ids.push_back(GetMenuItemID(menu, i));
        }
        SetTimer(nullptr, 0, 100, CloseMenu);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void Press(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

class EditPopup : public AppFixture {};

}

TEST_F(EditPopup, HoldingTheStylusOpensSelectAllCutCopyPaste)
{
    ASSERT_TRUE(StartApp());
    Doc(0)->SetText(L"Текст для проверки");
    RECT r;
    GetWindowRect(Doc(0)->edit, &r);
    SetCursorPos(r.left + 30, r.top + 10);
    Pump();
    g_seen = SeenMenu();
    g_hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchMenus, nullptr, GetCurrentThreadId());

    // A quick tap only places the caret.
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    for (int i = 0; i < 10; ++i) {
        Sleep(50);
        Pump();
    }
    EXPECT_FALSE(g_seen.shown);

    // Held still: the popup opens at the point.
    Press(MOUSEEVENTF_LEFTDOWN);
    DWORD start = GetTickCount();
    while (!g_seen.shown && GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    Press(MOUSEEVENTF_LEFTUP);
    Pump();
    UnhookWindowsHookEx(g_hook);

    ASSERT_TRUE(g_seen.shown);
    std::vector<std::wstring> texts = { L"Выделить всё", L"", L"Вырезать", L"Копировать",
                                        L"Вставить" };
    std::vector<UINT> ids = { 32786, 0, 32773, 32771, 32772 };
    EXPECT_EQ(texts, g_seen.texts);
    EXPECT_EQ(ids, g_seen.ids);
    // Closed without a choice: nothing changed.
    EXPECT_EQ(0, Doc(0)->modified);
}
