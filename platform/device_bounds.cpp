#include <windows.h>
#include <commctrl.h>

#include "platform/device_bounds.h"
#include "platform/device_screen.h"

namespace {

const UINT_PTR kBoundsSubclass = 0x5142D;
thread_local HHOOK t_hook = nullptr;

bool IsDialogClass(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

// The position within [0, screen) closest to `at`; a window larger than the
// screen starts at its edge.
int Keep(int at, int size, int screen)
{
    if (size >= screen || at < 0)
        return 0;
    return at + size > screen ? screen - size : at;
}

// The id a message box gives its text.
const int kMessageTextId = 0xFFFF;

void MoveChild(HWND dialog, HWND child, int dx, int dy)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, (POINT*)&r, 2);
    SetWindowPos(child, nullptr, r.left + dx, r.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The handheld wraps a message box's text to its screen; the desktop sizes
// the box for its own screen. A box wider than the device is narrowed: its
// text wraps again, and the buttons move under it and stay centred.
void NarrowMessageBox(HWND box, int* width, int* height, int screenWidth)
{
    HWND text = GetDlgItem(box, kMessageTextId);
    int narrower = *width - screenWidth;
    if (!text || narrower <= 0)
        return;
    RECT textRect;
    GetWindowRect(text, &textRect);
    int textWidth = textRect.right - textRect.left - narrower;
    if (textWidth <= 0)
        return;
    wchar_t content[1024] = L"";
    GetWindowTextW(text, content, 1024);
    HDC dc = GetDC(text);
    HGDIOBJ previous = SelectObject(dc, (HGDIOBJ)SendMessageW(text, WM_GETFONT, 0, 0));
    RECT wrapped = { 0, 0, textWidth, 0 };
    DrawTextW(dc, content, -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(text, dc);
    int taller = wrapped.bottom - (textRect.bottom - textRect.top);
    if (taller < 0)
        taller = 0;
    SetWindowPos(text, nullptr, 0, 0, textWidth, wrapped.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = L"";
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Button") == 0)
            MoveChild(box, child, -narrower / 2, taller);
    }
    *width = screenWidth;
    *height += taller;
}

LRESULT CALLBACK BoundsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR)
{
    if (message == WM_WINDOWPOSCHANGING) {
        WINDOWPOS* pos = (WINDOWPOS*)lParam;
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            RECT now;
            GetWindowRect(window, &now);
            int x = pos->flags & SWP_NOMOVE ? now.left : pos->x;
            int y = pos->flags & SWP_NOMOVE ? now.top : pos->y;
            int width = pos->flags & SWP_NOSIZE ? now.right - now.left : pos->cx;
            int height = pos->flags & SWP_NOSIZE ? now.bottom - now.top : pos->cy;
            int screenWidth = DeviceGetSystemMetrics(SM_CXVIRTUALSCREEN);
            int screenHeight = DeviceGetSystemMetrics(SM_CYVIRTUALSCREEN);
            if (width > screenWidth && IsDialogClass(window) && !(pos->flags & SWP_NOSIZE)) {
                NarrowMessageBox(window, &width, &height, screenWidth);
                pos->cx = width;
                pos->cy = height;
            }
            bool outside = x < 0 || y < 0 || x + width > screenWidth || y + height > screenHeight;
            if (outside && IsDialogClass(window)) {
                x = (screenWidth - width) / 2;
                y = (screenHeight - height) / 2;
            }
            int keptX = Keep(x, width, screenWidth);
            int keptY = Keep(y, height, screenHeight);
            if (outside || keptX != x || keptY != y) {
                pos->x = keptX;
                pos->y = keptY;
                if (pos->flags & SWP_NOMOVE) {
                    pos->flags &= ~SWP_NOMOVE;
                    if (pos->flags & SWP_NOSIZE) {
                        pos->cx = width;
                        pos->cy = height;
                    }
                }
            }
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, BoundsProc, kBoundsSubclass);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = ((const CBT_CREATEWNDW*)lParam)->lpcs;
        if (!(create->style & WS_CHILD) && create->hwndParent != HWND_MESSAGE)
            SetWindowSubclass((HWND)wParam, BoundsProc, kBoundsSubclass, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}

void KeepWindowsOnDeviceScreen()
{
    if (!t_hook)
        t_hook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
}
