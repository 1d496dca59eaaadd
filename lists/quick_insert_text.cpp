#include "lists/quick_insert.h"

#include "lists/text_macros.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"

namespace {

void ReplaceSelectionAt(HWND edit, int position, const wchar_t* text)
{
    SendMessageW(edit, EM_SETSEL, (WPARAM)position, (LPARAM)position);
    SendMessageW(edit, EM_REPLACESEL, TRUE, (LPARAM)text);
}

}

bool CQuickInsertList::InsertQuickText(int index, HWND edit)
{
    if (index < 0 || index >= count || !items[index].insertText)
        return false;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t* text = ExpandMacros(items[index].insertText, now);
    if (!text) {
        ShowOutOfMemory(GetAncestor(edit, GA_ROOT));
        return false;
    }

    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    wchar_t* mark = wcsstr(text, L"%!");
    // All or nothing: an edit window at its limit would take only the start
    // of the text, or the opening half of a pair.
    int before = GetWindowTextLengthW(edit);
    int room = (int)SendMessageW(edit, EM_GETLIMITTEXT, 0, 0) - before;
    if ((int)wcslen(text) - (mark ? 2 : 0) > room) {
        delete[] text;
        return false;
    }
    if (mark) {
        // The selection stays where it is, between the text before the first
        // mark and the text after it; the caret ends right after it. Later
        // marks are plain text.
        int first = (int)start == -1 ? 0 : (int)start;
        int last = (int)end == -1 ? 0 : (int)end;
        *mark = 0;
        ReplaceSelectionAt(edit, first, text);
        int after = last + (int)(mark - text);
        ReplaceSelectionAt(edit, after, mark + 2);
        SendMessageW(edit, EM_SETSEL, (WPARAM)after, (LPARAM)after);
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    } else {
        // Goes in before the selection without replacing it.
        ReplaceSelectionAt(edit, (int)start, text);
    }
    delete[] text;
    return GetWindowTextLengthW(edit) != before;
}
