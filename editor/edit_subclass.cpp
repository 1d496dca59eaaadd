#include "editor/edit_subclass.h"

#include "editor/document.h"
#include "editor/tap_and_hold.h"
#include "platform/modal_stack.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"

namespace {

// Select all, a separator, cut, copy and paste at `at` (screen coordinates).
// The chosen command comes back to the edit window as WM_COMMAND and is
// passed on to the main window like any other.
LRESULT ShowEditPopup(HWND edit, POINT at)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CMD_SELECT_ALL, g_lang.Lookup(L"sel_all", L"Выделить всё"));
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, CMD_CUT, g_lang.Lookup(L"cut", L"Вырезать"));
    AppendMenuW(menu, MF_STRING, CMD_COPY, g_lang.Lookup(L"copy", L"Копировать"));
    AppendMenuW(menu, MF_STRING, CMD_PASTE, g_lang.Lookup(L"paste", L"Вставить"));
    LRESULT result = ModalTrackPopupMenu(menu, 0, at.x, at.y, edit);
    DestroyMenu(menu);
    return result;
}

LRESULT OnTap(HWND edit, LPARAM lParam)
{
    POINT at = { (LONG)(WORD)LOWORD(lParam), (LONG)(WORD)HIWORD(lParam) };
    ClientToScreen(edit, &at);
    return ShowEditPopup(edit, at);
}

// A context-menu request (a right click, the menu key) gets the same popup
// as tap-and-hold: the platform's own menu would change the text behind the
// program's back. From the keyboard (-1, -1) it opens at the caret.
LRESULT OnContextMenu(HWND edit, LPARAM lParam)
{
    POINT at = { (short)LOWORD(lParam), (short)HIWORD(lParam) };
    if (at.x == -1 && at.y == -1) {
        GetCaretPos(&at);
        ClientToScreen(edit, &at);
    }
    return ShowEditPopup(edit, at);
}

// Commands go on to the main window. That can close the document or rebuild
// its edit window, so neither may be touched afterwards: the edit control
// gets the message too only when its window is still there.
LRESULT ForwardCommand(HWND window, CDocument* document, WPARAM wParam, LPARAM lParam)
{
    SendMessageW(document->parent, WM_COMMAND, wParam, lParam);
    if (!IsWindow(window))
        return 0;
    return DefSubclassProc(window, WM_COMMAND, wParam, lParam);
}

const UINT_PTR kEditSubclass = 1;

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data)
{
    CDocument* document = (CDocument*)data;
    switch (message) {
    case WM_KEYDOWN:
        // Shortcuts with Ctrl held change nothing by themselves; what they
        // do to the text is caught by the change notification.
        if ((GetAsyncKeyState(VK_CONTROL) & 0xFFFF) == 0)
            document->SetModified(true);
        break;
    case WM_COMMAND:
        return ForwardCommand(window, document, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (IsTapAndHold(window, lParam))
            return OnTap(window, lParam);
        break;
    case WM_CONTEXTMENU:
        return OnContextMenu(window, lParam);
    case WM_PASTE:
        if (PasteLongText(window))
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, EditProc, kEditSubclass);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}

void AttachEditSubclass(HWND edit, CDocument* document)
{
    SetWindowSubclass(edit, EditProc, kEditSubclass, (DWORD_PTR)document);
}
