#include "editor/find_bar.h"

#include <climits>
#include <new>

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/find_bar_actions.h"
#include "editor/find_bar_buttons.h"
#include "editor/layout.h"
#include "platform/aygshell.h"
#include "platform/window_subclass.h"
#include "resources/resource.h"
#include "widgets/enter_key.h"

namespace {

// Enter in the find box finds the next match, in the replace box it
// replaces. A search started from a box leaves the focus in the box (the
// text still shows the match), so that the next Enter steps on instead of
// typing a line break over the selected match; a question about starting
// again may have taken it away. Commands that reach a box (accelerators pressed while it
// has the focus) belong to the main window, but for select all.
LRESULT OnBoxMessage(void*, const WindowMessage& m)
{
    switch (m.message) {
    case WM_KEYDOWN:
        if (m.wParam != VK_RETURN)
            break;
        if (GetDlgCtrlID(m.window) == IDC_FIND_TEXT)
            FindNext(true, false);
        else
            Replace(false, false);
        if (IsWindow(m.window) && IsWindowVisible(m.window) && GetFocus() != m.window)
            SetFocus(m.window);
        return 0;
    case WM_CHAR:
        // The Enter character itself would only beep.
        if (m.wParam == L'\r')
            return 0;
        break;
    case WM_COMMAND:
        // Select all means the box's own text while one is being typed.
        if (LOWORD(m.wParam) == CMD_SELECT_ALL)
            return PassOn(m, EM_SETSEL, 0, -1);
        SendMessageW(g_app.mainWindow, WM_COMMAND, m.wParam, m.lParam);
        break;
    default:
        break;
    }
    return PassOn(m);
}

void SubclassBox(HWND bar, int control)
{
    HWND box = GetDlgItem(bar, control);
    // A dialog manager would turn Enter into the bar's default button.
    LetControlTakeEnter(box);
    WindowSubclass<void, OnBoxMessage>::Attach(box, nullptr);
}

// Where the template puts the bar's controls, at the device's DPI, and how
// wide it is laid out for: on a QVGA screen the template is a few pixels
// wider than the screen, which would cut off the rightmost buttons.
struct ControlPlace {
    HWND control;
    RECT rect;
};
const int kMostControls = 8;
struct FindBarState {
    ControlPlace places[kMostControls];
    int placeCount;
    int templateWidth;
};

// The state goes with the bar.
LRESULT OnBarMessage(FindBarState* state, const WindowMessage& m)
{
    LRESULT result = PassOn(m);
    if (m.message == WM_NCDESTROY)
        delete state;
    return result;
}
typedef WindowSubclass<FindBarState, OnBarMessage> BarState;

void RememberPlaces(HWND bar)
{
    FindBarState* state = new (std::nothrow) FindBarState();
    if (!state || !BarState::Attach(bar, state)) {
        // The controls then stay where the template puts them.
        delete state;
        return;
    }
    int left = INT_MAX, right = 0;
    for (HWND child = GetWindow(bar, GW_CHILD); child && state->placeCount < kMostControls;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ControlPlace& place = state->places[state->placeCount++];
        place.control = child;
        GetWindowRect(child, &place.rect);
        MapWindowPoints(nullptr, bar, (POINT*)&place.rect, 2);
        left = place.rect.left < left ? place.rect.left : left;
        right = place.rect.right > right ? place.rect.right : right;
    }
    // The template leaves as much room on the right as on the left.
    state->templateWidth = state->placeCount > 0 ? right + left : 0;
}

// A bar narrower than its template has its controls' places and widths
// narrowed in proportion; a wider one has them as the template says.
void FitControls(HWND bar)
{
    const FindBarState* state = BarState::Of(bar);
    RECT client;
    GetClientRect(bar, &client);
    int width = client.right;
    if (!state || width <= 0 || state->templateWidth <= 0)
        return;
    for (int i = 0; i < state->placeCount; ++i) {
        RECT r = state->places[i].rect;
        if (width < state->templateWidth) {
            r.left = MulDiv(r.left, width, state->templateWidth);
            r.right = MulDiv(r.right, width, state->templateWidth);
        }
        SetWindowPos(state->places[i].control, nullptr, r.left, r.top, r.right - r.left,
                     r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void OnBarCommand(int control)
{
    switch (control) {
    case IDC_FIND_PREVIOUS: FindNext(false); break;
    case IDC_FIND_NEXT: FindNext(true); break;
    case IDC_REPLACE: Replace(false); break;
    case IDC_REPLACE_ALL: Replace(true); break;
    default: break;   // the toggles keep their own state
    }
}

}

void ShowFindBarState()
{
    if (g_app.mainMenu) {
        CheckMenuItem(g_app.mainMenu, CMD_REPLACE,
                      MF_BYCOMMAND | (g_app.replaceShown ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(g_app.mainMenu, CMD_SEARCH,
                      MF_BYCOMMAND | (g_app.findShown ? MF_CHECKED : MF_UNCHECKED));
    }
    if (g_app.menuBar) {
        SendMessageW(g_app.menuBar, TB_CHECKBUTTON, CMD_SEARCH, MAKELONG(g_app.findShown, 0));
        SendMessageW(g_app.menuBar, TB_CHECKBUTTON, CMD_REPLACE, MAKELONG(g_app.replaceShown, 0));
    }
}

HWND CreateFindBar(HWND mainWindow)
{
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE);
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDD_FIND_BAR), (LPCWSTR)RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    if (!loaded)
        return nullptr;
    return CreateDialogIndirectParamW(instance, (LPCDLGTEMPLATEW)LockResource(loaded), mainWindow,
                                      FindBarProc, 0);
}

bool EnsureFindBar()
{
    if (!g_app.findBar && g_app.mainWindow) {
        g_app.findBar = CreateFindBar(g_app.mainWindow);
        AttachFindBarButtons();
    }
    return g_app.findBar != nullptr;
}

INT_PTR CALLBACK FindBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        // The soft keyboard is lowered: the bar sits where it would be.
        SHINITDLGINFO info = { SHIDIM_FLAGS, bar, SHIDIF_SIPDOWN };
        SHInitDialog(&info);
        SubclassBox(bar, IDC_FIND_TEXT);
        SubclassBox(bar, IDC_REPLACE_TEXT);
        RememberPlaces(bar);
        return TRUE;
    }
    case WM_SIZE:
        FitControls(bar);
        return TRUE;
    case WM_CTLCOLORDLG:
        return (INT_PTR)g_app.windowBrush;
    case WM_COMMAND:
        OnBarCommand(LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

void ToggleFindBar(bool replaceForm)
{
    if (replaceForm) {
        g_app.findShown = 0;
        g_app.replaceShown = g_app.replaceShown ? 0 : 1;
    } else {
        g_app.replaceShown = 0;
        g_app.findShown = g_app.findShown ? 0 : 1;
    }
    if (g_app.findShown || g_app.replaceShown)
        EnsureFindBar();
    bool typingInBar = g_app.findBar && IsChild(g_app.findBar, GetFocus());
    LayoutDocumentArea();
    ShowFindBarState();
    if (!g_app.findBar)
        return;
    // A shown bar is there to be typed into; a hidden one gives the keys back
    // to the text.
    if (g_app.findShown || g_app.replaceShown) {
        HWND box = GetDlgItem(g_app.findBar, IDC_FIND_TEXT);
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 0, -1);
    } else if (typingInBar && CurrentDocument()) {
        SetFocus(CurrentDocument()->edit);
    }
}
