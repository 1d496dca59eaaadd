#include "lists/recent_files.h"

#include <new>

#include "storage/atomic_file.h"
#include "storage/file_io.h"
#include "storage/key_value_file.h"
#include "storage/program_folder.h"

CRecentList g_recent;

namespace {
const wchar_t kLineEnd[] = L"\r\n";
}

CRecentList::CRecentList()
{
    file[0] = 0;
}

CRecentList::~CRecentList()
{
    if (file[0])
        SaveTo(file);
    Clear();
}

bool CRecentList::Add(const wchar_t* path, int length)
{
    if (!path)
        return false;
    if (length < 0)
        length = BoundedLength(path, RECENT_PATH_UNITS);
    if (length > RECENT_PATH_UNITS - 1)
        return false;
    Slot slot = MakeSlot(path, length);
    for (int i = count - 1; i >= 0; --i) {
        if (wcscmp(items[i].text, slot.text) == 0)
            RemoveAt(i);
    }
    if (!InsertAt(slot, 0))
        return false;
    // The oldest path falls off; the block keeps its room.
    if (count > RECENT_MAX)
        count = RECENT_MAX;
    return true;
}

void CRecentList::LoadFrom(const wchar_t* fullPath)
{
    // A file name too long to keep whole is not kept: saving to its cut
    // form would write another file.
    if (BoundedLength(fullPath, MAX_PATH) < MAX_PATH)
        CopyUnits(file, fullPath);
    else
        file[0] = 0;
    CFileIO io;
    if (GetFileAttributesW(fullPath) == INVALID_FILE_ATTRIBUTES) {
        io.Open(fullPath, L"cw");
        io.Close();
    }
    bool opened = io.Open(fullPath, L"r");
    LONG size = opened ? ReadableSize(io) : 0;
    int end = 0;
    wchar_t* buffer = size > 1 ? ReadUnitsWithLineEnd(io, 0, (DWORD)size, &end) : nullptr;
    io.Close();
    // A list that exists but could not be read is never written over.
    if (!opened || size < 0 || (size > 1 && !buffer))
        file[0] = 0;
    if (buffer) {
        // Each line goes to the front in file order, so the last line ends up
        // most recent; duplicates keep their last place, and of more than
        // RECENT_MAX lines the last ones stay. The CR appended at `end` only
        // closes a last line that had none: after a final CR LF it would make
        // an empty path that pushed a real one off a full list. Empty and
        // overlong lines are passed over.
        int pos = 0;
        while (pos < end) {
            int cr = FindUnit(buffer, pos, end + 1, L'\r');
            if (cr > pos)
                Add(buffer + pos, cr - pos);
            pos = cr + 2;
        }
        delete[] buffer;
    }
    Prune();
}

bool CRecentList::SaveTo(const wchar_t* fullPath)
{
    // Put together whole first: it replaces the old list only once written.
    int n = count < RECENT_MAX ? count : RECENT_MAX;
    int units = 0;
    for (int i = 0; i < n; ++i)
        units += (int)wcslen(items[i].text) + 2;
    wchar_t* text = new (std::nothrow) wchar_t[units + 1];
    if (!text)
        return false;
    int at = 0;
    for (int i = n - 1; i >= 0; --i) {
        int length = (int)wcslen(items[i].text);
        memcpy(text + at, items[i].text, length * sizeof(wchar_t));
        memcpy(text + at + length, kLineEnd, 2 * sizeof(wchar_t));
        at += length + 2;
    }
    // An unchanged list is not written again: most runs change nothing.
    bool ok = WriteFileIfChanged(fullPath, text, (DWORD)at * sizeof(wchar_t));
    delete[] text;
    return ok;
}

void CRecentList::Prune()
{
    // Stays on the same index after a removal, so runs of missing files all go.
    int i = 0;
    while (i < count) {
        if (GetFileAttributesW(items[i].text) == INVALID_FILE_ATTRIBUTES)
            RemoveAt(i);
        else
            ++i;
    }
}

void AddRecent(const wchar_t* path)
{
    g_recent.Add(path);
}

void LoadRecent()
{
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    if (!GetProgramFolder(folder, MAX_PATH) ||
        FAILED(StringCchPrintfW(path, MAX_PATH, L"%s%s", folder, L"Recent.lst")))
        return;
    g_recent.LoadFrom(path);
}

void LoadRecentFrom(const wchar_t* fullPath)
{
    g_recent.LoadFrom(fullPath);
}

void SaveRecent()
{
    if (g_recent.file[0])
        g_recent.SaveTo(g_recent.file);
}

bool SaveRecentTo(const wchar_t* fullPath)
{
    return g_recent.SaveTo(fullPath);
}

void PruneRecent()
{
    g_recent.Prune();
}
