#ifndef QUILLEX_DIALOGS_CHOOSER_CONTROLS_H
#define QUILLEX_DIALOGS_CHOOSER_CONTROLS_H

#include "platform/pocketpc.h"

#include "dialogs/dialog_template.h"
#include "resources/resource.h"

// What the open/save chooser and the recent chooser share: how the template
// is run, the filling of its boxes and list, and its messages.

// The controls of one showing.
struct ChooserDialog {
    HIMAGELIST icons;          // image 0 a file, image 1 a folder
    HWND dialog;
    HWND list;
    HWND typeBox;
    HWND encodingBox;
};

// The list's icons, loaded for one showing and freed after it; the handles
// are forgotten at both ends.
void BeginChooser(ChooserDialog& controls);
void EndChooser(ChooserDialog& controls);

// Runs template IDD_FILE_CHOOSER modally over the main window with
// `handlers` on `chooser` (a ChooserDialog with what its mode keeps); true
// when it ended with OK.
template <class Chooser>
bool RunChooser(const DialogHandlers<Chooser>& handlers, Chooser& chooser)
{
    ChooserDialog& controls = chooser;
    BeginChooser(controls);
    DialogEnd end = RunDialogTemplate(IDD_FILE_CHOOSER, handlers, chooser);
    EndChooser(controls);
    return end == DIALOG_OK;
}

// The start both share: the handles, the type box and the encoding box
// (with the items offered only when reading when `withOpenOnly`), the list's
// column (titled `columnTitle` though never shown) and icons, the Cancel text.
void InitChooserControls(HWND dialog, ChooserDialog& state, bool withOpenOnly,
                         const wchar_t* columnTitle);

// Images of the list's icons.
const int CHOOSER_FILE_IMAGE = 0;
const int CHOOSER_FOLDER_IMAGE = 1;

// Room for the text of a type box item.
const int CHOOSER_TYPE_NAME_UNITS = 32;

// The type box's text, and the pattern list of that type.
void ReadTypeName(HWND box, wchar_t* name);
const wchar_t* PatternsOfTypeBox(HWND box);
// Selects the first item whose text is exactly `text` (case counts, unlike
// CB_FINDSTRINGEXACT); false, and the selection unchanged, without one.
bool SelectExactItem(HWND box, const wchar_t* text);

// Spans the column over the list's client area, less a little: called
// again once the list is filled, as a vertical scroll bar narrows it.
void FitNameColumn(HWND list);
// Appends an item with `image` (0 file, 1 folder) and `data`; its index.
int AppendListItem(HWND list, const wchar_t* text, int image, LPARAM data);
// The selected item's index and text (cut to `capacity`), -1 without one.
int SelectedListItem(HWND list, wchar_t* text, int capacity);

// Stretches the list (and in recent mode the folder box) over the dialog.
void FitChooserControls(HWND dialog, HWND list, bool recentMode);

// "There is no such file", owned by the chooser: a message owned by the main
// window would enable it again on closing, while the chooser still waits, and
// the chooser would sink behind it. The name box then has the focus.
void ShowNoFile(HWND dialog);

#endif
