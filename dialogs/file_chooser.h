#ifndef QUILLEX_DIALOGS_FILE_CHOOSER_H
#define QUILLEX_DIALOGS_FILE_CHOOSER_H

#include "platform/pocketpc.h"

#include "lists/fixed_str_list.h"

// The program's own file chooser (template IDD_FILE_CHOOSER): a one-column
// list browsing the file system, used to open a file, to save one, and to
// pick an entry of the recent-files list.

const BYTE CHOOSER_SAVE = 0;
const BYTE CHOOSER_OPEN = 1;

const int CHOOSER_PRESET_UNITS = 100;
const int CHOOSER_ENCODING_NAME_UNITS = 100;

// Names found in the folder shown. Slots hold a whole file name (up to 259
// units): a name cut to fit would name another file or none.
typedef CFixedStrListT<MAX_PATH> CChooserNameList;

// The open/save chooser's record, kept for the whole run: every field keeps
// its value between showings.
struct ChooserState {
    // In: the starting path (may be empty); out after OK: the chosen full path.
    wchar_t path[MAX_PATH];
    // In (save): the document's encoding; out after OK: the chosen encoding.
    int encoding;
    // Out after OK: CODEC_BOM when "BOM" was checked, CODEC_BARE_LF for "[LF]".
    DWORD flags;
    BYTE mode;                 // CHOOSER_OPEN or CHOOSER_SAVE
    BYTE fromLastFolder;       // the starting folder came from `LastFolder`
    // The folder shown, without a trailing backslash; empty is the root,
    // which lists the drives.
    wchar_t folder[MAX_PATH];
    wchar_t namePreset[CHOOSER_PRESET_UNITS];      // put into the name box at start
    wchar_t fileName[MAX_PATH];                     // the name box, read at OK or Cancel
    wchar_t encodingName[CHOOSER_ENCODING_NAME_UNITS];  // the encoding box, likewise
    CChooserNameList folderEntries;
    CChooserNameList fileEntries;
    HIMAGELIST icons;          // image 0 a file, image 1 a folder; this showing only
    HWND dialog;
    HWND list;
    HWND typeBox;
    HWND encodingBox;
};

// The recent-mode chooser's record.
struct RecentChoice {
    wchar_t path[MAX_PATH];    // out after OK: the chosen entry
    int encoding;              // out after OK: the chosen encoding
    wchar_t fileName[MAX_PATH];
    wchar_t encodingName[CHOOSER_ENCODING_NAME_UNITS];
    HIMAGELIST icons;
    HWND dialog;
    HWND list;
    HWND typeBox;
    HWND encodingBox;
};

extern ChooserState g_chooserState;
extern RecentChoice g_recentChoice;

// Runs the chooser modally over the main window, to open a file (openMode)
// or to save one. Set `path` first (and `encoding` for a save); after a true
// result read `path`, `encoding` and `flags`. True only when ended with OK.
// Every path returned is a full path ("C:\...").
bool ChooseFile(bool openMode);

// Runs the chooser over the recent-files list; after a true result open
// `g_recentChoice.path` with `g_recentChoice.encoding`.
bool ChooseRecentFile();

// Lists the current folder of `g_chooserState` under the chosen type.
void FillFolderList();
// Lists the recent files under the chosen type, after dropping vanished ones.
void FillRecentList();
// Stretches the list (and in recent mode the folder box) over the dialog.
void FitChooserControls(HWND dialog, HWND list, bool recentMode);

#endif
