#ifndef QUILLEX_STORAGE_NOTICE_H
#define QUILLEX_STORAGE_NOTICE_H

#include "platform/pocketpc.h"

// The program's one way to show a message box (every report, question and
// failure goes through here); its answer. It is owned by the window that owns
// the device, `owner` when there is no main window.
int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// A message box owned by `owner` with the text of `key` (default `text`) and
// the caption of key `notice`, the program's one caption for messages. With
// a null key `text` is shown as it is (a text already looked up and filled in).
int ShowNotice(HWND owner, const wchar_t* key, const wchar_t* text, UINT type);

// Tells the user, in a message owned by `owner`, that memory ran short.
void ShowOutOfMemory(HWND owner);

#endif
