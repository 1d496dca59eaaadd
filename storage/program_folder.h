#ifndef QUILLEX_STORAGE_PROGRAM_FOLDER_H
#define QUILLEX_STORAGE_PROGRAM_FOLDER_H

// The folder of the running program as "X:\...\" (with the trailing
// backslash), or an empty string when it cannot be found. `capacity` is the
// size of `folder` in units.
bool GetProgramFolder(wchar_t* folder, int capacity);

#endif
