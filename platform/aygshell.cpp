#include <windows.h>
#include <commctrl.h>

#include "platform/aygshell.h"
#include "platform/device_screen.h"

namespace {

// --- The Done button ---------------------------------------------------------
// The handheld shows "ok" at the right end of the title bar of a window that
// asked for it; here a small button floats over the right end of the
// window's caption, follows the window and sends IDOK to it.

const UINT_PTR kDoneSubclass = 0x51D0;

RECT DoneButtonRect(HWND owner)
{
    RECT frame;
    GetWindowRect(owner, &frame);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    int border = GetSystemMetrics(SM_CYFIXEDFRAME);
    int width = caption * 2;
    RECT r = { frame.right - border - width - 2, frame.top + border + 1, frame.right - border - 2,
               frame.top + border + caption - 1 };
    return r;
}

void PlaceDoneButton(HWND owner, HWND button)
{
    RECT r = DoneButtonRect(owner);
    SetWindowPos(button, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | (IsWindowVisible(owner) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

LRESULT CALLBACK DoneButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR, DWORD_PTR owner)
{
    if (message == WM_LBUTTONUP) {
        LRESULT result = DefSubclassProc(button, message, wParam, lParam);
        POINT at = { (short)LOWORD(lParam), (short)HIWORD(lParam) };
        RECT client;
        GetClientRect(button, &client);
        if (PtInRect(&client, at))
            PostMessageW((HWND)owner, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)button);
        return result;
    }
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT CALLBACK DoneOwnerProc(HWND owner, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR, DWORD_PTR button)
{
    switch (message) {
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_ACTIVATE: {
        LRESULT result = DefSubclassProc(owner, message, wParam, lParam);
        PlaceDoneButton(owner, (HWND)button);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(owner, DoneOwnerProc, kDoneSubclass);
        break;
    default:
        break;
    }
    return DefSubclassProc(owner, message, wParam, lParam);
}

void AddDoneButton(HWND owner)
{
    // The device has no close box beside "ok".
    LONG style = GetWindowLongW(owner, GWL_STYLE);
    SetWindowLongW(owner, GWL_STYLE, (style & ~WS_SYSMENU) | WS_CAPTION);
    SetWindowPos(owner, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    HWND button = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"BUTTON", L"OK",
                                  WS_POPUP | BS_PUSHBUTTON, 0, 0, 10, 10, owner, nullptr,
                                  (HINSTANCE)GetWindowLongPtrW(owner, GWLP_HINSTANCE), nullptr);
    SendMessageW(button, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    SetWindowSubclass(button, DoneButtonProc, kDoneSubclass, (DWORD_PTR)owner);
    SetWindowSubclass(owner, DoneOwnerProc, kDoneSubclass, (DWORD_PTR)button);
    PlaceDoneButton(owner, button);
}

}

BOOL SHInitExtraControls()
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES };
    return InitCommonControlsEx(&controls);
}

BOOL SHInitDialog(PSHINITDLGINFO info)
{
    if (!info || !IsWindow(info->hDlg) || !(info->dwMask & SHIDIM_FLAGS))
        return FALSE;
    HWND window = info->hDlg;
    DWORD flags = info->dwFlags;
    if (flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
        int width = DeviceGetSystemMetrics(SM_CXVIRTUALSCREEN);
        int height = DeviceGetSystemMetrics(SM_CYVIRTUALSCREEN);
        if (!(flags & SHIDIF_FULLSCREENNOMENUBAR))
            height -= DeviceMenuBarHeight();
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (flags & SHIDIF_DONEBUTTON)
        AddDoneButton(window);
    return TRUE;
}

DWORD SHRecognizeGesture(SHRGINFO* info)
{
    if (!info || !IsWindow(info->hwndClient))
        return 0;
    HWND window = info->hwndClient;
    // A tap the program makes itself (a message, no stylus on the screen) is
    // never a hold.
    if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000))
        return 0;
    // The stylus must stay down and within a small circle for half a second:
    // a release or a move beyond it within that time makes it a plain tap or
    // a drag, whose messages stay queued for the window.
    const DWORD holdTime = 500;
    int slack = GetSystemMetrics(SM_CXDRAG) > 4 ? GetSystemMetrics(SM_CXDRAG) : 4;
    DWORD start = GetTickCount();
    // A release outside the window must still reach it.
    HWND captured = GetCapture();
    if (captured != window)
        SetCapture(window);
    DWORD result = 0;
    for (;;) {
        MSG msg;
        bool ended = false;
        while (!ended && PeekMessageW(&msg, window, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE)) {
            POINT at = { (short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam) };
            if (msg.message != WM_MOUSEMOVE || abs(at.x - info->ptDown.x) > slack ||
                abs(at.y - info->ptDown.y) > slack)
                ended = true;
            else
                PeekMessageW(&msg, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
        }
        DWORD elapsed = GetTickCount() - start;
        if (ended || elapsed >= holdTime) {
            if (!ended && (info->dwFlags & SHRG_RETURNCMD))
                result = GN_CONTEXTMENU;
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, holdTime - elapsed, QS_MOUSE);
    }
    if (captured != window)
        ReleaseCapture();
    return result;
}

BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM, SHACTIVATEINFO* info, DWORD)
{
    // The handheld restores the soft keyboard and the focus of a window that
    // becomes active again; the desktop keeps the focus itself, so only the
    // record is kept up to date.
    if (!info)
        return FALSE;
    info->fActive = LOWORD(wParam) != WA_INACTIVE;
    if (!info->fActive)
        info->hwndLastFocus = GetFocus();
    (void)window;
    return TRUE;
}

BOOL SHHandleWMSettingChange(HWND window, WPARAM, LPARAM, SHACTIVATEINFO* info)
{
    // A change of the soft keyboard would resize the window on the device;
    // the emulated screen has no soft keyboard.
    return info != nullptr && IsWindow(window);
}
