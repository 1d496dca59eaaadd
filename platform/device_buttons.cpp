#include <windows.h>
#include <strsafe.h>

#include "platform/device_buttons.h"

#undef RegisterHotKey

namespace {

const UINT kFirstButton = 0xC1;
const UINT kLastMappedButton = 0xC9;   // Ctrl+Alt+9

const wchar_t* const kButtonNames[] = {
    L"Кнопка 1", L"Кнопка 2", L"Кнопка 3", L"Кнопка 4", L"Запись",
};

}

BOOL DeviceRegisterHotKey(HWND window, int id, UINT modifiers, UINT key)
{
    if (!(modifiers & MOD_WIN) || key < kFirstButton || key > 0xCF)
        return ::RegisterHotKey(window, id, modifiers, key);
    if (key > kLastMappedButton) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ::RegisterHotKey(window, id, MOD_CONTROL | MOD_ALT, L'1' + (key - kFirstButton));
}

void SeedDeviceButtons()
{
    for (int i = 0; i < (int)ARRAYSIZE(kButtonNames); ++i) {
        wchar_t path[64];
        StringCchPrintfW(path, ARRAYSIZE(path), L"SOFTWARE\\Microsoft\\Shell\\Keys\\40%02X",
                         kFirstButton + i);
        HKEY key;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            continue;
        if (RegQueryValueExW(key, L"Name", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            const wchar_t* name = kButtonNames[i];
            RegSetValueExW(key, L"Name", 0, REG_SZ, (const BYTE*)name,
                           (DWORD)((lstrlenW(name) + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }
}
