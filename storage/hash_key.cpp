#include "storage/hash_key.h"

#include <wchar.h>

DWORD HashKey(const wchar_t* text, int length)
{
    static const DWORD weights[5] = { 45, 6, 673, 7, 3 };
    if (length == -1)
        length = (int)wcslen(text);
    DWORD h = 0;
    for (int i = 0; i < length; ++i)
        h += (DWORD)(unsigned short)text[i] * weights[i % 5];
    return h;
}
