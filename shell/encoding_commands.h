#ifndef QUILLEX_SHELL_ENCODING_COMMANDS_H
#define QUILLEX_SHELL_ENCODING_COMMANDS_H

#include "platform/pocketpc.h"

// The "reopen as" commands and the encodings they stand for: one table for
// the reopen command and the menu's check marks.

// The encoding command `id` reopens with (ENC_AUTO for detection); -1 when
// `id` is no reopen command.
int EncodingForCommand(int id);

// Checks the menu item of `encoding` and unchecks the other encodings'.
void CheckEncodingItem(HMENU menu, int encoding);

#endif
