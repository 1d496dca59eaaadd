#ifndef QUILLEX_EDITOR_FIND_BAR_H
#define QUILLEX_EDITOR_FIND_BAR_H

#include "platform/pocketpc.h"

// The find/replace bar: a modeless child dialog at the bottom of the main
// window, shown with one row (find) or two (find and replace) by the layout.
HWND CreateFindBar(HWND mainWindow);

INT_PTR CALLBACK FindBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam);

#endif
