#include "widgets/enter_key.h"

#include "platform/window_subclass.h"

namespace {

LRESULT EnterToControl(void*, const WindowMessage& m)
{
    LRESULT code = PassOn(m);
    if (m.message == WM_GETDLGCODE) {
        const MSG* key = (const MSG*)m.lParam;
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
    }
    return code;
}

}

void LetControlTakeEnter(HWND control)
{
    WindowSubclass<void, EnterToControl>::Attach(control, nullptr);
}
