#ifndef QUILLEX_PLATFORM_DEVICE_EDIT_H
#define QUILLEX_PLATFORM_DEVICE_EDIT_H

#include <windows.h>

// Long texts into an edit window. On the handheld each is one message. Wine's
// edit control wraps a paragraph in time that grows with the square of its
// length (each wrapped line measures the whole rest of its paragraph), so
// here a long text for a wrapping edit window goes in as pieces, one after
// another, chosen so that every line starts where one pass would start it;
// where the pieces cannot promise that, one pass. Other windows and short
// texts go straight through.

// As SetWindowTextW: the caret at the start, the view at the top, no undo,
// unmodified.
BOOL SetLongEditText(HWND window, LPCWSTR text);

// As EM_REPLACESEL: the selection replaced by `text`, the caret after it;
// one change that one Undo takes back when `canUndo`.
void ReplaceEditSelection(HWND window, LPCWSTR text, BOOL canUndo);

// WM_PASTE of a long clipboard text into a wrapping edit window; false when
// the control's own paste is the one to run (short or no text, read-only,
// beyond the window's limit).
bool PasteLongText(HWND window);

#endif
