#ifndef QUILLEX_EDITOR_LAYOUT_H
#define QUILLEX_EDITOR_LAYOUT_H

// Divides the main window's client area between the tab panel (top), the
// find/replace bar (bottom) and the documents' edit windows between them,
// shows only the current document, and brings the menu items that describe
// the current document up to date. Recomputes everything from the
// application state, so callers run it after any change of documents, the
// current index, an edit window or the bar; pieces that do not exist yet
// (during the main window's creation) are left alone.
void LayoutDocumentArea();

#endif
