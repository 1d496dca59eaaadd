#ifndef QUILLEX_DIALOGS_DIALOG_TEMPLATE_H
#define QUILLEX_DIALOGS_DIALOG_TEMPLATE_H

#include "platform/pocketpc.h"

// Every dialog of the program runs through one procedure: it starts the
// dialog the handheld's way (full screen, "OK" in the caption, soft keyboard
// down, empty menu bar), hands the messages a dialog cares about to its
// handlers, and ends it: with the command's id when the command handler says
// the command ends it, with 16 when closed by WM_CLOSE.
//
// Every handler may be null; each gets the dialog's own state, the pointer
// given to RunDialogTemplate.
struct DialogHandlers {
    // WM_INITDIALOG, after the handheld's start: TRUE lets the dialog give
    // the focus to its first control, FALSE when the handler has set it.
    BOOL (*init)(HWND dialog, void* state);
    // WM_COMMAND: true when the command ends the dialog (with `id`).
    bool (*command)(HWND dialog, void* state, int id, int code);
    void (*notify)(HWND dialog, void* state, const NMHDR* header);
    void (*size)(HWND dialog, void* state);
};

// Runs dialog template `id` of the program's own module modally, owned by
// the main window; the dialog's result, -1 when it could not be shown.
INT_PTR RunDialogTemplate(int id, const DialogHandlers& handlers, void* state = nullptr);

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
