#ifndef QUILLEX_DIALOGS_FILE_CHOOSER_H
#define QUILLEX_DIALOGS_FILE_CHOOSER_H

#include "platform/pocketpc.h"

#include "dialogs/chooser_tables.h"

// The program's own file chooser (template IDD_FILE_CHOOSER): a one-column
// list browsing the file system, used to open a file, to save one, and to
// pick an entry of the recent-files list.

const int CHOOSER_PRESET_UNITS = 100;

// A choice of the chooser.
struct ChooserResult {
    wchar_t path[MAX_PATH];    // a full path ("C:\...")
    int encoding;
    DWORD flags;               // a save's CODEC_BOM ("BOM") and CODEC_BARE_LF ("[LF]")
};

// What the open/save chooser keeps from one showing to the next.
struct ChooserMemory {
    // The path the last showing was given or chose: an Open without a path
    // of its own starts in its folder (and without one in `LastFolder`).
    wchar_t path[MAX_PATH];
    // The name a save was last given, offered again to one without a name.
    wchar_t namePreset[CHOOSER_PRESET_UNITS];
    // The encoding box's text at the last OK or Cancel.
    wchar_t encodingName[CHOOSER_ENCODING_NAME_UNITS];
};

extern ChooserMemory g_chooserMemory;

// Runs the chooser modally over the main window, to open a file (openMode)
// or to save one; true only when it ended with OK, and `choice` then holds
// the path, the encoding and (for a save) the flags chosen.
// In: opening, `choice->path` is where to start, empty for where the last
// showing left off; saving, `path` (empty when untitled) and `encoding` are
// the document's.
bool ChooseFile(bool openMode, ChooserResult* choice);

// Runs the chooser over the recent-files list; true only when it ended with
// OK, and `choice` then holds the entry and the encoding to open it with.
bool ChooseRecentFile(ChooserResult* choice);

#endif
