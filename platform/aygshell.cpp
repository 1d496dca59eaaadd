#include <windows.h>
#include <commctrl.h>

#include "platform/aygshell.h"
#include "platform/device_bounds.h"
#include "platform/device_buttons.h"
#include "platform/device_screen.h"
#include "platform/window_subclass.h"

namespace {

// --- The Done button ---------------------------------------------------------
// The handheld shows "ok" at the right end of the title bar of a window that
// asked for it. Here it is drawn into the window's own caption after the
// system has drawn it, and a tap on it sends IDOK to the window.

const wchar_t kDoneProperty[] = L"QuillexDoneButton";

// The button's place in screen coordinates: the right end of the caption,
// which lies between the top of the frame and the client area.
RECT DoneRect(HWND owner)
{
    RECT frame;
    GetWindowRect(owner, &frame);
    POINT client = { 0, 0 };
    ClientToScreen(owner, &client);
    int border = client.x - frame.left;
    int top = frame.top + border;
    int height = client.y - top;
    RECT r = { frame.right - border - 2 * height - 1, top + 1, frame.right - border - 1,
               top + height - 1 };
    return r;
}

void PaintDone(HWND owner)
{
    RECT frame, r = DoneRect(owner);
    GetWindowRect(owner, &frame);
    OffsetRect(&r, -frame.left, -frame.top);
    if (r.bottom - r.top < 4)
        return;
    HDC dc = GetWindowDC(owner);
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, L"OK", 2, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(owner, dc);
}

LRESULT DoneOwnerProc(void*, const WindowMessage& m)
{
    HWND owner = m.window;
    switch (m.message) {
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_SETTEXT:
    case WM_WINDOWPOSCHANGED: {
        LRESULT result = PassOn(m);
        PaintDone(owner);
        return result;
    }
    case WM_NCHITTEST: {
        POINT at = { (short)LOWORD(m.lParam), (short)HIWORD(m.lParam) };
        RECT r = DoneRect(owner);
        if (PtInRect(&r, at))
            return HTBORDER;
        break;
    }
    case WM_NCLBUTTONDOWN: {
        POINT at = { (short)LOWORD(m.lParam), (short)HIWORD(m.lParam) };
        RECT r = DoneRect(owner);
        if (PtInRect(&r, at)) {
            PostMessageW(owner, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return 0;
        }
        break;
    }
    case WM_NCDESTROY:
        RemovePropW(owner, kDoneProperty);
        break;
    default:
        break;
    }
    return PassOn(m);
}

void AddDoneButton(HWND owner)
{
    // The device has no close box beside "ok".
    LONG style = GetWindowLongW(owner, GWL_STYLE);
    SetWindowLongW(owner, GWL_STYLE, (style & ~WS_SYSMENU) | WS_CAPTION);
    SetPropW(owner, kDoneProperty, (HANDLE)1);
    WindowSubclass<void, DoneOwnerProc>::Attach(owner, nullptr);
    SetWindowPos(owner, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}

BOOL SHInitExtraControls()
{
    // The program's first call to the shell: the emulated device gets its
    // hardware buttons here, before anything can look for them.
    SeedDeviceButtons();
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES };
    return InitCommonControlsEx(&controls);
}

BOOL SHInitDialog(PSHINITDLGINFO info)
{
    if (!info || !IsWindow(info->hDlg) || !(info->dwMask & SHIDIM_FLAGS))
        return FALSE;
    HWND window = info->hDlg;
    DWORD flags = info->dwFlags;
    MarkHandheldDialog(window);
    if (flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
        int width = DeviceGetSystemMetrics(SM_CXVIRTUALSCREEN);
        int height = DeviceGetSystemMetrics(SM_CYVIRTUALSCREEN);
        if (!(flags & SHIDIF_FULLSCREENNOMENUBAR))
            height -= DeviceMenuBarHeight();
        // The handheld's full-screen dialogs have no frame to take room from
        // their contents: keep only the thin border.
        LONG style = GetWindowLongW(window, GWL_STYLE);
        LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
        SetWindowLongW(window, GWL_STYLE, style & ~WS_THICKFRAME);
        SetWindowLongW(window, GWL_EXSTYLE,
                       exStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE));
        SetWindowPos(window, nullptr, 0, 0, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (flags & SHIDIF_DONEBUTTON)
        AddDoneButton(window);
    // The dialog's own (empty) bar covers the main window's, so none of that
    // bar's soft keys or buttons can be reached while the dialog is up. It
    // goes with the dialog, which owns it.
    if (flags & SHIDIF_EMPTYMENU) {
        SHMENUBARINFO bar = {};
        bar.cbSize = sizeof(bar);
        bar.hwndParent = window;
        bar.dwFlags = SHCMBF_EMPTYBAR;
        SHCreateMenuBar(&bar);
    }
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
    // The handheld gives a window that becomes active again the focus it
    // had; when that control is gone (or hidden), the window itself gets it.
    if (!info)
        return FALSE;
    info->fActive = LOWORD(wParam) != WA_INACTIVE;
    if (!info->fActive) {
        HWND focus = GetFocus();
        info->hwndLastFocus = focus && IsChild(window, focus) ? focus : nullptr;
        return TRUE;
    }
    if (HIWORD(wParam))
        return TRUE;   // minimised
    HWND last = info->hwndLastFocus;
    if (last && IsWindow(last) && IsChild(window, last) && IsWindowVisible(last) &&
        IsWindowEnabled(last))
        SetFocus(last);
    else
        SetFocus(window);
    return TRUE;
}

bool DeviceDoneButtonRect(HWND window, RECT* screenRect)
{
    if (!IsWindow(window) || !GetPropW(window, kDoneProperty))
        return false;
    *screenRect = DoneRect(window);
    return true;
}

BOOL SHHandleWMSettingChange(HWND window, WPARAM, LPARAM, SHACTIVATEINFO* info)
{
    // A change of the soft keyboard would resize the window on the device;
    // the emulated screen has no soft keyboard.
    return info != nullptr && IsWindow(window);
}
