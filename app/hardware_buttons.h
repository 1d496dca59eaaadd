#ifndef QUILLEX_APP_HARDWARE_BUTTONS_H
#define QUILLEX_APP_HARDWARE_BUTTONS_H

// The handheld's application buttons are the virtual keys 0xC1 to 0xCF;
// button n (0 to 14) has the key 0xC1 + n and keeps its assigned action in
// the setting "HardKeyEvent<n>". The hot keys and the advanced settings
// both go by this numbering.
const int HARDWARE_KEY_FIRST = 0xC1;
const int HARDWARE_KEY_COUNT = 15;

// The name of the setting that keeps button `number`'s action.
void HardKeySettingName(int number, wchar_t* name, int capacity);

#endif
