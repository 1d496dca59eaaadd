#ifndef QUILLEX_DIALOGS_ADVANCED_SETTINGS_H
#define QUILLEX_DIALOGS_ADVANCED_SETTINGS_H

// The advanced settings (template IDD_ADVANCED): the action of each hardware
// button, the file types associated with the program and the look of the
// menu bar. Everything is written at OK, the settings and the registry
// alike; Cancel leaves both untouched. True when it ended with OK.
bool ShowAdvancedSettingsDialog();

#endif
