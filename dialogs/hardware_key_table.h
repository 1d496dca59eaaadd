#ifndef QUILLEX_DIALOGS_HARDWARE_KEY_TABLE_H
#define QUILLEX_DIALOGS_HARDWARE_KEY_TABLE_H

#include "app/hardware_buttons.h"
#include "platform/pocketpc.h"

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
// ascending key order, and records their count and numbers in `keys`.
void ReadHardwareKeyNames(HWND keyBox, HardwareKeyTable& keys);

#endif
