#include "platform/device_files.h"

#include <new>
#include <strsafe.h>

namespace {

// Wine's replace moves the old file aside under a name of its own and then
// renames the copy in: a flat battery between the two leaves no file under
// the user's name. Its plain move is one rename, so it is the safer call
// there.
bool ReplaceIsTwoSteps()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}

bool ReplaceExistingFile(const wchar_t* target, const wchar_t* copy)
{
    static const bool twoSteps = ReplaceIsTwoSteps();
    if (twoSteps) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
    // Merge errors only say that some of the old file's identity (its
    // security, say) could not be handed on; the text is in place then.
    return ReplaceFileW(target, copy, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr) != FALSE;
}

bool UsableFilePath(const wchar_t* path, wchar_t* out, int capacity)
{
    size_t length = 0;
    if (FAILED(StringCchLengthW(path, (size_t)capacity, &length)))
        return false;
    if (length < MAX_PATH)
        return SUCCEEDED(StringCchCopyW(out, (size_t)capacity, path));
    // An extended-length path is taken as it is, so it is first made full
    // and normal the way the file functions would make a short one.
    const int room = 32768;
    wchar_t* full = new (std::nothrow) wchar_t[room];
    if (!full)
        return false;
    DWORD n = GetFullPathNameW(path, room, full, nullptr);
    bool ok = n > 0 && n < (DWORD)room;
    if (ok && full[0] == L'\\' && full[1] == L'\\' && (full[2] == L'?' || full[2] == L'.'))
        ok = SUCCEEDED(StringCchCopyW(out, (size_t)capacity, full));
    else if (ok && full[0] == L'\\' && full[1] == L'\\')
        ok = SUCCEEDED(StringCchPrintfW(out, (size_t)capacity, L"\\\\?\\UNC\\%s", full + 2));
    else if (ok && full[1] == L':')
        ok = SUCCEEDED(StringCchPrintfW(out, (size_t)capacity, L"\\\\?\\%s", full));
    else
        ok = false;
    delete[] full;
    return ok;
}
