#ifndef QUILLEX_EDITOR_DOCUMENT_SEARCH_H
#define QUILLEX_EDITOR_DOCUMENT_SEARCH_H

#include "platform/pocketpc.h"

class CDocument;

// What a search does when it finds nothing.
enum FindMode {
    FIND_REPORT = 0,     // says there is no match
    FIND_ASK_AGAIN = 1,  // offers once to start again from the other end
    FIND_SILENT = 2,     // says nothing (replace-all)
};

// Searches the document from its selection: forward from the selection's
// end, backward from just before its start. Selects a match (scrolled into
// view, the edit window focused unless `focusText` is false) and answers 1,
// else acts on `mode` and answers 0.
int FindInDocument(CDocument* document, const wchar_t* pattern, bool forward, bool ignoreCase,
                   bool wholeWord, int mode, bool focusText = true);

// The document's whole text, read from its window only when it may have
// changed since the last read: valid until the next change of any document
// and not to be deleted. Null (the user told) when memory runs short.
const wchar_t* TextToSearch(CDocument* document, int* length);

// The document's whole text in a new[] buffer the caller deletes, with its
// length; null (the user told) when memory runs short.
wchar_t* CopyDocumentText(CDocument* document, int* length);

#endif
