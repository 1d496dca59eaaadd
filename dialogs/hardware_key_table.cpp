#include "dialogs/hardware_key_table.h"

HardwareKeyTable g_hardwareKeys;

void ReadHardwareKeyNames(HWND keyBox, HardwareKeyTable& keys)
{
    for (int i = 0; i < HARDWARE_KEY_COUNT; ++i) {
        wchar_t path[64];
        StringCchPrintfW(path, ARRAYSIZE(path), L"SOFTWARE\\Microsoft\\Shell\\Keys\\40%02X",
                         HARDWARE_KEY_FIRST + i);
        HKEY key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        // 128 bytes: 63 units and the terminator, one more for a name
        // stored without its terminator.
        wchar_t name[65] = L"";
        DWORD type = 0;
        DWORD bytes = 128;
        if (RegQueryValueExW(key, L"Name", nullptr, &type, (BYTE*)name, &bytes) == ERROR_SUCCESS &&
            type == REG_SZ) {
            name[bytes / sizeof(wchar_t) < 64 ? bytes / sizeof(wchar_t) : 64] = 0;
            SendMessageW(keyBox, CB_ADDSTRING, 0, (LPARAM)name);
            keys.numbers[keys.count++] = i;
        }
        RegCloseKey(key);
    }
}
