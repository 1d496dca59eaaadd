#ifndef QUILLEX_EDITOR_DOCUMENT_REPLACE_H
#define QUILLEX_EDITOR_DOCUMENT_REPLACE_H

#include "platform/pocketpc.h"

class CDocument;

// Replaces the selection with `replacement` when the selected units are the
// find text (folded when `ignoreCase`), undoably, and marks the document
// modified. True when it replaced.
bool ReplaceSelectionIfMatch(CDocument* document, const wchar_t* find, const wchar_t* replacement,
                             bool ignoreCase);

// Replaces every match from the start of the text, never searching inserted
// text again, as one undoable change; the caret ends after the last
// replacement (at 0 without one) and the document is marked modified even
// when nothing matched. Answers the count, or -1 when memory ran short (the
// user is told and nothing changes).
int ReplaceAllInDocument(CDocument* document, const wchar_t* find, const wchar_t* replacement,
                         bool ignoreCase, bool wholeWord);

#endif
