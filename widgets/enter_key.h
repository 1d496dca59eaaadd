#ifndef QUILLEX_WIDGETS_ENTER_KEY_H
#define QUILLEX_WIDGETS_ENTER_KEY_H

#include "platform/pocketpc.h"

// Lets Enter reach `control` (a box of the find bar, the chooser's list)
// instead of being taken by the dialog it stands in for the default button.
// Goes with the control.
void LetControlTakeEnter(HWND control);

#endif
