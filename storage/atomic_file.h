#ifndef QUILLEX_STORAGE_ATOMIC_FILE_H
#define QUILLEX_STORAGE_ATOMIC_FILE_H

#include "platform/pocketpc.h"

// Every file the program writes is replaced only by a complete new copy: the
// bytes, made beforehand in memory, go into a new file beside the old one,
// are flushed to the storage, and the new file then takes the old one's
// place in one step (keeping the old file's identity where the platform
// can). A flat battery, a full card or any failure on the way leaves the old
// file exactly as it was.
//
// Only a folder that really refuses new files while its file may be written
// (checked with a second new file, not taken from one error code) has the
// bytes written over the file in place instead: its new length is set first,
// so a full card fails before any byte changes.

enum class WriteResult {
    Written,
    Failed,
    // Another program holds the file open and does not let it be replaced.
    InUse,
};

// What a caller hands the writer of a file that holds the user's text.
struct WriteGuard {
    // Run just before the bytes are written over the file in place, the one
    // write that a flat battery could leave torn: the caller keeps the text
    // safe elsewhere first.
    void (*beforeInPlace)(void* context);
    void* context;
};

// Writes `count` bytes as the whole new content of `path`. `guard` may be
// null. A file that existed is as it was unless Written, and no new file is
// left beside it.
WriteResult WriteFileWhole(const wchar_t* path, const void* bytes, DWORD count,
                           const WriteGuard* guard);

// The same for the program's own files; true when written.
bool WriteFileAtomically(const wchar_t* path, const void* bytes, DWORD count);

// Writes the file only when it does not hold exactly these bytes already
// (sparing the flash storage a write at every exit); true when it holds
// them afterwards.
bool WriteFileIfChanged(const wchar_t* path, const void* bytes, DWORD count);

// Room for the name of a copy, extended-length forms included.
const int COPY_PATH_UNITS = 2 * MAX_PATH;

// The name of the new copy made while `path` is written: beside it, the
// same for every save of that file, so that one left by a crash is written
// over (or removed) at the next save, and made from the file's whole name,
// so that no two files of a folder share it. In the form the file functions
// take, however long. False when it has none.
bool ReplacementPath(const wchar_t* path, wchar_t* out, int capacity);

// Removes a copy a crash left behind while `path` was being written.
void RemoveLeftoverReplacement(const wchar_t* path);

// Replaces the check whether the folder of `path` refuses new files (after
// its copy was refused); null asks the folder again. For programs that
// cannot make such a folder (a process with every right has none).
void SetNewFileRefusalCheck(bool (*check)(const wchar_t* path));

// Whether new copies are flushed to the storage before they take their
// place (the default). Only a flat battery needs it, and it costs about as
// much as the rest of a save: programs that write thousands of files to
// test their formats turn it off.
void SetFlushToStorage(bool on);

#endif
