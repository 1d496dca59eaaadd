#ifndef QUILLEX_EDITOR_FIND_BAR_ACTIONS_H
#define QUILLEX_EDITOR_FIND_BAR_ACTIONS_H

// What the find/replace bar's buttons do to the current document. Each reads
// the boxes and the "Tt" (match case) and "_T_" (whole words) toggles at the
// moment it runs; an empty find box makes it do nothing.

// "<<" and ">>": selects the previous or next match, offering once to start
// again from the other end. The text gets the keyboard focus with a match
// unless the search was started from a box that keeps it (`focusText` false).
void FindNext(bool forward, bool focusText = true);

// "R" replaces the selection when it is the find text, then finds the next
// match (the focus as for FindNext); "RA" replaces every match and reports
// the count.
void Replace(bool all, bool focusText = true);

// The replace-all report for `count` replacements, in `out` of `capacity`
// units. A translation that has no room for the number, or no "%d" for it,
// gives way to the built-in text: the count is always shown.
void FormatReplaceReport(int count, wchar_t* out, int capacity);

#endif
