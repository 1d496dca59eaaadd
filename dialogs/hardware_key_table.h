#ifndef QUILLEX_DIALOGS_HARDWARE_KEY_TABLE_H
#define QUILLEX_DIALOGS_HARDWARE_KEY_TABLE_H

#include "platform/pocketpc.h"

// The handheld's application buttons are the virtual keys 0xC1 to 0xCF;
// button n (0 to 14) has the key 0xC1 + n and keeps its assigned action in
// the setting "HardKeyEvent<n>".
const int HARDWARE_KEY_FIRST = 0xC1;
const int HARDWARE_KEY_COUNT = 15;

// The buttons the advanced settings list, by position in the key box.
struct HardwareKeyTable {
    int count;                          // buttons found in the registry
    int current;                        // position shown in the key box
    int actions[HARDWARE_KEY_COUNT];    // action of each position, 0 = none
    int numbers[HARDWARE_KEY_COUNT];    // button number of each position
};

extern HardwareKeyTable g_hardwareKeys;

// Fills the key box with the names of the buttons the device has (registry
// keys HKLM\SOFTWARE\Microsoft\Shell\Keys\40C1 to 40CF, value "Name"), in
// ascending key order, and records their count and numbers.
void ReadHardwareKeyNames(HWND keyBox);

// The name of the setting that keeps button `number`'s action.
void HardKeySettingName(int number, wchar_t* name, int capacity);

#endif
