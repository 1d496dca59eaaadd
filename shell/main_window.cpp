#include "shell/main_window.h"

#include <wchar.h>

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/document_snapshots.h"
#include "editor/edit_subclass.h"
#include "editor/layout.h"
#include "editor/tab_host.h"
#include "platform/modal_stack.h"
#include "resources/resource.h"
#include "shell/commands.h"
#include "shell/deferred_requests.h"
#include "shell/document_commands.h"
#include "shell/document_view.h"
#include "shell/hardware_keys.h"
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
    // During a question, a dialog, a menu or a hold the file waits for it to
    // end: `current` must not move under the code that waits. So it does
    // while the program is still starting (a second start at the same moment
    // finds the window before its first document is made).
    if (ModalBusy() || g_app.documents.count == 0) {
        DeferHandOver(path);
        return;
    }
    OpenHandedOverFile(path);
}

// Every change of a document's text (typing, pasting, undo, deleting, from
// keys, menus or the mouse) reaches the main window as EN_CHANGE; the edit
// window's own document takes it, and only the program's own putting of
// text is no edit.
void OnEditChange(HWND edit)
{
    CDocument* document = TellEditChange<CDocument>(edit);
    if (document)
        NoteDocumentChange(document);
}

void OnDestroy()
{
    // Each document leaves the list before it is destroyed: the end of its
    // edit window moves the focus, which must not reach a document half gone.
    while (g_app.documents.count > 0) {
        CDocument* document = g_app.documents[g_app.documents.count - 1];
        g_app.documents.count--;
        delete document;
    }
    g_app.documents.Clear();
    ReleaseTabPanel();
    if (g_app.menuBar)
        DestroyWindow(g_app.menuBar);
    g_app.menuBar = nullptr;
    ForgetDeferredRequests();
    EndRecovery();
    SetModalBase(nullptr);
    PostQuitMessage(0);
}

// Activated while a dialog or question owns the device (another program
// brought the main window itself forward): the window on top takes the
// activation, or nothing the user does would reach it.
bool PassActivationUp(HWND window)
{
    if (!ModalBusy())
        return false;
    HWND top = ModalOwner(window);
    if (top == window || !IsWindowVisible(top) || !IsWindowEnabled(top))
        return false;
    SetForegroundWindow(top);
    return true;
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
        if (LOWORD(wParam) != WA_INACTIVE && PassActivationUp(window))
            return 0;
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
    case WM_MODAL_ENDED:
        RunDeferredRequests();
        ShowKeptSnapshotTrouble();
        return 0;
    case WM_SNAPSHOT_TROUBLE:
        OnSnapshotTrouble((DWORD)wParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CLOSE:
        // While a message, a dialog, a menu or a hold is up, the code that
        // showed it still needs the documents: a close sent from outside
        // then waits for it to end.
        if (ModalBusy()) {
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
        // A document's modified mark changed: its tab's colour follows at once.
        if (lParam && HIWORD(wParam) == DOCN_MODIFIED) {
            RepaintTabPanel();
            return 0;
        }
        // A dialog, a message or a menu owns the device: a command that
        // still arrives (a hardware key, a stray post) would run under it.
        if (ModalBusy())
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

ATOM RegisterMainClass(HINSTANCE instance, const wchar_t* className)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_QUILLEX));
    // The title bar's small icon, loaded here: left to the class, it is a
    // copy of the large one made at the small size from the same icon file,
    // the same image at 1.5 ms more under Wine.
    windowClass.hIconSm = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUILLEX), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON),
                                            GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    windowClass.hbrBackground = g_app.windowBrush;
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass);
}
