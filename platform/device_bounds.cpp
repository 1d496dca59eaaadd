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
