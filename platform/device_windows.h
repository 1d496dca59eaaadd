#ifndef QUILLEX_PLATFORM_DEVICE_WINDOWS_H
#define QUILLEX_PLATFORM_DEVICE_WINDOWS_H

#include <windows.h>

// Top-level windows created with the default position and size fill the
// device screen, as the handheld's window manager makes them; a desktop
// would cascade them over its own, larger screen.
HWND DeviceCreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x,
                          int y, int width, int height, HWND parent, HMENU menu,
                          HINSTANCE instance, LPVOID parameter);

#undef CreateWindowEx
#define CreateWindowEx DeviceCreateWindowEx
#define CreateWindowExW DeviceCreateWindowEx

#endif
