#include <windows.h>

#include "platform/device_bounds.h"
#include "platform/device_screen.h"
#include "platform/device_windows.h"

#undef CreateWindowExW
#undef GetSystemMetrics

HWND DeviceCreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x,
                          int y, int width, int height, HWND parent, HMENU menu,
                          HINSTANCE instance, LPVOID parameter)
{
    if (!(style & WS_CHILD))
        KeepWindowsOnDeviceScreen();
    if (!(style & WS_CHILD) && x == (int)CW_USEDEFAULT && width == (int)CW_USEDEFAULT) {
        x = 0;
        y = 0;
        width = DeviceGetSystemMetrics(SM_CXVIRTUALSCREEN);
        height = DeviceGetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                             instance, parameter);
}
