#ifndef QUILLEX_WIDGETS_REPAINT_H
#define QUILLEX_WIDGETS_REPAINT_H

#include "platform/pocketpc.h"

// Repaints the window before returning, for changes the user must see at once.
// A widget whose window has gone passes null: that repaints nothing (to the
// system, null would be the whole desktop).
inline void RepaintNow(HWND window)
{
    if (window)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

#endif
