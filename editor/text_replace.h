#ifndef QUILLEX_EDITOR_TEXT_REPLACE_H
#define QUILLEX_EDITOR_TEXT_REPLACE_H

#include "editor/text_search.h"

// A text with every match replaced, as replacing one match at a time from
// the start would leave it: each search resumes after the inserted text, and
// whole words are judged against the text as it is by then.
struct ReplacedText {
    wchar_t* text;   // new[], terminated; the caller deletes it
    int length;
    int count;       // matches replaced
    int caret;       // just after the last replacement (0 without one)
};

// False when the result would not fit in memory; `result` is then empty.
bool ReplaceMatches(const wchar_t* text, int length, const wchar_t* find, int findLength,
                    const wchar_t* replacement, int replacementLength, bool ignoreCase,
                    bool wholeWord, ReplacedText* result);

#endif
