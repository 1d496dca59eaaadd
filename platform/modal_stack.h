#ifndef QUILLEX_PLATFORM_MODAL_STACK_H
#define QUILLEX_PLATFORM_MODAL_STACK_H

#include <windows.h>

// What owns the handheld now. At the bottom lies the main window; above it
// each dialog, question, menu or held stylus that runs a modal wait, the
// latest on top. Whatever is on top owns the whole screen until it ends:
// what opens next is owned by it, so that its end gives the device back to
// the window it came from (a dialog owned by the main window would enable
// and activate the main window under the dialog that opened it), and
// requests from outside wait until nothing is above the main window.

// Posted to the main window when the last wait above it has ended and a
// request asked to be told (`NotifyWhenModalEnds`).
const UINT WM_MODAL_ENDED = WM_APP + 0x40;

// The window at the bottom; null when it goes.
void SetModalBase(HWND mainWindow);

// True while a dialog, question, menu or hold is above the main window.
bool ModalBusy();

// The window that owns the device: the topmost window of the stack that is
// still there, else the main window, else `fallback` (when there is none).
HWND ModalOwner(HWND fallback);

// A request kept while the device is owned asks to be told when it is free.
void NotifyWhenModalEnds();

// One modal wait, from before it starts until it has ended. A dialog or
// question takes the first top-level dialog window the thread makes while it
// is on top as its own.
class ModalLevel {
public:
    explicit ModalLevel(bool takesWindow);
    ~ModalLevel();
    ModalLevel(const ModalLevel&) = delete;
    ModalLevel& operator=(const ModalLevel&) = delete;
};

// The modal waits of the program, each on top of the stack while it runs
// and owned by the window that owns the device.
int ModalMessageBox(HWND fallbackOwner, const wchar_t* text, const wchar_t* caption, UINT type);
INT_PTR ModalDialogBox(HINSTANCE module, const DLGTEMPLATE* dialogTemplate, HWND fallbackOwner,
                       DLGPROC procedure, LPARAM parameter);
// The menu's commands go to `window` as usual.
BOOL ModalTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND window);

#endif
