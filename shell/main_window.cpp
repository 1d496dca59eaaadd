#include "shell/main_window.h"

#include <wchar.h>

#include "editor/document.h"
#include "editor/document_snapshots.h"
#include "editor/layout.h"
#include "app/app_state.h"
#include "shell/deferred_requests.h"
#include "shell/document_commands.h"
#include "shell/hardware_keys.h"
#include "shell/main_children.h"
#include "shell/recovery.h"
#include "shell/startup.h"
#include "storage/encodings.h"

namespace {

// A file handed over by a second start of the program. The data come from
// another process: only a terminated path of at most 259 units is taken.
void OnCopyData(const COPYDATASTRUCT* data)
{
    if (!data || !data->lpData || data->cbData < sizeof(wchar_t) ||
        data->cbData > MAX_PATH * sizeof(wchar_t))
        return;
    const wchar_t* path = (const wchar_t*)data->lpData;
    int units = (int)(data->cbData / sizeof(wchar_t));
    if (wmemchr(path, 0, units) == nullptr || path[0] == 0)
        return;
    // During a question or a dialog the file waits for it to end: `current`
    // must not move under the command that asked.
    if (!IsWindowEnabled(g_app.mainWindow)) {
        DeferHandOver(path);
        return;
    }
    OpenHandedOverFile(path);
}

// Every change of a document's text (typing, pasting, undo, deleting, from
// keys, menus or the mouse) reaches the main window as EN_CHANGE; only the
// program's own putting of text is no edit.
void OnEditChange(HWND edit)
{
    for (int i = 0; i < g_app.documents.count; ++i) {
        CDocument* document = g_app.documents[i];
        if (document->edit == edit && !document->settingText) {
            document->SetModified(true);
            NoteDocumentChange(document);
        }
    }
}

void OnDestroy()
{
    for (int i = 0; i < g_app.documents.count; ++i) {
        if (CDocument* document = g_app.documents[i]) {
            document->Destroy();
            delete document;
        }
    }
    g_app.documents.Clear();
    ReleaseTabPanel();
    if (g_app.menuBar)
        DestroyWindow(g_app.menuBar);
    g_app.menuBar = nullptr;
    ForgetDeferredRequests();
    EndRecovery();
    PostQuitMessage(0);
}

LRESULT OnEditColours(HDC dc)
{
    SetTextColor(dc, g_app.colours[THEME_EDIT_TEXT]);
    SetBkColor(dc, g_app.colours[THEME_EDIT_BACKGROUND]);
    return (LRESULT)g_app.editBrush;
}

}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        LayoutDocumentArea();
        return 0;
    case WM_ACTIVATE:
        SHHandleWMActivate(window, wParam, lParam, &g_app.activateInfo, 0);
        // The high word says "minimised": only the low one tells activation.
        if (LOWORD(wParam) != WA_INACTIVE)
            RegisterHardwareKeys();
        else
            UnregisterHardwareKeys();
        return 0;
    case WM_SETFOCUS:
        // Keys typed after a message, a dialog or a menu go to the text.
        FocusCurrentDocument();
        return 0;
    case WM_ENABLE:
        if (wParam)
            ScheduleDeferredRequests(window);
        return 0;
    case WM_RUN_DEFERRED:
        RunDeferredRequests();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CLOSE:
        // While a message or a dialog is up the window is disabled, and the
        // code that showed it still needs the documents: a close sent from
        // outside then waits for it to end.
        if (!IsWindowEnabled(window)) {
            DeferClose();
            return 0;
        }
        if (ConfirmSaveChanges(true))
            break;
        return 0;
    case WM_SETTINGCHANGE:
        SHHandleWMSettingChange(window, wParam, lParam, &g_app.activateInfo);
        return 0;
    case WM_COPYDATA:
        OnCopyData((const COPYDATASTRUCT*)lParam);
        return 0;
    case WM_COMMAND:
        if (lParam && HIWORD(wParam) == EN_CHANGE) {
            OnEditChange((HWND)lParam);
            return 0;
        }
        // A dialog or a message owns the device: a command that still
        // arrives (a hardware key, a stray post) would run under it.
        if (!IsWindowEnabled(window))
            return 0;
        if (DispatchCommand(window, LOWORD(wParam), lParam))
            return 0;
        break;
    case WM_HOTKEY:
        OnHardwareKey(wParam);
        return 0;
    case WM_CTLCOLOREDIT:
        return OnEditColours((HDC)wParam);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
