#ifndef QUILLEX_STORAGE_NOTICE_H
#define QUILLEX_STORAGE_NOTICE_H

#include "platform/pocketpc.h"

// A message box owned by `owner` with the text of `key` (default `text`) and
// the caption of key `notice`, the program's one caption for messages.
int ShowNotice(HWND owner, const wchar_t* key, const wchar_t* text, UINT type);

// Tells the user, in a message owned by `owner`, that memory ran short.
void ShowOutOfMemory(HWND owner);

#endif
