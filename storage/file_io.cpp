#include "storage/file_io.h"

CFileIO::CFileIO() : handle(INVALID_HANDLE_VALUE) {}

CFileIO::~CFileIO() {}

bool CFileIO::Open(const wchar_t* path, const wchar_t* mode)
{
    Close();

    DWORD access = 0;
    DWORD sharing = 0;
    DWORD disposition = OPEN_EXISTING;
    for (const wchar_t* m = mode; *m; ++m) {
        switch (*m) {
        case L'r': access |= GENERIC_READ; sharing |= FILE_SHARE_READ; break;
        case L'w': access |= GENERIC_WRITE; sharing |= FILE_SHARE_WRITE; break;
        case L'c': disposition = CREATE_ALWAYS; break;
        case L'a': disposition = OPEN_ALWAYS; break;
        default: break;
        }
    }
    handle = CreateFileW(path, access, sharing, nullptr, disposition, 0, nullptr);
    return handle != INVALID_HANDLE_VALUE;
}

bool CFileIO::Read(void* buffer, DWORD count, DWORD* bytesRead)
{
    DWORD n = 0;
    BOOL ok = ReadFile(handle, buffer, count, &n, nullptr);
    if (bytesRead)
        *bytesRead = n;
    return ok != FALSE;
}

bool CFileIO::Write(const void* buffer, DWORD count)
{
    DWORD n = 0;
    BOOL ok = WriteFile(handle, buffer, count, &n, nullptr);
    // A short write (a full disk) is a failed write, not a done one.
    return ok != FALSE && n == count;
}

DWORD CFileIO::Seek(LONG low, LONG high, DWORD origin)
{
    return SetFilePointer(handle, low, &high, origin);
}

ULONGLONG CFileIO::GetSize()
{
    DWORD high = 0;
    DWORD low = GetFileSize(handle, &high);
    if (low == INVALID_FILE_SIZE && handle == INVALID_HANDLE_VALUE)
        high = 0;
    return ((ULONGLONG)high << 32) | low;
}

void CFileIO::Close()
{
    // On desktop Windows -1 is also the process's own pseudo-handle: never
    // hand it to CloseHandle.
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}
