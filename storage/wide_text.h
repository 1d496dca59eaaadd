#ifndef QUILLEX_STORAGE_WIDE_TEXT_H
#define QUILLEX_STORAGE_WIDE_TEXT_H

#include <stddef.h>

// Bounded copies into fixed fields: the result is always terminated and never
// longer than the field, whatever the source holds.

// Copies at most `length` units of `source` (or up to its terminator when
// `length` is -1) into a field of `capacity` units; returns the units copied.
int CopyUnits(wchar_t* field, int capacity, const wchar_t* source, int length = -1);

// The same into an array field, whose capacity is its own size.
template <size_t capacity>
inline int CopyUnits(wchar_t (&field)[capacity], const wchar_t* source, int length = -1)
{
    return CopyUnits(field, (int)capacity, source, length);
}

// Number of units before the terminator, but never more than `limit`.
int BoundedLength(const wchar_t* text, int limit);

// Copies `text` into `out` (of `capacity` units) with its first occurrence
// of `mark` replaced by `value`, as plain text: never used as a format.
// The result is cut to fit, always terminated; returns its length.
int SubstituteFirst(const wchar_t* text, const wchar_t* mark, const wchar_t* value, wchar_t* out,
                    int capacity);

#endif
