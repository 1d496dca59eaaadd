#ifndef QUILLEX_SHELL_DOCUMENT_VIEW_H
#define QUILLEX_SHELL_DOCUMENT_VIEW_H

// What the user sees of the current document besides its text: its tab,
// its place in the window, the menu items and the toolbar button that
// describe it, and the keyboard focus.

// After the current document (or the set of documents) changed: selects its
// tab, lays the document area out (which sizes and shows it), updates the
// menus and gives it the keyboard focus.
void ShowCurrentDocument();

// After a document's name, encoding or modified mark changed in place (a
// save): the tabs repaint and the menus follow.
void ShowDocumentState();

// Next and previous greyed at the ends of the list, word wrap and encoding
// checked as the current document has them.
void UpdateDocumentMenus();

// Presses the menu bar's word-wrap button exactly when the current document
// wraps.
void UpdateWordWrapButton();

// Gives the keyboard focus to the current document's edit window.
void FocusCurrentDocument();

// The tab strip shows the documents' names and marks as they are now.
void RepaintTabPanel();

#endif
