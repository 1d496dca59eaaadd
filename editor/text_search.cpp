#include "editor/text_search.h"

#include <wctype.h>
#include <wchar.h>

#include "platform/pocketpc.h"

namespace {

// Besides white space, these units end a word. The apostrophe, the equals
// sign, digits and letters do not.
const wchar_t kDelimiters[] = L".,;:%?!+-*$\u2116@#^_/|\"()<>[]{}\\~&\u00A9\u20AC\u00A7\u00AE`";

// Lower case of every UTF-16 unit, made once from the system's own case
// mapping: the C runtime folds only ASCII until a locale is chosen.
struct FoldTable {
    wchar_t lower[65536];
    FoldTable()
    {
        for (int c = 0; c < (int)ARRAYSIZE(lower); ++c)
            lower[c] = (wchar_t)c;
        CharLowerBuffW(lower, ARRAYSIZE(lower));
    }
};

const FoldTable& Folds()
{
    static FoldTable table;
    return table;
}

bool BoundedBy(const wchar_t* text, int textLength, int s, int patternLength, wchar_t before)
{
    wchar_t previous = s == 0 ? before : text[s - 1];
    wchar_t next = s + patternLength == textLength ? L' ' : text[s + patternLength];
    return IsWordBoundary(previous) && IsWordBoundary(next);
}

}

bool IsWordBoundary(wchar_t c)
{
    return iswspace(c) || (c != 0 && wcschr(kDelimiters, c) != nullptr);
}

wchar_t FoldCase(wchar_t c)
{
    return Folds().lower[c];
}

bool UnitsEqual(const wchar_t* a, const wchar_t* b, int length, bool ignoreCase)
{
    if (!ignoreCase)
        return wmemcmp(a, b, length) == 0;
    const wchar_t* lower = Folds().lower;
    for (int i = 0; i < length; ++i) {
        if (lower[a[i]] != lower[b[i]])
            return false;
    }
    return true;
}

int FindMatch(const wchar_t* text, int textLength, const wchar_t* pattern, int patternLength,
              int start, const SearchOptions& options, wchar_t before)
{
    // Candidates that would end past the text cannot match: the scan never
    // looks at them, so nothing beyond the text is ever read.
    int last = textLength - patternLength;
    if (patternLength <= 0 || last < 0 || (!options.forward && start < 0))
        return -1;
    const wchar_t* lower = Folds().lower;
    wchar_t first = options.ignoreCase ? lower[pattern[0]] : pattern[0];
    int step = options.forward ? 1 : -1;
    int s = start < 0 ? 0 : start;
    if (!options.forward && s > last)
        s = last;
    for (; options.forward ? s <= last : s >= 0; s += step) {
        wchar_t c = options.ignoreCase ? lower[text[s]] : text[s];
        if (c != first || !UnitsEqual(text + s, pattern, patternLength, options.ignoreCase))
            continue;
        if (!options.wholeWord || BoundedBy(text, textLength, s, patternLength, before))
            return s;
    }
    return -1;
}

const wchar_t* FindInText(const wchar_t* text, const wchar_t* pattern, int start, bool forward,
                          bool ignoreCase, bool wholeWord)
{
    SearchOptions options = { forward, ignoreCase, wholeWord };
    int found = FindMatch(text, (int)wcslen(text), pattern, (int)wcslen(pattern), start, options);
    return found < 0 ? nullptr : text + found;
}
