#ifndef QUILLEX_DIALOGS_CHOOSER_CONTROLS_H
#define QUILLEX_DIALOGS_CHOOSER_CONTROLS_H

#include "platform/pocketpc.h"

// What the open/save chooser and the recent chooser share: the template and
// how it is run, the filling of its boxes and list, and its messages.

// Runs template IDD_FILE_CHOOSER modally over the main window with
// `procedure`; answers the dialog's result, -1 when it could not be shown.
INT_PTR RunChooserTemplate(DLGPROC procedure);

// The handheld's start of every dialog: full screen, "OK" in the caption,
// soft keyboard down, empty menu bar.
void InitChooserDialog(HWND dialog);

// Images of the list's icons.
const int CHOOSER_FILE_IMAGE = 0;
const int CHOOSER_FOLDER_IMAGE = 1;

// Room for the text of a type box item.
const int CHOOSER_TYPE_NAME_UNITS = 32;

// Fills the type box, with "All docs" first when `withOpenOnly`.
void FillTypeBox(HWND box, bool withOpenOnly);
// The type box's text, and the pattern list of that type.
void ReadTypeName(HWND box, wchar_t* name);
const wchar_t* PatternsOfTypeBox(HWND box);
// Fills the encoding box, with "(Auto)" first when `withOpenOnly`.
void FillEncodingBox(HWND box, bool withOpenOnly);
// Selects the first item whose text is exactly `text` (case counts, unlike
// CB_FINDSTRINGEXACT); false, and the selection unchanged, without one.
bool SelectExactItem(HWND box, const wchar_t* text);

// The list's one column, titled `title` though never shown, and its icons.
void AddNameColumn(HWND list, const wchar_t* title, HIMAGELIST icons);
// Spans the column over the list's client area, less a little: called
// again once the list is filled, as a vertical scroll bar narrows it.
void FitNameColumn(HWND list);
// Appends an item with `image` (0 file, 1 folder) and `data`; its index.
int AppendListItem(HWND list, const wchar_t* text, int image, LPARAM data);
// The selected item's index and text (cut to `capacity`), -1 without one.
int SelectedListItem(HWND list, wchar_t* text, int capacity);

// Reads the name box into `fileName` (MAX_PATH units) and the encoding box's
// text into `encodingName` (CHOOSER_ENCODING_NAME_UNITS). False when the
// name box holds more than `fileName` can: the copy is then cut.
bool ReadChoiceBoxes(HWND dialog, HWND encodingBox, wchar_t* fileName, wchar_t* encodingName);

// "There is no such file", owned by the chooser: a message owned by the main
// window would enable it again on closing, while the chooser still waits, and
// the chooser would sink behind it. The name box then has the focus.
void ShowNoFile(HWND dialog);

#endif
