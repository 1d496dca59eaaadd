#include <windows.h>

#include <strsafe.h>

#include <string>

#include "platform/device_process.h"
#include "platform/modal_stack.h"

#undef GetCommandLineW
#undef SetForegroundWindow

namespace {
bool g_replaced = false;
std::wstring g_arguments;
HANDLE g_instance = nullptr;
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

namespace {

// What `window`'s program shows on top: the top of our modal stack when the
// window is ours, else (another process's window) the chain of last active
// pop-ups, each one the owner of the next.
HWND LastActivePopup(HWND window)
{
    HWND ours = ModalOwner(nullptr);
    if (ours && GetAncestor(ours, GA_ROOTOWNER) == window)
        return ours;
    for (int i = 0; i < 16; ++i) {
        HWND next = GetLastActivePopup(window);
        if (!next || next == window || !IsWindowVisible(next))
            break;
        window = next;
    }
    return window;
}

}

BOOL DeviceSetForegroundWindow(HWND window)
{
    // The handheld's flag: bring forward what the window's program shows on
    // top, a question or dialog over a disabled main window included.
    if ((ULONG_PTR)window & 1)
        window = LastActivePopup((HWND)((ULONG_PTR)window & ~(ULONG_PTR)1));
    return ::SetForegroundWindow(window);
}

bool TakeSingleInstance(const wchar_t* name)
{
    if (g_instance)
        return false;
    // The session's namespace: each user's desktop runs its own program.
    wchar_t full[MAX_PATH];
    if (FAILED(StringCchPrintfW(full, MAX_PATH, L"Local\\%s", name)))
        return false;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, full);
    if (!mutex)
        return false;
    // Held by another start: it is the running program. One that crashed
    // leaves it abandoned, and this start takes it over.
    DWORD waited = WaitForSingleObject(mutex, 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return false;
    }
    g_instance = mutex;
    return true;
}

void ReleaseSingleInstance()
{
    if (!g_instance)
        return;
    ReleaseMutex(g_instance);
    CloseHandle(g_instance);
    g_instance = nullptr;
}
