#include "editor/edit_subclass.h"

#include "editor/tap_and_hold.h"
#include "platform/modal_stack.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"

namespace {

DWORD g_textVersion = 0;

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

// Messages that only read the text, move the selection or the view, or
// paint: everything else may change the text.
bool LeavesTextAlone(UINT message)
{
    switch (message) {
    case EM_GETSEL: case EM_SETSEL: case EM_SCROLLCARET: case EM_GETMODIFY: case EM_SETMODIFY:
    case EM_LINEFROMCHAR: case EM_LINEINDEX: case EM_LINELENGTH: case EM_GETLINECOUNT:
    case EM_GETLINE: case EM_GETFIRSTVISIBLELINE: case EM_POSFROMCHAR: case EM_CHARFROMPOS:
    case EM_GETRECT: case EM_GETLIMITTEXT: case EM_CANUNDO: case EM_LINESCROLL: case EM_SCROLL:
    case WM_GETTEXT: case WM_GETTEXTLENGTH: case WM_GETFONT: case WM_GETDLGCODE:
    case WM_PAINT: case WM_ERASEBKGND: case WM_NCPAINT: case WM_SYNCPAINT: case WM_PRINTCLIENT:
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_TIMER: case WM_SETCURSOR: case WM_NCHITTEST:
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_CAPTURECHANGED:
    case WM_VSCROLL: case WM_HSCROLL: case WM_MOUSEWHEEL: case WM_KEYUP: case WM_COPY:
    case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: case WM_MOVE: case WM_SIZE:
    case WM_NCCALCSIZE: case WM_SHOWWINDOW: case WM_GETOBJECT: case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY: case WM_CONTEXTMENU:
        return true;
    default:
        return false;
    }
}

}

DWORD EditTextVersion()
{
    return g_textVersion;
}

namespace edit_window {

void NoteTextMessage(UINT message)
{
    if (!LeavesTextAlone(message))
        ++g_textVersion;
}

// Tap-and-hold and a context-menu request (a right click, the menu key) get
// the same popup: the platform's own menu would change the text behind the
// program's back. From the keyboard (-1, -1) it opens at the caret.
bool TakePopupMessage(const WindowMessage& m, LRESULT* result)
{
    POINT at;
    if (m.message == WM_LBUTTONDOWN && IsTapAndHold(m.window, m.lParam)) {
        at = { (LONG)(WORD)LOWORD(m.lParam), (LONG)(WORD)HIWORD(m.lParam) };
        ClientToScreen(m.window, &at);
    } else if (m.message == WM_CONTEXTMENU) {
        at = { (short)LOWORD(m.lParam), (short)HIWORD(m.lParam) };
        if (at.x == -1 && at.y == -1) {
            GetCaretPos(&at);
            ClientToScreen(m.window, &at);
        }
    } else {
        return false;
    }
    *result = ShowEditPopup(m.window, at);
    return true;
}

// Commands go on to the main window. That can close the document or rebuild
// its edit window, so neither may be touched afterwards: the edit control
// gets the message too only while its window is still there.
LRESULT ForwardCommand(const WindowMessage& m, HWND target)
{
    SendMessageW(target, WM_COMMAND, m.wParam, m.lParam);
    return PassOn(m);
}

}
