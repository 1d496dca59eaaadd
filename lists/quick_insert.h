#ifndef QUILLEX_LISTS_QUICK_INSERT_H
#define QUILLEX_LISTS_QUICK_INSERT_H

#include "platform/pocketpc.h"

#include "storage/grow_array.h"

// Item j of the list is menu command QUICK_INSERT_FIRST_COMMAND + j.
const int QUICK_INSERT_FIRST_COMMAND = 57200;
// Commands are 16 bits wide: lines beyond this many items are not loaded.
const int QUICK_INSERT_MAX_ITEMS = 0x10000 - QUICK_INSERT_FIRST_COMMAND;
// Titles longer than 99 units are cut.
const int QUICK_INSERT_TITLE_UNITS = 100;

struct QuickInsertItem {
    // Leading tabs give the nesting level in the menu.
    wchar_t title[QUICK_INSERT_TITLE_UNITS];
    // Owned; null when the line had no '|' (the item inserts nothing).
    wchar_t* insertText;
};

// The snippets of "QInsert.lst" and the pop-up menu built from them.
//
// The file is UTF-16 LE after a two-byte mark; each non-empty line is
// [tabs]title[|text]. Only the first '|' splits; a title "%SEPARATOR%" makes
// a separator; a line followed by a more indented one opens a submenu.
class CQuickInsertList : public CGrowArray<QuickInsertItem> {
public:
    // `popup` comes from the owner (CreatePopupMenu), who also destroys it.
    explicit CQuickInsertList(HMENU popup);
    ~CQuickInsertList();

    // Loads "QInsert.lst" from the program folder and builds the menu, once.
    // False when the file is missing or shorter than 4 bytes: the menu then
    // stays empty.
    bool LoadQuickInsert();
    bool LoadQuickInsertFrom(const wchar_t* fullPath);

    // Pops the menu up at the bottom-left (`left`) or bottom-right corner of
    // the screen; the chosen item arrives at `owner` as a WM_COMMAND.
    void ShowQuickInsert(bool left, HWND owner);

    // Expands item `index`'s macros and inserts the text into the edit
    // window: before the selection, or around it when the text holds the
    // caret mark "%!". True when the text changed (the document is then
    // modified); false for an index outside the list, an item without text,
    // an empty expansion, or a text the edit window has no room for (then
    // nothing goes in).
    bool InsertQuickText(int index, HWND edit);

    // Frees the insert texts and empties the list (the menu is the owner's).
    void Release();

    HMENU menu;

    CQuickInsertList(const CQuickInsertList&) = delete;
    CQuickInsertList& operator=(const CQuickInsertList&) = delete;

private:
    void AddLines(const wchar_t* buffer, int end);
    void BuildMenu();
};

#endif
