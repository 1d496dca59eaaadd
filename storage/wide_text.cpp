#include "platform/pocketpc.h"

#include "storage/wide_text.h"

int BoundedLength(const wchar_t* text, int limit)
{
    int n = 0;
    while (n < limit && text[n] != 0)
        ++n;
    return n;
}

int CopyUnits(wchar_t* field, int capacity, const wchar_t* source, int length)
{
    if (capacity <= 0)
        return 0;
    int n = length < 0 ? BoundedLength(source, capacity - 1)
                       : (length < capacity - 1 ? length : capacity - 1);
    if (n > 0)
        memcpy(field, source, n * sizeof(wchar_t));
    field[n] = 0;
    return n;
}

int SubstituteFirst(const wchar_t* text, const wchar_t* mark, const wchar_t* value, wchar_t* out,
                    int capacity)
{
    const wchar_t* found = wcsstr(text, mark);
    if (!found)
        return CopyUnits(out, capacity, text);
    int n = CopyUnits(out, capacity, text, (int)(found - text));
    n += CopyUnits(out + n, capacity - n, value);
    n += CopyUnits(out + n, capacity - n, found + wcslen(mark));
    return n;
}
