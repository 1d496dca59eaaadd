#include "dialogs/dialog_template.h"

#include "app/app_state.h"
#include "platform/aygshell.h"
#include "platform/modal_stack.h"
#include "storage/lang_loader.h"

namespace {

void InitHandheldDialog(HWND dialog)
{
    SHINITDLGINFO info = { SHIDIM_FLAGS, dialog,
                           SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN |
                               SHIDIF_EMPTYMENU };
    SHInitDialog(&info);
}

// Templates are laid out in dialog units, which on the small screen come to
// a pixel or two more than the dialog has: a control reaching past its
// right edge is narrowed to end there.
void KeepControlsInside(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, (POINT*)&r, 2);
        if (r.right > client.right && r.left < client.right)
            SetWindowPos(child, nullptr, 0, 0, client.right - r.left, r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

INT_PTR CALLBACK HandheldDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const DialogRun* run = (const DialogRun*)lParam;
        SetWindowLongPtrW(dialog, DWLP_USER, (LONG_PTR)run);
        InitHandheldDialog(dialog);
        BOOL focusFirst = run->init(*run, dialog);
        KeepControlsInside(dialog);
        return focusFirst;
    }
    const DialogRun* run = (const DialogRun*)GetWindowLongPtrW(dialog, DWLP_USER);
    if (!run)
        return FALSE;
    DialogEnd end = DIALOG_GOES_ON;
    switch (message) {
    case WM_COMMAND:
        end = run->command(*run, dialog, LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_NOTIFY:
        return run->notify(*run, dialog, (const NMHDR*)lParam);
    case WM_SIZE:
        return run->size(*run, dialog);
    case WM_CLOSE:
        end = DIALOG_CLOSED;
        break;
    default:
        return FALSE;
    }
    if (end != DIALOG_GOES_ON)
        EndDialog(dialog, end);
    return TRUE;
}

}

DialogEnd RunHandheldDialog(int id, const DialogRun& run)
{
    HINSTANCE module = g_app.instance ? g_app.instance : GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), (LPCWSTR)RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const DLGTEMPLATE* dialogTemplate = loaded ? (const DLGTEMPLATE*)LockResource(loaded) : nullptr;
    if (!dialogTemplate)
        return DIALOG_NOT_SHOWN;
    // Owned by whatever owns the device: a dialog opened from a dialog
    // gives the device back to that one when it ends.
    INT_PTR result = ModalDialogBox(module, dialogTemplate, g_app.mainWindow, HandheldDialogProc,
                                    (LPARAM)&run);
    switch (result) {
    case DIALOG_OK:
    case DIALOG_CANCEL:
    case DIALOG_CLOSED:
        return (DialogEnd)result;
    default:
        return DIALOG_NOT_SHOWN;
    }
}

void SetDialogTexts(HWND dialog, const DialogText* texts, int count)
{
    for (int i = 0; i < count; ++i)
        g_lang.SetDialogItemText(dialog, texts[i].id, texts[i].key);
}
