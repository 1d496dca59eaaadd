#include "editor/tap_and_hold.h"

#include "platform/aygshell.h"

bool IsTapAndHold(HWND window, LPARAM lParam)
{
    SHRGINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndClient = window;
    info.ptDown.x = (LONG)(WORD)LOWORD(lParam);
    info.ptDown.y = (LONG)(WORD)HIWORD(lParam);
    info.dwFlags = SHRG_RETURNCMD;
    return SHRecognizeGesture(&info) == GN_CONTEXTMENU;
}
