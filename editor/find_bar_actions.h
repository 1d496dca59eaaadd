#ifndef QUILLEX_EDITOR_FIND_BAR_ACTIONS_H
#define QUILLEX_EDITOR_FIND_BAR_ACTIONS_H

// What the find/replace bar's buttons do to the current document. Each reads
// the boxes and the "Tt" (match case) and "_T_" (whole words) toggles at the
// moment it runs; an empty find box makes it do nothing.

// "<<" and ">>": selects the previous or next match, offering once to start
// again from the other end.
void FindNext(bool forward);

// "R" replaces the selection when it is the find text, then finds the next
// match; "RA" replaces every match and reports the count.
void Replace(bool all);

// The replace-all report for `count` replacements, in `out` of `capacity`
// units. A translation that has no room for the number, or no "%d" for it,
// gives way to the built-in text: the count is always shown.
void FormatReplaceReport(int count, wchar_t* out, int capacity);

#endif
