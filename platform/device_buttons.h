#ifndef QUILLEX_PLATFORM_DEVICE_BUTTONS_H
#define QUILLEX_PLATFORM_DEVICE_BUTTONS_H

#include <windows.h>

// The handheld's application buttons. On the device they are the virtual
// keys 0xC1 to 0xCF, registered as hot keys with MOD_WIN, and their names
// are in the registry under HKLM\SOFTWARE\Microsoft\Shell\Keys\40C1 and on.
// A desktop has no such keys: the emulated device has five buttons, each
// pressed with a key combination of the desktop's keyboard:
//
//     40C1 "Кнопка 1"  Ctrl+Alt+1        40C4 "Кнопка 4"  Ctrl+Alt+4
//     40C2 "Кнопка 2"  Ctrl+Alt+2        40C5 "Запись"    Ctrl+Alt+5
//     40C3 "Кнопка 3"  Ctrl+Alt+3
//
// Keys 0xC6 to 0xC9 (buttons the device lacks) have Ctrl+Alt+6 to 9.

#ifndef SPI_APPBUTTONCHANGE
#define SPI_APPBUTTONCHANGE 228
#endif

// Registers a hot key as the device does. A device button (MOD_WIN with a
// key from 0xC1) is registered as its desktop combination under the same
// identifier, so WM_HOTKEY arrives with the identifier the caller chose.
BOOL DeviceRegisterHotKey(HWND window, int id, UINT modifiers, UINT key);

// Writes the names of the emulated device's buttons into the registry where
// they are missing; names already there (changed by the user) stay.
void SeedDeviceButtons();

#define RegisterHotKey DeviceRegisterHotKey

#endif
