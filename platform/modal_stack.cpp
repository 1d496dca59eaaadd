#include <windows.h>

#include "platform/modal_stack.h"

namespace {

struct Level {
    HWND window;       // null until known, and for a menu or a hold
    bool takesWindow;  // a dialog or question whose window is still to come
};

// Deeper waits than this are still counted, only their windows are not kept.
const int kMostLevels = 32;

HWND g_base = nullptr;
Level g_levels[kMostLevels];
int g_depth = 0;
bool g_noticeWanted = false;
HHOOK g_hook = nullptr;

bool IsDialogWindow(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

// A dialog or question learns its window as the window is made, before
// anything can be opened over it.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_depth > 0 && g_depth <= kMostLevels) {
        Level& top = g_levels[g_depth - 1];
        const CREATESTRUCTW* create = ((const CBT_CREATEWNDW*)lParam)->lpcs;
        HWND window = (HWND)wParam;
        if (top.takesWindow && !top.window && !(create->style & WS_CHILD) &&
            IsDialogWindow(window)) {
            top.window = window;
            top.takesWindow = false;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}

void SetModalBase(HWND mainWindow)
{
    g_base = mainWindow;
    if (!mainWindow)
        g_noticeWanted = false;
}

bool ModalBusy()
{
    return g_depth > 0;
}

HWND ModalOwner(HWND fallback)
{
    int known = g_depth < kMostLevels ? g_depth : kMostLevels;
    for (int i = known - 1; i >= 0; --i) {
        HWND window = g_levels[i].window;
        if (window && IsWindow(window))
            return window;
    }
    if (g_base && IsWindow(g_base))
        return g_base;
    return fallback;
}

void NotifyWhenModalEnds()
{
    g_noticeWanted = true;
}

ModalLevel::ModalLevel(bool takesWindow)
{
    if (!g_hook)
        g_hook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    if (g_depth < kMostLevels)
        g_levels[g_depth] = Level{ nullptr, takesWindow };
    ++g_depth;
}

ModalLevel::~ModalLevel()
{
    --g_depth;
    if (g_depth > 0 || !g_noticeWanted)
        return;
    g_noticeWanted = false;
    // Told after the code that ended the wait has finished.
    if (g_base && IsWindow(g_base))
        PostMessageW(g_base, WM_MODAL_ENDED, 0, 0);
}

int ModalMessageBox(HWND fallbackOwner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    HWND owner = ModalOwner(fallbackOwner);
    ModalLevel level(true);
    return MessageBoxW(owner, text, caption, type);
}

INT_PTR ModalDialogBox(HINSTANCE module, const DLGTEMPLATE* dialogTemplate, HWND fallbackOwner,
                       DLGPROC procedure, LPARAM parameter)
{
    HWND owner = ModalOwner(fallbackOwner);
    ModalLevel level(true);
    return DialogBoxIndirectParamW(module, dialogTemplate, owner, procedure, parameter);
}

BOOL ModalTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND window)
{
    ModalLevel level(false);
    return TrackPopupMenuEx(menu, flags, x, y, window, nullptr);
}
