#include "dialogs/dialog_template.h"

#include "app/app_state.h"
#include "platform/aygshell.h"
#include "platform/modal_stack.h"
#include "storage/lang_loader.h"

namespace {

// What one showing of a dialog runs with, kept in the dialog's DWLP_USER.
struct DialogRun {
    const DialogHandlers* handlers;
    void* state;
};

void InitHandheldDialog(HWND dialog)
{
    SHINITDLGINFO info = { SHIDIM_FLAGS, dialog,
                           SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN |
                               SHIDIF_EMPTYMENU };
    SHInitDialog(&info);
}

INT_PTR CALLBACK HandheldDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const DialogRun* run = (const DialogRun*)lParam;
        SetWindowLongPtrW(dialog, DWLP_USER, (LONG_PTR)run);
        InitHandheldDialog(dialog);
        return run->handlers->init ? run->handlers->init(dialog, run->state) : TRUE;
    }
    const DialogRun* run = (const DialogRun*)GetWindowLongPtrW(dialog, DWLP_USER);
    if (!run)
        return FALSE;
    const DialogHandlers& on = *run->handlers;
    switch (message) {
    case WM_COMMAND:
        if (on.command && on.command(dialog, run->state, LOWORD(wParam), HIWORD(wParam)))
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (!on.notify)
            return FALSE;
        on.notify(dialog, run->state, (const NMHDR*)lParam);
        return TRUE;
    case WM_SIZE:
        if (!on.size)
            return FALSE;
        on.size(dialog, run->state);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 16);
        return TRUE;
    default:
        return FALSE;
    }
}

}

INT_PTR RunDialogTemplate(int id, const DialogHandlers& handlers, void* state)
{
    HINSTANCE module = g_app.instance ? g_app.instance : GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), (LPCWSTR)RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const DLGTEMPLATE* dialogTemplate = loaded ? (const DLGTEMPLATE*)LockResource(loaded) : nullptr;
    if (!dialogTemplate)
        return -1;
    DialogRun run = { &handlers, state };
    // Owned by whatever owns the device: a dialog opened from a dialog
    // gives the device back to that one when it ends.
    return ModalDialogBox(module, dialogTemplate, g_app.mainWindow, HandheldDialogProc,
                                   (LPARAM)&run);
}

void SetDialogTexts(HWND dialog, const DialogText* texts, int count)
{
    for (int i = 0; i < count; ++i)
        g_lang.SetDialogItemText(dialog, texts[i].id, texts[i].key);
}
