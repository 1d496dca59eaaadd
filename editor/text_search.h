#ifndef QUILLEX_EDITOR_TEXT_SEARCH_H
#define QUILLEX_EDITOR_TEXT_SEARCH_H

// Plain substring search in a text, with or without case, optionally for
// whole words only. Case is folded unit by unit for every script the system
// knows (Cyrillic included), whatever the C runtime's locale.

struct SearchOptions {
    bool forward;
    bool ignoreCase;
    bool wholeWord;
};

// White space or one of the fixed word delimiters.
bool IsWordBoundary(wchar_t c);

// The unit in lower case, as the case-insensitive compare sees it.
wchar_t FoldCase(wchar_t c);

// True when the `length` units at `a` and `b` are equal (folded when asked).
bool UnitsEqual(const wchar_t* a, const wchar_t* b, int length, bool ignoreCase);

// The first match at or after `start` (forward) or at or before it
// (backward) in the `textLength` units of `text`, or -1. A match never
// reaches past the text's end; with whole words, the units before and after
// it must be boundaries (the text's ends count as boundaries). `before` is
// the unit taken to precede position 0: a space for a whole text, the unit
// written last when `text` is the rest of a text being rewritten.
int FindMatch(const wchar_t* text, int textLength, const wchar_t* pattern, int patternLength,
              int start, const SearchOptions& options, wchar_t before = L' ');

// The search on a terminated text: a pointer to the match inside `text`, or
// null. `pattern` is non-empty and terminated.
const wchar_t* FindInText(const wchar_t* text, const wchar_t* pattern, int start, bool forward,
                          bool ignoreCase, bool wholeWord);

#endif
