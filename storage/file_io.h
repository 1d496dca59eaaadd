#ifndef QUILLEX_STORAGE_FILE_IO_H
#define QUILLEX_STORAGE_FILE_IO_H

#include "platform/pocketpc.h"

// The only way the program touches a file: one platform handle, opened by a
// mode string ("r" to read, "cw" to create or truncate and write, 'a' to open
// or create without truncating), read and written whole.
//
// The destructor does not close the handle: whoever opens a file closes it.
class CFileIO {
public:
    CFileIO();
    virtual ~CFileIO();

    bool Open(const wchar_t* path, const wchar_t* mode);
    bool Read(void* buffer, DWORD count, DWORD* bytesRead = nullptr);
    bool Write(const void* buffer, DWORD count);
    DWORD Seek(LONG low, LONG high, DWORD origin);
    ULONGLONG GetSize();
    void Close();

    // The low 32 bits of the size as every caller uses them: a file that could
    // not be opened answers -1.
    LONG GetSize32() { return (LONG)(DWORD)GetSize(); }

    HANDLE handle;

    CFileIO(const CFileIO&) = delete;
    CFileIO& operator=(const CFileIO&) = delete;
};

#endif
