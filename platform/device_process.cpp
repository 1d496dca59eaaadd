#include <windows.h>

#include <string>

#include "platform/device_process.h"

#undef GetCommandLineW
#undef SetForegroundWindow

namespace {
bool g_replaced = false;
std::wstring g_arguments;
}

LPWSTR DeviceGetCommandLine()
{
    if (g_replaced)
        return &g_arguments[0];
    // Skip the program's name, quoted or not; what follows (usually a space
    // and the arguments) is the device's command line.
    LPWSTR line = ::GetCommandLineW();
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"')
            ++line;
        if (*line == L'"')
            ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    return line;
}

void SetDeviceCommandLine(const wchar_t* arguments)
{
    g_replaced = arguments != nullptr;
    g_arguments = arguments ? arguments : L"";
}

BOOL DeviceSetForegroundWindow(HWND window)
{
    return ::SetForegroundWindow((HWND)((ULONG_PTR)window & ~(ULONG_PTR)1));
}
