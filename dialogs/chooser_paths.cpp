#include "dialogs/chooser_paths.h"

namespace {

bool IsDriveLetter(wchar_t unit)
{
    return (unit >= L'A' && unit <= L'Z') || (unit >= L'a' && unit <= L'z');
}

}

void ListDrives(CChooserNameList& folders)
{
    // "C:\", "Z:\", ... each terminated, the run ended by an empty one.
    wchar_t drives[26 * 4 + 1];
    DWORD n = GetLogicalDriveStringsW(26 * 4, drives);
    if (n == 0 || n > 26 * 4)
        return;
    for (const wchar_t* drive = drives; *drive; drive += wcslen(drive) + 1) {
        if (IsDriveLetter(drive[0]) && drive[1] == L':')
            folders.Append(CChooserNameList::MakeSlot(drive, 2));
    }
}

bool IsDriveName(const wchar_t* name)
{
    return IsDriveLetter(name[0]) && name[1] == L':' && name[2] == 0;
}

bool IsFullFolder(const wchar_t* folder)
{
    if (IsDriveLetter(folder[0]) && folder[1] == L':')
        return folder[2] == 0 || folder[2] == L'\\';
    return folder[0] == L'\\' && folder[1] == L'\\' && folder[2] != 0;
}

bool JoinChooserPath(wchar_t* out, int capacity, const wchar_t* folder, const wchar_t* name,
                     const wchar_t* extension)
{
    HRESULT result;
    if (folder[0])
        result = StringCchPrintfW(out, capacity, L"%s\\%s%s", folder, name, extension);
    else if (IsDriveName(name) && !extension[0])
        result = StringCchCopyW(out, capacity, name);
    else
        result = E_INVALIDARG;
    if (FAILED(result) && capacity > 0)
        out[0] = 0;
    return SUCCEEDED(result);
}

DWORD ChooserAttributes(const wchar_t* path)
{
    if (IsDriveName(path)) {
        wchar_t top[4] = { path[0], L':', L'\\', 0 };
        return GetFileAttributesW(top);
    }
    return GetFileAttributesW(path);
}

void CutAtLastBackslash(wchar_t* text)
{
    wchar_t* slash = wcsrchr(text, L'\\');
    if (slash)
        *slash = 0;
    else
        text[0] = 0;
}

bool IsTypableName(const wchar_t* name)
{
    for (; *name; ++name) {
        if (*name < 32 || wcschr(L":*?\"<>|", *name))
            return false;
    }
    return true;
}
