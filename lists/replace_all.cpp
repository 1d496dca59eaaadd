#include "lists/replace_all.h"

#include <string.h>
#include <wchar.h>

namespace {

// The bounded output: keeps writing what fits and counts everything.
struct Output {
    wchar_t* out;
    int capacity;
    int length;

    void Put(const wchar_t* units, int n)
    {
        int room = capacity - 1 - length;
        int fits = n < room ? n : room;
        if (fits > 0)
            memcpy(out + length, units, (size_t)fits * sizeof(wchar_t));
        length += n;
    }
};

}

int ReplaceAll(const wchar_t* source, const wchar_t* find, const wchar_t* replacement,
               wchar_t* out, int outCapacity)
{
    Output result = { out, outCapacity, 0 };
    int findLength = (int)wcslen(find);
    int replacementLength = (int)wcslen(replacement);
    const wchar_t* rest = source;
    if (findLength > 0) {
        for (const wchar_t* hit = wcsstr(rest, find); hit; hit = wcsstr(rest, find)) {
            result.Put(rest, (int)(hit - rest));
            result.Put(replacement, replacementLength);
            rest = hit + findLength;
        }
    }
    result.Put(rest, (int)wcslen(rest));
    if (outCapacity > 0)
        out[result.length < outCapacity ? result.length : outCapacity - 1] = 0;
    return result.length;
}

int CountLeadingTabs(const wchar_t* text)
{
    int n = 0;
    while (text[n] == L'\t')
        ++n;
    return n;
}
