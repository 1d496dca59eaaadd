#include "storage/program_folder.h"

#include "platform/pocketpc.h"
#include "storage/wide_text.h"

bool GetProgramFolder(wchar_t* folder, int capacity)
{
    wchar_t module[MAX_PATH + 1];
    DWORD n = GetModuleFileNameW(nullptr, module, MAX_PATH + 1);
    folder[0] = 0;
    // A name that filled the buffer was cut by the system: no folder then.
    if (n == 0 || n > MAX_PATH)
        return false;
    wchar_t* slash = wcsrchr(module, L'\\');
    if (!slash)
        return false;
    int length = (int)(slash - module) + 1;
    if (length >= capacity)
        return false;
    CopyUnits(folder, capacity, module, length);
    return true;
}
