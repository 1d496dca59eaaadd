#include "storage/key_value_file.h"

#include <new>

wchar_t* ReadUnitsWithLineEnd(CFileIO& file, DWORD offset, DWORD bytes, int* end)
{
    DWORD units = bytes / 2;
    wchar_t* buffer = new (std::nothrow) wchar_t[units + 10]();
    if (!buffer)
        return nullptr;
    DWORD got = 0;
    file.Seek((LONG)offset, 0, FILE_BEGIN);
    if (bytes > 0 && !file.Read(buffer, bytes, &got)) {
        delete[] buffer;
        return nullptr;
    }
    // A short read keeps what arrived; the rest of the buffer stays zero.
    int n = (int)(got / 2);
    buffer[n] = L'\r';
    buffer[n + 1] = L'\n';
    buffer[n + 2] = 0;
    *end = n;
    return buffer;
}

LONG ReadableSize(CFileIO& file)
{
    ULONGLONG size = file.GetSize();
    return size > 0x7FFFFFFF ? -1 : (LONG)size;
}

int FindUnit(const wchar_t* buffer, int from, int to, wchar_t unit)
{
    for (int i = from; i < to; ++i) {
        if (buffer[i] == unit)
            return i;
    }
    return -1;
}

void ParseKeyValueLines(const wchar_t* buffer, int start, int end, bool comments,
                        AddEntryFn add, void* context)
{
    int pos = start;
    while (pos < end) {
        if (comments && buffer[pos] == L'/' && buffer[pos + 1] == L'%' &&
            buffer[pos + 2] == L'/') {
            // The appended CR at `end` is always found.
            pos = FindUnit(buffer, pos, end + 1, L'\r') + 2;
            continue;
        }
        int eq = FindUnit(buffer, pos, end, L'=');
        if (eq < 0)
            return;
        int cr = FindUnit(buffer, eq + 1, end + 1, L'\r');
        add(context, buffer + pos, eq - pos, buffer + eq + 1, cr - eq - 1);
        pos = cr + 2;
    }
}

KeyValueRead ReadKeyValueFile(CFileIO& file, const wchar_t* path, const KeyValueFormat& format,
                              AddEntryFn add, void* context)
{
    if (!path[0])
        return KeyValueRead::Empty;
    if (!file.Open(path, L"r")) {
        file.Close();
        return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES ? KeyValueRead::Unreadable
                                                                    : KeyValueRead::Empty;
    }
    LONG size = ReadableSize(file);
    int end = 0;
    wchar_t* buffer = size > format.shortestBytes
                          ? ReadUnitsWithLineEnd(file, 0, (DWORD)size, &end)
                          : nullptr;
    file.Close();
    if (size < 0 || (size > format.shortestBytes && !buffer))
        return KeyValueRead::Unreadable;
    if (!buffer)
        return KeyValueRead::Empty;
    int start = (buffer[0] == 0xFEFF ? 1 : 0) + format.skippedUnits;
    ParseKeyValueLines(buffer, start, end, format.comments, add, context);
    delete[] buffer;
    return KeyValueRead::Read;
}
