#ifndef QUILLEX_DIALOGS_CHOOSER_ACTIONS_H
#define QUILLEX_DIALOGS_CHOOSER_ACTIONS_H

// What the open/save chooser does when the user picks: a tap or an
// activation (double tap, Enter) of a list item, and OK. Both work on
// g_chooserState while its dialog runs.

// A tap on an item fills the name box with a file's name; an activation
// enters a folder (or goes up with " .. ") or confirms a file.
void PickChooserItem(bool activate);

// Checks the name and ends the dialog with OK, or tells the user why not
// and leaves it open.
void ConfirmChooser();

// The text of the item that goes up one folder.
extern const wchar_t kUpItem[];

#endif
