#ifndef QUILLEX_SHELL_SETTINGS_CHANGE_H
#define QUILLEX_SHELL_SETTINGS_CHANGE_H

#include "platform/pocketpc.h"

// The settings that decide how the menu bar and the texts look, read before
// the settings dialog runs so that what it changed can be applied after it.
struct MenuSettings {
    bool standardMenu;       // `StandardMenuWM5`
    int showType;            // `MenuShowType`
    wchar_t language[260];   // `Language`
};

MenuSettings ReadMenuSettings();

// Brings the menu bar, the language, the edit windows' font and the layout
// up to date after the settings dialog, given the settings before it.
void ApplySettingsChange(const MenuSettings& before);

#endif
