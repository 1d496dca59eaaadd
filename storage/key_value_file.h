#ifndef QUILLEX_STORAGE_KEY_VALUE_FILE_H
#define QUILLEX_STORAGE_KEY_VALUE_FILE_H

#include "storage/file_io.h"

// Reading helpers shared by the program's UTF-16 list files (settings,
// language files, the recent-files list, quick insert).

// Reads `bytes` bytes from offset `offset` of an open file into a new zeroed
// buffer and appends CR, LF and a terminator after the units read, so a last
// line without its line end still ends in one. `*end` receives the index of
// that appended CR. Release the buffer with delete[]. Null when the file
// could not be read or the memory could not be had.
wchar_t* ReadUnitsWithLineEnd(CFileIO& file, DWORD offset, DWORD bytes, int* end);

// The size of an open list file, or -1 when it is too big to be read whole
// (2 GiB or more): such a file is none the program wrote, and is left alone.
LONG ReadableSize(CFileIO& file);

// Index of the first `unit` in buffer[from, to), or -1.
int FindUnit(const wchar_t* buffer, int from, int to, wchar_t unit);

// Walks "key=value" lines of buffer[start, end) as the settings and language
// files are written: a key runs from where the previous line ended to the
// next '=' (whatever lies between), its value to the next CR, and the unit
// after that CR is taken to be its LF. With `comments`, lines starting with
// "/%/" are passed over. Calls add(context, key, keyLength, value,
// valueLength) for each entry.
typedef void (*AddEntryFn)(void* context, const wchar_t* key, int keyLength,
                           const wchar_t* value, int valueLength);
void ParseKeyValueLines(const wchar_t* buffer, int start, int end, bool comments,
                        AddEntryFn add, void* context);

// How a key-value file is laid out before and between its lines.
struct KeyValueFormat {
    LONG shortestBytes;   // a file of at most this many bytes holds no entry
    int skippedUnits;     // units passed over unread at the start (a header)
    bool comments;        // lines starting with "/%/" are passed over
};

enum class KeyValueRead {
    Empty,        // no file, or one too short to hold an entry
    Unreadable,   // the file exists but could not be read whole
    Read,
};

// The one reader of the settings and language files: opens `path` with
// `file`, reads it whole, passes a leading byte-order mark and the format's
// header over and hands each entry to add(context, ...). The file is closed
// again in every case.
KeyValueRead ReadKeyValueFile(CFileIO& file, const wchar_t* path, const KeyValueFormat& format,
                              AddEntryFn add, void* context);

#endif
