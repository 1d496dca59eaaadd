#ifndef QUILLEX_EDITOR_LAYOUT_H
#define QUILLEX_EDITOR_LAYOUT_H

class CDocument;

// Divides the main window's client area between the tab panel (top), the
// find/replace bar (bottom) and the current document's edit window between
// them, which it sizes and shows; the other documents are hidden. Recomputes
// everything from the application state, so callers run it after any change
// of documents, the current index, an edit window or the bar; pieces that do
// not exist yet (during the main window's creation) are left alone.
void LayoutDocumentArea();

// Gives the document's edit window the place of the document area (hidden
// documents get theirs only here, when they are to be shown: every size
// change makes a wrapping edit control wrap its whole text again).
void FitToDocumentArea(CDocument* document);

#endif
