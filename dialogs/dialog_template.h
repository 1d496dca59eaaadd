#ifndef QUILLEX_DIALOGS_DIALOG_TEMPLATE_H
#define QUILLEX_DIALOGS_DIALOG_TEMPLATE_H

#include "platform/pocketpc.h"

// Runs dialog template `id` of the program's own module modally, owned by
// the window that owns the device (the main window, or the dialog it was
// opened from); the dialog's result, -1 when it could not be shown.
INT_PTR RunDialogTemplate(int id, DLGPROC procedure);

// The handheld's start of every dialog: full screen, "OK" in the caption,
// soft keyboard down, empty menu bar.
void InitHandheldDialog(HWND dialog);

// The procedure of a dialog that needs only these two handlers: the
// handheld's dialogs end with 16 when closed by WM_CLOSE.
typedef BOOL (*DialogInitHandler)(HWND dialog);
typedef void (*DialogCommandHandler)(HWND dialog, int id, int code);

template <DialogInitHandler OnInit, DialogCommandHandler OnCommand>
INT_PTR CALLBACK HandheldDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInit(dialog);
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 16);
        return TRUE;
    default:
        return FALSE;
    }
}

// A control whose template text a language file may replace.
struct DialogText {
    int id;
    const wchar_t* key;
};

// Gives each control the text of its key where the loaded language file
// has one; the others keep the template's text.
void SetDialogTexts(HWND dialog, const DialogText* texts, int count);

template <int N>
void SetDialogTexts(HWND dialog, const DialogText (&texts)[N])
{
    SetDialogTexts(dialog, texts, N);
}

#endif
