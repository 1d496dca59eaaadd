#include "editor/edit_subclass.h"

#include "editor/document.h"
#include "editor/tap_and_hold.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"

namespace {

// Select all, a separator, cut, copy and paste at the tapped point. The
// chosen command comes back to the edit window as WM_COMMAND and is passed on
// to the main window like any other.
LRESULT ShowEditPopup(HWND edit, LPARAM lParam)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CMD_SELECT_ALL, g_lang.Lookup(L"sel_all", L"Выделить всё"));
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, CMD_CUT, g_lang.Lookup(L"cut", L"Вырезать"));
    AppendMenuW(menu, MF_STRING, CMD_COPY, g_lang.Lookup(L"copy", L"Копировать"));
    AppendMenuW(menu, MF_STRING, CMD_PASTE, g_lang.Lookup(L"paste", L"Вставить"));
    POINT at = { (LONG)(WORD)LOWORD(lParam), (LONG)(WORD)HIWORD(lParam) };
    ClientToScreen(edit, &at);
    LRESULT result = TrackPopupMenuEx(menu, 0, at.x, at.y, edit, nullptr);
    DestroyMenu(menu);
    return result;
}

}

LRESULT CALLBACK EditSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDocument* document = (CDocument*)GetWindowLongPtrW(window, GWLP_USERDATA);
    switch (message) {
    case WM_KEYDOWN:
        // Shortcuts with Ctrl held change nothing by themselves.
        if ((GetAsyncKeyState(VK_CONTROL) & 0xFFFF) == 0)
            document->SetModified(true);
        break;
    case WM_COMMAND:
        SendMessageW(document->parent, WM_COMMAND, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
        if (IsTapAndHold(window, lParam))
            return ShowEditPopup(window, lParam);
        break;
    default:
        break;
    }
    return CallWindowProcW(document->editProc, window, message, wParam, lParam);
}
