#include "dialogs/dialog_template.h"

#include "app/app_state.h"
#include "platform/aygshell.h"
#include "platform/modal_stack.h"
#include "storage/lang_loader.h"

INT_PTR RunDialogTemplate(int id, DLGPROC procedure)
{
    HINSTANCE module = g_app.instance ? g_app.instance : GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), (LPCWSTR)RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const DLGTEMPLATE* dialogTemplate = loaded ? (const DLGTEMPLATE*)LockResource(loaded) : nullptr;
    if (!dialogTemplate)
        return -1;
    // Owned by whatever owns the device: a dialog opened from a dialog
    // gives the device back to that one when it ends.
    return ModalDialogBox(module, dialogTemplate, g_app.mainWindow, procedure, 0);
}

void InitHandheldDialog(HWND dialog)
{
    SHINITDLGINFO info = { SHIDIM_FLAGS, dialog,
                           SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN |
                               SHIDIF_EMPTYMENU };
    SHInitDialog(&info);
}

void SetDialogTexts(HWND dialog, const DialogText* texts, int count)
{
    for (int i = 0; i < count; ++i)
        g_lang.SetDialogItemText(dialog, texts[i].id, texts[i].key);
}
