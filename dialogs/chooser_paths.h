#ifndef QUILLEX_DIALOGS_CHOOSER_PATHS_H
#define QUILLEX_DIALOGS_CHOOSER_PATHS_H

#include "platform/pocketpc.h"

#include "lists/fixed_str_list.h"

// Paths as the chooser builds them. The handheld has one root, "\"; a
// desktop has a root per drive. The chooser's root (the empty folder) is
// therefore the list of drives, each shown as a folder named "C:", and every
// path it hands out starts with a drive (or a network share).

// Names found in a folder. Slots hold a whole file name (up to 259 units):
// a name cut to fit would name another file or none.
typedef CFixedStrListT<MAX_PATH> CChooserNameList;

// Adds the drives, "C:" and so on, to `folders`.
void ListDrives(CChooserNameList& folders);

// "X:" alone: a drive as the root lists it.
bool IsDriveName(const wchar_t* name);

// A folder the chooser can show: "X:" or "X:\...", or "\\server\...".
bool IsFullFolder(const wchar_t* folder);

// `out` = folder, backslash, name and extension. At the root only a drive
// name makes a path (the drive itself). False, with `out` empty, when there
// is no such path or it does not fit `capacity` units: a path is never cut.
bool JoinChooserPath(wchar_t* out, int capacity, const wchar_t* folder, const wchar_t* name,
                     const wchar_t* extension);

// The attributes of what `path` names; INVALID_FILE_ATTRIBUTES when nothing.
// A drive name stands for its top folder (a bare "C:" would mean the current
// folder of drive C).
DWORD ChooserAttributes(const wchar_t* path);

// Cuts `text` at its last backslash: "\A\B" becomes "\A", "C:\A" becomes
// "C:", and text without a backslash (a drive) becomes empty, the root.
void CutAtLastBackslash(wchar_t* text);

// A name the user may type: no units that no file name can hold (a colon
// would also turn a desktop name into a hidden stream of another file).
// Backslashes are allowed: they reach into sub-folders.
bool IsTypableName(const wchar_t* name);

#endif
