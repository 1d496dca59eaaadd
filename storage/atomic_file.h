#ifndef QUILLEX_STORAGE_ATOMIC_FILE_H
#define QUILLEX_STORAGE_ATOMIC_FILE_H

#include "platform/pocketpc.h"

// Every file the program writes is replaced only by a complete new copy: the
// bytes, made beforehand in memory, go into a new file beside the old one,
// are flushed to the storage, and the new file then takes the old one's
// place in one step. A flat battery, a full card or any failure on the way
// leaves the old file exactly as it was.
//
// When the folder refuses a new file but the file itself may be written (a
// folder that allows changes but no new entries), the bytes are written over
// the file in place instead.
//
// False when the file was not written; a file that existed is then as it
// was, and no new file is left beside it.
bool WriteFileAtomically(const wchar_t* path, const void* bytes, DWORD count);

// The name of the new copy made while `path` is written: beside it, hidden,
// the same for every save of that file, so that one left by a crash is
// written over (or removed) at the next save. False when it does not fit.
bool ReplacementPath(const wchar_t* path, wchar_t* out, int capacity);

// Removes a copy a crash left behind while `path` was being written.
void RemoveLeftoverReplacement(const wchar_t* path);

// Whether new copies are flushed to the storage before they take their
// place (the default). Only a flat battery needs it, and it costs about as
// much as the rest of a save: programs that write thousands of files to
// test their formats turn it off.
void SetFlushToStorage(bool on);

#endif
