#include "storage/atomic_file.h"

#include <wchar.h>

#include "storage/file_io.h"
#include "storage/hash_key.h"
#include "storage/wide_text.h"

namespace {

// The attributes a replaced file hands on to its new copy.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool g_flush = true;

// A handle closed when it goes out of scope.
class ScopedFile {
public:
    explicit ScopedFile(HANDLE h) : handle(h) {}
    ~ScopedFile() { Close(); }
    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    void Close()
    {
        if (IsOpen())
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
    HANDLE handle;

    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
};

// Writes all bytes from the start, cuts the file there and flushes it to
// the storage.
bool WriteWholeAndFlush(HANDLE file, const void* bytes, DWORD count)
{
    DWORD written = 0;
    if (count > 0 && (!WriteFile(file, bytes, count, &written, nullptr) || written != count))
        return false;
    return SetEndOfFile(file) && (!g_flush || FlushFileBuffers(file));
}

// The folder refused to make a new file (as opposed to a missing folder, a
// full storage or a bad name, where writing in place would not help or
// would risk the file).
bool RefusedNewFile(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_CANNOT_MAKE;
}

bool WriteInPlace(const wchar_t* path, const void* bytes, DWORD count)
{
    ScopedFile file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.IsOpen() && WriteWholeAndFlush(file.handle, bytes, count);
}

}

void SetFlushToStorage(bool on)
{
    g_flush = on;
}

bool ReplacementPath(const wchar_t* path, wchar_t* out, int capacity)
{
    out[0] = 0;
    const wchar_t* slash = wcsrchr(path, L'\\');
    const wchar_t* name = slash ? slash + 1 : path;
    int folderLength = (int)(name - path);
    if (!name[0] || folderLength >= capacity)
        return false;
    CopyUnits(out, capacity, path, folderLength);
    // Named after the file (by its key hash), so that each file has one.
    if (FAILED(StringCchPrintfW(out + folderLength, capacity - folderLength, L"~qx%08lX.tmp",
                                (unsigned long)HashKey(name, -1)))) {
        out[0] = 0;
        return false;
    }
    return true;
}

void RemoveLeftoverReplacement(const wchar_t* path)
{
    wchar_t replacement[MAX_PATH];
    if (!path[0] || !ReplacementPath(path, replacement, MAX_PATH))
        return;
    DWORD attributes = GetFileAttributesW(replacement);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(replacement, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(replacement);
    }
}

bool WriteFileAtomically(const wchar_t* path, const void* bytes, DWORD count)
{
    DWORD old = GetFileAttributesW(path);
    // A folder or a read-only file is not replaced, as it could not be
    // written either.
    if (old != INVALID_FILE_ATTRIBUTES &&
        (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    wchar_t replacement[MAX_PATH];
    if (!ReplacementPath(path, replacement, MAX_PATH))
        return false;

    // A copy a crash left behind is written over; hidden while it is ours.
    ScopedFile copy(CreateFileW(replacement, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!copy.IsOpen()) {
        DWORD error = GetLastError();
        return old != INVALID_FILE_ATTRIBUTES && RefusedNewFile(error) &&
               WriteInPlace(path, bytes, count);
    }
    bool ok = WriteWholeAndFlush(copy.handle, bytes, count);
    copy.Close();
    if (ok) {
        // The copy takes the old file's attributes (at least the archive
        // bit a new file has) before it takes its place.
        DWORD kept = old == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_ARCHIVE : old & kKeptAttributes;
        SetFileAttributesW(replacement, kept ? kept : FILE_ATTRIBUTE_NORMAL);
        ok = MoveFileExW(replacement, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
             FALSE;
    }
    if (!ok) {
        SetFileAttributesW(replacement, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(replacement);
    }
    return ok;
}
