#include "storage/atomic_file.h"

#include <new>
#include <string.h>
#include <wchar.h>

#include "platform/device_files.h"
#include "storage/wide_text.h"

namespace {

// The attributes a replaced file hands on to its new copy.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The copy's name is the file's own between these, while that fits one name
// of the file system (255 units).
const wchar_t kCopyPrefix[] = L"~qx";
const wchar_t kCopySuffix[] = L".tmp";
const int kLongestName = 255;

bool g_flush = true;
bool (*g_refusalCheck)(const wchar_t* path) = nullptr;

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

bool Flush(HANDLE file)
{
    return !g_flush || FlushFileBuffers(file);
}

// Writes all bytes from the start and flushes them to the storage. The file
// is no longer than that already: a new copy is empty, and a file written
// in place had its length set first.
bool WriteWholeAndFlush(HANDLE file, const void* bytes, DWORD count)
{
    DWORD written = 0;
    if (count > 0 && (!WriteFile(file, bytes, count, &written, nullptr) || written != count))
        return false;
    return Flush(file);
}

// An error that may mean the folder refuses new files (as opposed to a
// missing folder, a full storage or a bad name, where writing in place would
// not help or would risk the file). It may as well come from the copy's own
// name (a leftover still being deleted, or one marked SYSTEM), so it is
// never taken alone.
bool MayRefuseNewFiles(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_CANNOT_MAKE;
}

// Tries a second new file under another name in the same folder (the
// copy's with a dash before its ending).
bool FolderRefusesNewFiles(const wchar_t* copy)
{
    wchar_t probe[COPY_PATH_UNITS];
    int stem = (int)wcslen(copy) - (int)(ARRAYSIZE(kCopySuffix) - 1);
    if (stem < 0 || FAILED(StringCchPrintfW(probe, ARRAYSIZE(probe), L"%.*s-%s", stem, copy,
                                            kCopySuffix)))
        return false;
    HANDLE file = CreateFileW(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return MayRefuseNewFiles(GetLastError());
    CloseHandle(file);
    DeleteFileW(probe);
    return false;
}

// Another program has the file open and does not share its deletion, which
// a replace needs: on the handheld and on Windows the replace would fail.
bool HeldByAnotherProgram(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The last resort of a folder that takes no new file. The new length comes
// first, so a full card fails before any byte of the file changes.
WriteResult WriteInPlace(const wchar_t* path, const void* bytes, DWORD count,
                         const WriteGuard* guard)
{
    if (guard && guard->beforeInPlace)
        guard->beforeInPlace(guard->context);
    ScopedFile file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsOpen())
        return GetLastError() == ERROR_SHARING_VIOLATION ? WriteResult::InUse
                                                          : WriteResult::Failed;
    LARGE_INTEGER length;
    length.QuadPart = count;
    LARGE_INTEGER start = {};
    bool ok = SetFilePointerEx(file.handle, length, nullptr, FILE_BEGIN) &&
              SetEndOfFile(file.handle) && Flush(file.handle) &&
              SetFilePointerEx(file.handle, start, nullptr, FILE_BEGIN) &&
              WriteWholeAndFlush(file.handle, bytes, count);
    return ok ? WriteResult::Written : WriteResult::Failed;
}

// Clears the attributes of a leftover copy and removes it, so that a new
// one is not refused by an old hidden or read-only one.
void RemoveCopy(const wchar_t* copy)
{
    DWORD attributes = GetFileAttributesW(copy);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(copy, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(copy);
    }
}

// Makes the new copy, with the attributes it hands on to the file it
// replaces (`attributes`, 0 for none): no further call sets them. A copy a
// crash left behind is cleared away first, as it may be hidden or
// read-only; `leftover` then says so, and the attributes are set again
// once it is written.
HANDLE CreateCopy(const wchar_t* copy, DWORD attributes, bool* leftover)
{
    DWORD flags = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    HANDLE file = CreateFileW(copy, GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
    *leftover = file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS;
    if (!*leftover)
        return file;
    RemoveCopy(copy);
    return CreateFileW(copy, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, flags, nullptr);
}

// Puts the written copy in the place of `target`.
bool PutInPlace(const wchar_t* copy, const wchar_t* target, bool exists)
{
    // The replace keeps the old file's identity; where it is missing or
    // fails, the move does the job (also after a replace that took the old
    // file away but could not rename the copy).
    if (exists && ReplaceExistingFile(target, copy))
        return true;
    return MoveFileExW(copy, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// The copy's name for a file name too long to take the suffix: a 64-bit
// hash of the whole name.
unsigned long long NameHash(const wchar_t* name)
{
    unsigned long long h = 14695981039346656037ull;
    for (; *name; ++name) {
        h ^= (unsigned short)*name;
        h *= 1099511628211ull;
    }
    return h;
}

}

void SetFlushToStorage(bool on)
{
    g_flush = on;
}

void SetNewFileRefusalCheck(bool (*check)(const wchar_t* path))
{
    g_refusalCheck = check;
}

bool ReplacementPath(const wchar_t* path, wchar_t* out, int capacity)
{
    out[0] = 0;
    // The name starts after the last separator of either kind (or a drive's
    // colon): the copy goes into the file's own folder.
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p) {
        if (*p == L'\\' || *p == L'/' || (*p == L':' && p == path + 1))
            name = p + 1;
    }
    int nameLength = (int)wcslen(name);
    if (!name[0])
        return false;
    wchar_t plain[COPY_PATH_UNITS];
    HRESULT made;
    int folderLength = (int)(name - path);
    if (nameLength + (int)(ARRAYSIZE(kCopyPrefix) + ARRAYSIZE(kCopySuffix)) - 2 <= kLongestName) {
        made = StringCchPrintfW(plain, ARRAYSIZE(plain), L"%.*s%s%s%s", folderLength, path,
                                kCopyPrefix, name, kCopySuffix);
    } else {
        // The file's own long name already takes most of what a name may
        // hold: a collision needs two such names with one 64-bit hash.
        unsigned long long hash = NameHash(name);
        made = StringCchPrintfW(plain, ARRAYSIZE(plain), L"%.*s%s%08lX%08lX%s", folderLength,
                                path, kCopyPrefix, (unsigned long)(hash >> 32),
                                (unsigned long)(hash & 0xFFFFFFFFu), kCopySuffix);
    }
    if (FAILED(made) || !UsableFilePath(plain, out, capacity)) {
        out[0] = 0;
        return false;
    }
    return true;
}

void RemoveLeftoverReplacement(const wchar_t* path)
{
    wchar_t replacement[COPY_PATH_UNITS];
    if (path[0] && ReplacementPath(path, replacement, COPY_PATH_UNITS))
        RemoveCopy(replacement);
}

WriteResult WriteFileWhole(const wchar_t* path, const void* bytes, DWORD count,
                           const WriteGuard* guard)
{
    // One look at the old file gives its attributes and its creation time.
    WIN32_FILE_ATTRIBUTE_DATA was;
    bool exists = GetFileAttributesExW(path, GetFileExInfoStandard, &was) != FALSE;
    DWORD old = exists ? was.dwFileAttributes : 0;
    // A folder or a read-only file is not replaced, as it could not be
    // written either.
    if (exists && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return WriteResult::Failed;
    if (exists && HeldByAnotherProgram(path))
        return WriteResult::InUse;
    wchar_t target[COPY_PATH_UNITS];
    wchar_t replacement[COPY_PATH_UNITS];
    if (!UsableFilePath(path, target, COPY_PATH_UNITS) ||
        !ReplacementPath(path, replacement, COPY_PATH_UNITS))
        return WriteResult::Failed;

    // The copy is made with the attributes the old file hands on (at least
    // the archive bit a new file has), never with those of a copy a crash
    // left: the user's file never takes a hidden copy's place.
    DWORD kept = exists ? old & kKeptAttributes : FILE_ATTRIBUTE_ARCHIVE;
    bool leftover = false;
    ScopedFile copy(CreateCopy(replacement, kept, &leftover));
    if (!copy.IsOpen()) {
        if (!exists || !MayRefuseNewFiles(GetLastError()))
            return WriteResult::Failed;
        bool refuses = g_refusalCheck ? g_refusalCheck(path) : FolderRefusesNewFiles(replacement);
        return refuses ? WriteInPlace(target, bytes, count, guard) : WriteResult::Failed;
    }
    bool ok = WriteWholeAndFlush(copy.handle, bytes, count);
    // Where only a move can put the copy in place, it at least keeps the
    // old file's creation time.
    if (ok && exists)
        SetFileTime(copy.handle, &was.ftCreationTime, nullptr, nullptr);
    copy.Close();
    if (ok) {
        // A new file gets the archive bit whatever it is made with: an old
        // one without it hands that on too.
        if (leftover || !(kept & FILE_ATTRIBUTE_ARCHIVE))
            SetFileAttributesW(replacement, kept ? kept : FILE_ATTRIBUTE_NORMAL);
        ok = PutInPlace(replacement, target, exists);
    }
    if (!ok) {
        RemoveCopy(replacement);
        return exists && HeldByAnotherProgram(path) ? WriteResult::InUse : WriteResult::Failed;
    }
    return WriteResult::Written;
}

bool WriteFileAtomically(const wchar_t* path, const void* bytes, DWORD count)
{
    return WriteFileWhole(path, bytes, count, nullptr) == WriteResult::Written;
}

bool WriteFileIfChanged(const wchar_t* path, const void* bytes, DWORD count)
{
    ScopedFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr));
    LARGE_INTEGER size = {};
    bool same = file.IsOpen() && GetFileSizeEx(file.handle, &size) && size.QuadPart == count;
    if (same && count > 0) {
        unsigned char* held = new (std::nothrow) unsigned char[count];
        DWORD got = 0;
        same = held && ReadFile(file.handle, held, count, &got, nullptr) && got == count &&
               memcmp(held, bytes, count) == 0;
        delete[] held;
    }
    file.Close();
    return same || WriteFileAtomically(path, bytes, count);
}
