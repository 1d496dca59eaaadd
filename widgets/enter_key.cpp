#include "widgets/enter_key.h"

namespace {

const UINT_PTR kEnterSubclass = 0x51C0;

LRESULT CALLBACK EnterToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR, DWORD_PTR)
{
    if (message == WM_GETDLGCODE) {
        const MSG* key = (const MSG*)lParam;
        LRESULT code = DefSubclassProc(control, message, wParam, lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, EnterToControl, kEnterSubclass);
    return DefSubclassProc(control, message, wParam, lParam);
}

}

void LetControlTakeEnter(HWND control)
{
    SetWindowSubclass(control, EnterToControl, kEnterSubclass, 0);
}
