#ifndef QUILLEX_LISTS_REPLACE_ALL_H
#define QUILLEX_LISTS_REPLACE_ALL_H

// Copies `source` with every occurrence of `find` replaced, scanning left to
// right, non-overlapping, never rescanning inserted text. An empty `find`
// matches nothing. Writes at most `outCapacity` - 1 units and a terminator
// into `out` (nothing when the capacity is 0, so `out` may then be null) and
// answers the length of the whole result, so a first call with no buffer
// sizes the second.
int ReplaceAll(const wchar_t* source, const wchar_t* find, const wchar_t* replacement,
               wchar_t* out, int outCapacity);

// Number of tab units at the start of `text`: the nesting level of a
// quick-insert title.
int CountLeadingTabs(const wchar_t* text);

#endif
