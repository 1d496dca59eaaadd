#include "storage/device_names.h"

#include <wchar.h>

namespace {

// One name of a path: its part before the first dot, without trailing
// spaces, is one of the devices every folder holds.
bool IsDevicePart(const wchar_t* part, int length)
{
    int base = 0;
    while (base < length && part[base] != L'.')
        ++base;
    while (base > 0 && part[base - 1] == L' ')
        --base;
    static const wchar_t* const kDevices[] = { L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$",
                                               L"CONOUT$" };
    for (const wchar_t* device : kDevices) {
        if ((int)wcslen(device) == base && _wcsnicmp(part, device, base) == 0)
            return true;
    }
    // COM1 to COM9 and LPT1 to LPT9, also with a superscript digit.
    if (base != 4 || (_wcsnicmp(part, L"COM", 3) != 0 && _wcsnicmp(part, L"LPT", 3) != 0))
        return false;
    wchar_t digit = part[3];
    return (digit >= L'1' && digit <= L'9') || digit == 0x00B9 || digit == 0x00B2 ||
           digit == 0x00B3;
}

}

bool HoldsDeviceName(const wchar_t* name)
{
    for (;;) {
        const wchar_t* slash = wcschr(name, L'\\');
        int length = slash ? (int)(slash - name) : (int)wcslen(name);
        if (IsDevicePart(name, length))
            return true;
        if (!slash)
            return false;
        name = slash + 1;
    }
}
