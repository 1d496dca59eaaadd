#include <windows.h>
#include <commctrl.h>

#include "platform/device_bounds.h"
#include "platform/device_screen.h"
#include "platform/window_subclass.h"

namespace {

thread_local HHOOK t_hook = nullptr;

bool IsDialogClass(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
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
const wchar_t kHandheldDialog[] = L"QuillexHandheldDialog";

bool IsButton(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    return lstrcmpiW(name, L"Button") == 0;
}

bool IsMessageBox(HWND window)
{
    return IsDialogClass(window) && !GetPropW(window, kHandheldDialog) &&
           GetDlgItem(window, kMessageTextId) != nullptr;
}

// How far a message box's text reaches past `width`, the box's new width,
// plus as much room on its right as it has above it; 0 when it fits. A virtual desktop of
// the device's size keeps the box itself within the screen but leaves the
// text as wide as before, cut off at the box's edge.
int TextOverflow(HWND box, HWND text, int width)
{
    RECT frame, client, t;
    GetWindowRect(box, &frame);
    GetClientRect(box, &client);
    GetWindowRect(text, &t);
    MapWindowPoints(nullptr, box, (POINT*)&t, 2);
    int frameWidth = (frame.right - frame.left) - client.right;
    int reach = t.right + frameWidth - width;
    return reach > 0 ? reach + t.top : 0;
}

int TextWidth(HWND button)
{
    wchar_t text[64] = L"";
    GetWindowTextW(button, text, 64);
    HDC dc = GetDC(button);
    HGDIOBJ previous = SelectObject(dc, (HGDIOBJ)SendMessageW(button, WM_GETFONT, 0, 0));
    RECT r = { 0, 0, 0, 0 };
    DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(button, dc);
    return r.right;
}

// The buttons stand in one row, centred under the text and `dy` lower than
// before, within `clientWidth`: at the device's DPI three of them can be
// wider together than the screen, so their gaps and then the buttons
// themselves narrow, each keeping room for its text.
void FitButtons(HWND box, int clientWidth, int dy)
{
    HWND buttons[8];
    RECT rects[8];
    int count = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child && count < 8;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsButton(child) || !(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, box, (POINT*)&r, 2);
        int at = count++;
        while (at > 0 && rects[at - 1].left > r.left) {
            buttons[at] = buttons[at - 1];
            rects[at] = rects[at - 1];
            --at;
        }
        buttons[at] = child;
        rects[at] = r;
    }
    if (count == 0)
        return;
    int gap = count > 1 ? rects[1].left - rects[0].right : 0;
    int margin = rects[0].left > 0 && rects[0].left < gap ? rects[0].left : gap;
    if (margin <= 0)
        margin = 4;
    int widths[8], total = 0;
    for (int i = 0; i < count; ++i) {
        widths[i] = rects[i].right - rects[i].left;
        total += widths[i];
    }
    int room = clientWidth - 2 * margin;
    if (total + gap * (count - 1) > room)
        gap = margin / 2 > 2 ? margin / 2 : 2;
    if (total + gap * (count - 1) > room) {
        int each = (room - gap * (count - 1)) / count;
        total = 0;
        for (int i = 0; i < count; ++i) {
            int least = TextWidth(buttons[i]) + 2 * GetSystemMetrics(SM_CXEDGE) + 8;
            widths[i] = each > least ? each : least;
            total += widths[i];
        }
    }
    int x = (clientWidth - total - gap * (count - 1)) / 2;
    for (int i = 0; i < count; ++i) {
        SetWindowPos(buttons[i], nullptr, x, rects[i].top + dy, widths[i],
                     rects[i].bottom - rects[i].top, SWP_NOZORDER | SWP_NOACTIVATE);
        x += widths[i] + gap;
    }
}

// The handheld wraps a message box's text to its screen; the desktop sizes
// the box for its own, larger screen and lays out the text and the buttons
// after it has sized the box. So once the box has laid itself out, a box
// wider than the device, or a text reaching past the box, is fitted: the
// text wraps again, the buttons move under it and stay centred, and the box
// is centred on the device.
void FitMessageBox(HWND box)
{
    int screenWidth = DeviceGetSystemMetrics(SM_CXVIRTUALSCREEN);
    int screenHeight = DeviceGetSystemMetrics(SM_CYVIRTUALSCREEN);
    RECT boxRect;
    GetWindowRect(box, &boxRect);
    int width = boxRect.right - boxRect.left;
    int height = boxRect.bottom - boxRect.top;
    int target = width < screenWidth ? width : screenWidth;
    int shrink = width - target;
    HWND text = GetDlgItem(box, kMessageTextId);
    int narrower = TextOverflow(box, text, target);
    int dy = 0, narrowed = 0;
    if (narrower < shrink)
        narrower = shrink;
    RECT textRect;
    GetWindowRect(text, &textRect);
    int textWidth = textRect.right - textRect.left - narrower;
    if (narrower > 0 && textWidth > 0) {
        wchar_t content[1024] = L"";
        GetWindowTextW(text, content, ARRAYSIZE(content));
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
        width = target;
        height += taller;
        dy = taller;
        narrowed = shrink;
    }
    RECT client;
    GetClientRect(box, &client);
    FitButtons(box, client.right - narrowed, dy);
    int x = (screenWidth - width) / 2;
    int y = (screenHeight - height) / 2;
    SetWindowPos(box, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT BoundsProc(void*, const WindowMessage& m)
{
    HWND window = m.window;
    UINT message = m.message;
    if (message == WM_WINDOWPOSCHANGING) {
        WINDOWPOS* pos = (WINDOWPOS*)m.lParam;
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
    } else if (message == WM_INITDIALOG) {
        // Our own dialogs mark themselves while they initialise.
        LRESULT result = PassOn(m);
        if (IsMessageBox(window))
            FitMessageBox(window);
        return result;
    } else if (message == WM_NCDESTROY) {
        RemovePropW(window, kHandheldDialog);
    }
    return PassOn(m);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = ((const CBT_CREATEWNDW*)lParam)->lpcs;
        if (!(create->style & WS_CHILD) && create->hwndParent != HWND_MESSAGE)
            WindowSubclass<void, BoundsProc>::Attach((HWND)wParam, nullptr);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}

void KeepWindowsOnDeviceScreen()
{
    if (!t_hook)
        t_hook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
}

void MarkHandheldDialog(HWND dialog)
{
    SetPropW(dialog, kHandheldDialog, (HANDLE)1);
}
