#ifndef QUILLEX_SHELL_ABOUT_BOX_H
#define QUILLEX_SHELL_ABOUT_BOX_H

#include "platform/pocketpc.h"

// Shows the About box modally over the main window.
void ShowAboutBox();

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
