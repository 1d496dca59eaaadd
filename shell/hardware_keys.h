#ifndef QUILLEX_SHELL_HARDWARE_KEYS_H
#define QUILLEX_SHELL_HARDWARE_KEYS_H

#include "platform/pocketpc.h"

// While the main window is active it takes over every hardware button that
// has an action assigned, as a hot key; on deactivation it gives them back
// so that they keep their meaning in other programs. Both tell the shell
// that the buttons' owners changed.
void RegisterHardwareKeys();
void UnregisterHardwareKeys();

// WM_HOTKEY: posts the command of the pressed button's action to the main
// window, to be carried out after the current message. Nothing for a
// button without an action or with a number beyond the actions.
void OnHardwareKey(WPARAM id);

#endif
