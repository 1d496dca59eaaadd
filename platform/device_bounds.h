#ifndef QUILLEX_PLATFORM_DEVICE_BOUNDS_H
#define QUILLEX_PLATFORM_DEVICE_BOUNDS_H

#include <windows.h>

// Nothing of the program leaves the handheld's screen: its window manager
// keeps every menu, submenu and message box on the screen. A desktop places
// them on its own, larger screen (past the emulated one's edges), so every
// top-level window the calling thread creates from now on is kept within the
// emulated screen: a message box or other dialog that would leave it is
// centred on it, a menu or any other pop-up is moved just far enough back.
// Called for each top-level window the program creates; once per thread is
// enough, further calls do nothing.
void KeepWindowsOnDeviceScreen();

// Marks one of the program's own full-screen dialogs, which are laid out for
// the handheld already: only the system's message boxes get their text
// wrapped again to fit the screen.
void MarkHandheldDialog(HWND dialog);

#endif
