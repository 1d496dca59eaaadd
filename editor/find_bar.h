#ifndef QUILLEX_EDITOR_FIND_BAR_H
#define QUILLEX_EDITOR_FIND_BAR_H

#include "platform/pocketpc.h"

// The find/replace bar: a modeless child dialog at the bottom of the main
// window, shown with one row (find) or two (find and replace) by the layout.
HWND CreateFindBar(HWND mainWindow);

// g_app.findBar with its picture buttons, made the first time the bar is
// shown: a start has no use for it, and it costs the start a dialog. False
// when it could not be made.
bool EnsureFindBar();

INT_PTR CALLBACK FindBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam);

// The Find (one row) and Replace (two rows) commands: each shows its form of
// the bar, or hides the bar when that form is already shown, and the menu's
// check marks and the toolbar's pressed buttons follow.
void ToggleFindBar(bool replaceForm);

// The menu's check marks and the toolbar's pressed buttons of Find and
// Replace show the bar's form again (after the menus or the toolbar were
// rebuilt).
void ShowFindBarState();

#endif
