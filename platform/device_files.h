#ifndef QUILLEX_PLATFORM_DEVICE_FILES_H
#define QUILLEX_PLATFORM_DEVICE_FILES_H

#include <windows.h>

// File operations whose best form differs between the handheld and a desktop.

// Puts `copy` in the place of the existing file `target`, keeping what makes
// the old file the user's (creation time, security, streams) where the
// platform can. False, with GetLastError set, when it did not happen; the
// caller then falls back to a plain move. ERROR_UNABLE_TO_MOVE_REPLACEMENT
// means the old file is gone and the copy still has its own name;
// ERROR_CALL_NOT_IMPLEMENTED that the platform has no replace that a flat
// battery cannot interrupt halfway.
bool ReplaceExistingFile(const wchar_t* target, const wchar_t* copy);

// `path` in the form the file functions take whatever its length: as it is
// when it fits MAX_PATH, otherwise the extended-length form of its full path
// ("\\?\C:\..." or "\\?\UNC\server\..."). False when it has none or it does
// not fit `capacity` units.
bool UsableFilePath(const wchar_t* path, wchar_t* out, int capacity);

#endif
