#ifndef QUILLEX_PLATFORM_DEVICE_EDIT_H
#define QUILLEX_PLATFORM_DEVICE_EDIT_H

#include <windows.h>

// SetWindowTextW, as the handheld's edit control does it in one pass. Wine's
// edit control wraps a paragraph in time that grows with the square of its
// length: each wrapped line measures the whole rest of its paragraph again.
// A long text for a wrapping edit window therefore goes in as pieces
// appended one after another, so that no line measures more than a piece;
// the lines, the caret (at the start), the view (at the top), the empty
// undo and the unmodified mark come out as SetWindowTextW leaves them.
// Other windows and short texts go straight through.
BOOL DeviceSetWindowText(HWND window, LPCWSTR text);

#define SetWindowTextW DeviceSetWindowText

#endif
