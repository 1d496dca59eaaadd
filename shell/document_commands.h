#ifndef QUILLEX_SHELL_DOCUMENT_COMMANDS_H
#define QUILLEX_SHELL_DOCUMENT_COMMANDS_H

// The list of open documents: creating, closing, replacing, saving, and
// asking whether changes are to be saved before anything would discard them.

// Appends a new empty document (word wrap as the current one) and makes it
// current; unless `skipLayout`, lays out and focuses it. False, after a
// message and with nothing added, when memory ran out.
bool AddDocument(bool skipLayout);

// Appends a new empty document with the given word wrap and answers its
// index; -1, after a message and with nothing added, when memory ran out.
int AppendNewDocument(bool wordWrap);

// Asks about the current document, removes it and makes `target` current
// (clamped). The only document is replaced by an empty one. False when
// nothing was closed (Cancel, a failed save, no memory for the empty one).
bool CloseDocument(int target);

// Saves document `index` under its name, or through the chooser when it has
// none or holds only the start of its file. False when nothing was written
// (cancelled, or the write failed).
bool SaveDocument(int index);
bool SaveDocumentAs(int index);

// Asks about the current document (or all of them) and saves those the user
// wants saved. True when the caller may go on; false after Cancel or a save
// that did not happen.
bool ConfirmSaveChanges(bool all);

void NewDocumentCommand();
void OpenDocumentCommand();
void RecentDocumentCommand();

#endif
