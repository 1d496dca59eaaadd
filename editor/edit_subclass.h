#ifndef QUILLEX_EDITOR_EDIT_SUBCLASS_H
#define QUILLEX_EDITOR_EDIT_SUBCLASS_H

#include "platform/pocketpc.h"

class CDocument;

// What every document's edit window does on top of the platform edit
// control: typing marks the document modified, commands go on to the main
// window, and tap-and-hold (or a context-menu request) opens the edit popup
// menu. Attached once, with the document as the subclass's data; it lets go
// when the window is destroyed.
void AttachEditSubclass(HWND edit, CDocument* document);

#endif
