#ifndef QUILLEX_DIALOGS_TOOLBAR_ACTIONS_H
#define QUILLEX_DIALOGS_TOOLBAR_ACTIONS_H

// The fifteen toolbar actions, numbered 1 to 15: the toolbar's buttons, the
// characters of `ToolBarItems` (character k is action k + 1) and the
// assignments of the hardware buttons all count with these numbers.

const int TOOLBAR_ACTION_COUNT = 15;

// The `ToolBarItems` text lives in one buffer of this many units.
const int TOOLBAR_ITEMS_UNITS = 140;

// The command the main window carries out for `action`; 0 for action 0
// ("(NONE)") and for a number outside 0 to 15.
int ToolbarCommandForAction(int action);

// The action's name in the current language; "(NONE)" for action 0, "" for
// a number outside 0 to 15.
const wchar_t* ToolbarActionText(int action);

// Reads `ToolBarItems` into `items` (TOOLBAR_ITEMS_UNITS units): New, Open,
// Save and quick insert when the setting is missing, and a stored text
// shorter than 30 characters padded with zeros, so that missing positions
// count as hidden. A stored text longer than the buffer is cut to it.
void ReadToolbarItems(wchar_t* items);

#endif
