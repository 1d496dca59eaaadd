#ifndef QUILLEX_LISTS_TEXT_MACROS_H
#define QUILLEX_LISTS_TEXT_MACROS_H

#include "platform/pocketpc.h"

// Expands the quick-insert macros of `text` for the time `now`, one after the
// other, each on the result of the one before: "%h" hour, "%m" minute, "%s"
// second, "%D" day, "%M" month (two digits each), "%Y" year (four digits),
// "%L" a line break, "%%" a single '%'. As "%%" comes last it protects
// nothing: "%%h" gives '%' and the hour. Answers a new string (release it
// with delete[]), or null when memory ran out.
wchar_t* ExpandMacros(const wchar_t* text, const SYSTEMTIME& now);

#endif
