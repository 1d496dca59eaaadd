#ifndef QUILLEX_WIDGETS_REPAINT_H
#define QUILLEX_WIDGETS_REPAINT_H

#include "platform/pocketpc.h"

// Repaints the window before returning, for changes the user must see at once.
inline void RepaintNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

#endif
