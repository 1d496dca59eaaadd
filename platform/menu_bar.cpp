#include <windows.h>
#include <commctrl.h>

#include <new>

#include "platform/device_screen.h"
#include "platform/menu_bar.h"
#include "platform/modal_stack.h"
#include "platform/window_subclass.h"

#undef GetSystemMetrics

namespace {

// What one bar keeps: its menu, the window that gets its commands, the
// relay that receives the toolbar's own notifications, its colour.
struct MenuBar {
    HWND bar;
    HMENU menu;
    HWND owner;
    HWND relay;
    bool coloured;
    COLORREF colour;
};

// Opens the popup of a soft key above the bar; the chosen command goes to
// the owner like any menu command.
void OpenSoftKeyMenu(HWND bar, MenuBar* state, int command)
{
    HMENU popup = GetSubMenu(state->menu, command - MENU_BAR_POPUP_KEY_FIRST);
    if (!popup)
        return;
    RECT button = {};
    int index = (int)SendMessageW(bar, TB_COMMANDTOINDEX, command, 0);
    SendMessageW(bar, TB_GETITEMRECT, index, (LPARAM)&button);
    MapWindowPoints(bar, nullptr, (POINT*)&button, 2);
    SendMessageW(bar, TB_PRESSBUTTON, command, MAKELONG(TRUE, 0));
    ModalTrackPopupMenu(popup, TPM_LEFTALIGN | TPM_BOTTOMALIGN, button.left, button.top,
                        state->owner);
    SendMessageW(bar, TB_PRESSBUTTON, command, MAKELONG(FALSE, 0));
}

// The relay is a message-only window with the bar's state attached; the
// bar takes it off before the state goes.
LRESULT RelayProc(MenuBar* state, const WindowMessage& m)
{
    if (m.message == WM_COMMAND) {
        // While a dialog or a message owns the device the owner is disabled:
        // nothing of its bar may run.
        if (!IsWindowEnabled(state->owner))
            return 0;
        int command = LOWORD(m.wParam);
        if (command >= MENU_BAR_POPUP_KEY_FIRST && command < MENU_BAR_POPUP_KEY_FIRST + 16)
            OpenSoftKeyMenu(state->bar, state, command);
        else
            SendMessageW(state->owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return 0;
    }
    if (m.message == WM_NOTIFY)
        return SendMessageW(state->owner, WM_NOTIFY, m.wParam, m.lParam);
    return PassOn(m);
}
typedef WindowSubclass<MenuBar, RelayProc> RelaySubclass;

LRESULT BarProc(MenuBar* state, const WindowMessage& m)
{
    HWND bar = m.window;
    switch (m.message) {
    case SHCMBM_GETMENU:
        return (LRESULT)state->menu;
    case TB_ADDBUTTONSW: {
        // Picture buttons as wide as their picture, as on the device: the
        // desktop's toolbar would size them all for the widest text, and at a
        // VGA screen's DPI the last ones would leave the screen.
        const TBBUTTON* buttons = (const TBBUTTON*)m.lParam;
        UINT count = (UINT)m.wParam;
        if (!buttons || count == 0 || count > 1000)
            break;
        TBBUTTON* sized = new (std::nothrow) TBBUTTON[count];
        if (!sized)
            break;
        for (UINT i = 0; i < count; ++i) {
            sized[i] = buttons[i];
            if (!(sized[i].fsStyle & BTNS_SEP))
                sized[i].fsStyle |= BTNS_AUTOSIZE;
        }
        LRESULT added = PassOn(m, m.message, m.wParam, (LPARAM)sized);
        delete[] sized;
        return added;
    }
    case SHCMBM_GETSUBMENU:
        // lParam names a soft key by its command; 0 stands for the first one.
        return (LRESULT)GetSubMenu(state->menu,
                                   m.lParam ? (int)m.lParam - MENU_BAR_POPUP_KEY_FIRST : 0);
    case WM_MOUSEACTIVATE:
        // A tap on the bar leaves the keyboard focus where it was (the text),
        // and does nothing while a dialog or a message owns the device.
        return IsWindowEnabled(state->owner) ? MA_NOACTIVATE : MA_NOACTIVATEANDEAT;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if (!IsWindowEnabled(state->owner))
            return 0;
        break;
    case WM_ERASEBKGND: {
        // The whole bar is painted, also where no button is: a flat
        // toolbar leaves that to its parent, and the bar has none.
        RECT client;
        GetClientRect(bar, &client);
        HBRUSH brush = state->coloured ? CreateSolidBrush(state->colour) : nullptr;
        FillRect((HDC)m.wParam, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        if (brush)
            DeleteObject(brush);
        return 1;
    }
    case WM_NCDESTROY: {
        RelaySubclass::Detach(state->relay);
        DestroyWindow(state->relay);
        if (state->menu)
            DestroyMenu(state->menu);
        delete state;
        break;
    }
    default:
        break;
    }
    return PassOn(m);
}
typedef WindowSubclass<MenuBar, BarProc> BarSubclass;

// A plain message-only window; the bar's state is attached to it once the
// state exists.
HWND CreateRelay(HINSTANCE instance)
{
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                           nullptr);
}

// One soft key per top-level entry of the menu. The keys go in a few at a
// time: each addition lays the whole bar out again.
void AddSoftKeys(HWND bar, HMENU menu)
{
    const int kKeysAtOnce = 16;
    int count = GetMenuItemCount(menu);
    for (int first = 0; first < count; first += kKeysAtOnce) {
        wchar_t texts[kKeysAtOnce][64];
        TBBUTTON buttons[kKeysAtOnce] = {};
        int n = 0;
        for (int i = first; i < count && n < kKeysAtOnce; ++i, ++n) {
            texts[n][0] = 0;
            GetMenuStringW(menu, i, texts[n], ARRAYSIZE(texts[n]), MF_BYPOSITION);
            TBBUTTON& button = buttons[n];
            button.iBitmap = I_IMAGENONE;
            button.idCommand = GetSubMenu(menu, i) ? MENU_BAR_POPUP_KEY_FIRST + i
                                                   : (int)GetMenuItemID(menu, i);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
            button.iString = (INT_PTR)texts[n];
        }
        SendMessageW(bar, TB_ADDBUTTONSW, n, (LPARAM)buttons);
    }
}

}

BOOL SHCreateMenuBar(SHMENUBARINFO* info)
{
    if (!info || !IsWindow(info->hwndParent))
        return FALSE;
    info->hwndMB = nullptr;
    HINSTANCE instance = info->hInstRes ? info->hInstRes : GetModuleHandleW(nullptr);
    HMENU menu = nullptr;
    if (info->dwFlags & SHCMBF_HMENU) {
        menu = LoadMenuW(instance, MAKEINTRESOURCEW(info->nToolBarId));
        if (!menu)
            return FALSE;
    }

    int width = DeviceGetSystemMetrics(SM_CXVIRTUALSCREEN);
    int height = DeviceGetSystemMetrics(SM_CYVIRTUALSCREEN);
    int barHeight = DeviceMenuBarHeight();
    HWND relay = CreateRelay(instance);
    // A top-level strip owned by the window: it stays above it and goes with it.
    HWND bar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, TOOLBARCLASSNAMEW, L"",
                               WS_POPUP | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST |
                                   TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER |
                                   CCS_NOPARENTALIGN,
                               0, height - barHeight, width, barHeight, info->hwndParent, nullptr,
                               instance, nullptr);
    if (!bar) {
        DestroyWindow(relay);
        if (menu)
            DestroyMenu(menu);
        return FALSE;
    }
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETPARENT, (WPARAM)relay, 0);
    SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    // Soft keys as high as the bar, as on the device.
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELONG(barHeight, barHeight - 4));

    MenuBar* state = new (std::nothrow) MenuBar{ bar, menu, info->hwndParent, relay, false, 0 };
    if (!state) {
        // No bar rather than one whose keys reach nothing; the caller reports it.
        DestroyWindow(bar);
        DestroyWindow(relay);
        if (menu)
            DestroyMenu(menu);
        return FALSE;
    }
    RelaySubclass::Attach(relay, state);
    if (info->dwFlags & SHCMBF_COLORBK) {
        state->coloured = true;
        state->colour = info->clrBk;
    }
    BarSubclass::Attach(bar, state);
    if (menu && !(info->dwFlags & SHCMBF_EMPTYBAR))
        AddSoftKeys(bar, menu);
    info->hwndMB = bar;
    return TRUE;
}
