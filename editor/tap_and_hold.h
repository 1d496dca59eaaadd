#ifndef QUILLEX_EDITOR_TAP_AND_HOLD_H
#define QUILLEX_EDITOR_TAP_AND_HOLD_H

#include "platform/pocketpc.h"

// Asks the shell whether the stylus that went down at `lParam` (client
// coordinates of `window`, as WM_LBUTTONDOWN gives them) is held there: the
// tap-and-hold that opens a menu or closes a tab.
bool IsTapAndHold(HWND window, LPARAM lParam);

#endif
