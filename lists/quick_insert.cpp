#include "lists/quick_insert.h"

#include <new>

#include "storage/file_io.h"
#include "storage/key_value_file.h"
#include "storage/program_folder.h"
#include "storage/wide_text.h"

CQuickInsertList::CQuickInsertList(HMENU popup) : menu(popup) {}

CQuickInsertList::~CQuickInsertList()
{
    Release();
}

void CQuickInsertList::Release()
{
    for (int i = 0; i < count; ++i) {
        delete[] items[i].insertText;
        items[i].insertText = nullptr;
    }
    Clear();
}

bool CQuickInsertList::LoadQuickInsert()
{
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    if (!GetProgramFolder(folder, MAX_PATH) ||
        FAILED(StringCchPrintfW(path, MAX_PATH, L"%s%s", folder, L"QInsert.lst")))
        return false;
    return LoadQuickInsertFrom(path);
}

bool CQuickInsertList::LoadQuickInsertFrom(const wchar_t* fullPath)
{
    if (GetFileAttributesW(fullPath) == INVALID_FILE_ATTRIBUTES)
        return false;
    CFileIO io;
    if (!io.Open(fullPath, L"r"))
        return false;
    LONG size = ReadableSize(io);
    // The first two bytes are the byte-order mark, taken on trust.
    int end = 0;
    wchar_t* buffer = size < 4 ? nullptr : ReadUnitsWithLineEnd(io, 2, (DWORD)(size - 2), &end);
    io.Close();
    if (!buffer)
        return false;
    AddLines(buffer, end);
    delete[] buffer;
    BuildMenu();
    return true;
}

void CQuickInsertList::AddLines(const wchar_t* buffer, int end)
{
    // buffer[end] is the CR appended after the file's units, so every line,
    // the last included, ends at a CR inside the buffer.
    int pos = 0;
    while (pos < end && count < QUICK_INSERT_MAX_ITEMS) {
        int cr = FindUnit(buffer, pos, end + 1, L'\r');
        if (cr > pos) {
            QuickInsertItem item = {};
            int bar = FindUnit(buffer, pos, cr, L'|');
            int titleEnd = bar >= 0 ? bar : cr;
            CopyUnits(item.title, buffer + pos, titleEnd - pos);
            if (bar >= 0) {
                int length = cr - bar - 1;
                item.insertText = new (std::nothrow) wchar_t[length + 1];
                if (item.insertText)
                    CopyUnits(item.insertText, length + 1, buffer + bar + 1, length);
            }
            if (Append(item) < 0)
                delete[] item.insertText;
        }
        pos = cr + 2;
    }
}
