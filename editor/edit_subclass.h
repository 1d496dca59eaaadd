#ifndef QUILLEX_EDITOR_EDIT_SUBCLASS_H
#define QUILLEX_EDITOR_EDIT_SUBCLASS_H

#include "platform/pocketpc.h"

// The window procedure every document's edit window gets on top of the
// platform edit control: typing marks the document modified, commands go on
// to the main window, and tap-and-hold (or a context-menu request) opens the
// edit popup menu.
LRESULT CALLBACK EditSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
