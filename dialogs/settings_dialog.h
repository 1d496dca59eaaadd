#ifndef QUILLEX_DIALOGS_SETTINGS_DIALOG_H
#define QUILLEX_DIALOGS_SETTINGS_DIALOG_H

#include "platform/pocketpc.h"

// The settings dialog (template IDD_SETTINGS): the on/off options, the edit
// font and its size, the language and the toolbar's buttons. It writes the
// settings at OK and applies nothing itself. True when it ended with OK.
bool ShowSettingsDialog();

// Font-family enumeration callback: adds the family to the font box given
// as `box` and selects it when it is the stored `FontName` (or, with none
// stored, the system font); vertical faces ("@Name") are left out. Always
// 1, so the enumeration goes on.
int CALLBACK AddFontName(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type,
                         LPARAM box);

#endif
