#ifndef QUILLEX_SHELL_MAIN_WINDOW_H
#define QUILLEX_SHELL_MAIN_WINDOW_H

#include "platform/pocketpc.h"

// The main window's procedure: every user action arrives here.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the main window's class, with MainWndProc, under `className`.
ATOM RegisterMainClass(HINSTANCE instance, const wchar_t* className);

#endif
