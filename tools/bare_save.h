#ifndef QUILLEX_TOOLS_BARE_SAVE_H
#define QUILLEX_TOOLS_BARE_SAVE_H

// The floor of a save, by bare Win32 calls, for the benchmarks: the bytes
// written the way a careful program must (`careful`: a new copy beside the
// file, flushed to the storage, then moved over the file) or the way
// notepad does (over the file, no flush).

#include <windows.h>

#include <string>

// bare-edit's save commands (WM_COMMAND), as the peer benchmark sends them.
const UINT BARE_SAVE_FLUSHED = 1;
const UINT BARE_SAVE_IN_PLACE = 2;

inline void BareSave(const std::wstring& path, const void* bytes, DWORD count, bool careful)
{
    std::wstring target = careful ? path + L".new" : path;
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes, count, &written, nullptr) && written == count;
    if (careful)
        ok = FlushFileBuffers(file) && ok;
    CloseHandle(file);
    if (careful && ok)
        MoveFileExW(target.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

#endif
