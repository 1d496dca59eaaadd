#ifndef QUILLEX_DIALOGS_DIALOG_TEMPLATE_H
#define QUILLEX_DIALOGS_DIALOG_TEMPLATE_H

#include "platform/pocketpc.h"

// Runs dialog template `id` of the program's own module modally, owned by
// the main window; the dialog's result, -1 when it could not be shown.
INT_PTR RunDialogTemplate(int id, DLGPROC procedure);

// The handheld's start of every dialog: full screen, "OK" in the caption,
// soft keyboard down, empty menu bar.
void InitHandheldDialog(HWND dialog);

#endif
