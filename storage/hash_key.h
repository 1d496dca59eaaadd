#ifndef QUILLEX_STORAGE_HASH_KEY_H
#define QUILLEX_STORAGE_HASH_KEY_H

#include "platform/pocketpc.h"

// Position-weighted key hash by which settings and language entries are
// found. `length` counts UTF-16 units; -1 means up to the terminator.
DWORD HashKey(const wchar_t* text, int length);

#endif
