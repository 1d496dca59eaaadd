#include "platform/pocketpc.h"

#include "lists/fixed_str_list.h"

namespace {

// The system's own case mapping, which knows Cyrillic; msvcrt's _wcsicmp
// folds only A-Z until a locale is set, and the handheld's folds them all.
wchar_t FoldToLower(wchar_t unit)
{
    // A zero "string" pointer would not be taken for the character 0 everywhere.
    if (unit == 0)
        return 0;
    return (wchar_t)(UINT_PTR)CharLowerW((LPWSTR)(UINT_PTR)(unsigned short)unit);
}

}

int CompareNoCase(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        wchar_t x = FoldToLower(*a);
        wchar_t y = FoldToLower(*b);
        if (x != y || x == 0)
            return (int)(unsigned short)x - (int)(unsigned short)y;
    }
}
