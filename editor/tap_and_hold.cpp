#include "editor/tap_and_hold.h"

#include "platform/aygshell.h"
#include "platform/modal_stack.h"

bool IsTapAndHold(HWND window, LPARAM lParam)
{
    SHRGINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndClient = window;
    info.ptDown.x = (LONG)(WORD)LOWORD(lParam);
    info.ptDown.y = (LONG)(WORD)HIWORD(lParam);
    info.dwFlags = SHRG_RETURNCMD;
    // The wait handles messages other threads and programs send: a file
    // handed over or a close must wait until the caller, which holds its
    // document or tab, is done with it.
    ModalLevel hold(false);
    return SHRecognizeGesture(&info) == GN_CONTEXTMENU;
}
