#ifndef QUILLEX_SHELL_COMMANDS_H
#define QUILLEX_SHELL_COMMANDS_H

#include "platform/pocketpc.h"

// Runs the command `id` (menus, accelerators, toolbar, tab panel, quick
// insert). False for an identifier the program does not know.
bool DispatchCommand(HWND window, int id, LPARAM lParam);

#endif
