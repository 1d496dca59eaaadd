#ifndef QUILLEX_LISTS_RECENT_FILES_H
#define QUILLEX_LISTS_RECENT_FILES_H

#include "platform/pocketpc.h"

#include "lists/fixed_str_list.h"

// Slots hold a whole path (259 units and a terminator): a path cut to fit
// would name another file.
const int RECENT_PATH_UNITS = MAX_PATH;
const int RECENT_MAX = 20;

// The paths of the last documents loaded or saved, most recent first (slot 0),
// without duplicates (exact, case-sensitive comparison), at most RECENT_MAX.
// Kept in "Recent.lst": UTF-16 LE without mark, one path per line ended by
// CR LF, oldest first.
class CRecentList : public CFixedStrListT<RECENT_PATH_UNITS> {
public:
    CRecentList();
    // Saves the list where it was loaded from, then clears it.
    ~CRecentList();

    // Puts the path at the front. A path that does not fit a slot whole is
    // refused (false); `length` -1 means up to the terminator.
    bool Add(const wchar_t* path, int length = -1);
    // Adds the file's paths in file order, so its last line ends up most
    // recent, then prunes. A missing file is created empty. Remembers the
    // file as the one SaveRecent and the destructor write.
    void LoadFrom(const wchar_t* fullPath);
    // Writes at most RECENT_MAX paths, oldest first; false when the file
    // could not be written.
    bool SaveTo(const wchar_t* fullPath);
    // Removes every path whose file no longer exists.
    void Prune();

    // The file the list was loaded from; empty until then, and nothing is
    // saved at the end of a run that never loaded the list.
    wchar_t file[MAX_PATH];
};

extern CRecentList g_recent;

void AddRecent(const wchar_t* path);
// Loads "Recent.lst" from the program folder (at start-up).
void LoadRecent();
void LoadRecentFrom(const wchar_t* fullPath);
// Writes the list back to the file it was loaded from.
void SaveRecent();
bool SaveRecentTo(const wchar_t* fullPath);
void PruneRecent();

#endif
