#include "editor/document_replace.h"

#include <wchar.h>

#include "editor/document.h"
#include "editor/document_search.h"
#include "editor/text_replace.h"
#include "storage/notice.h"

namespace {

// The new text goes in whole: a limit below its length would cut it.
void MakeRoomFor(CDocument* document, int length)
{
    if (document->SendToEdit(EM_GETLIMITTEXT, 0, 0) < length)
        document->SendToEdit(EM_SETLIMITTEXT, length, 0);
}

}

bool ReplaceSelectionIfMatch(CDocument* document, const wchar_t* find, const wchar_t* replacement,
                             bool ignoreCase)
{
    DWORD start = 0, end = 0;
    document->GetSelection(&start, &end);
    int findLength = (int)wcslen(find);
    if (start == end || start == (DWORD)-1 || (int)(end - start) != findLength)
        return false;
    int length = 0;
    const wchar_t* text = TextToSearch(document, &length);
    if (!text)
        return false;
    bool same = (int)end <= length && UnitsEqual(text + start, find, findLength, ignoreCase);
    if (!same)
        return false;
    MakeRoomFor(document, length - findLength + (int)wcslen(replacement));
    document->SendToEdit(EM_REPLACESEL, TRUE, (LPARAM)replacement);
    document->SetModified(true);
    return true;
}

int ReplaceAllInDocument(CDocument* document, const wchar_t* find, const wchar_t* replacement,
                         bool ignoreCase, bool wholeWord)
{
    int length = 0;
    wchar_t* text = CopyDocumentText(document, &length);
    if (!text)
        return -1;
    ReplacedText result;
    bool made = ReplaceMatches(text, length, find, (int)wcslen(find), replacement,
                               (int)wcslen(replacement), ignoreCase, wholeWord, &result);
    delete[] text;
    if (!made) {
        ShowOutOfMemory(document->parent);
        return -1;
    }
    // One replacement of the whole text: one repaint, and one Undo brings
    // back the text as it was before.
    if (result.count > 0) {
        MakeRoomFor(document, result.length);
        document->SetSelection(0, -1, false);
        ReplaceEditSelection(document->edit, result.text, TRUE);
        document->SetSelection(result.caret, result.caret, true);
        SetFocus(document->edit);
    } else {
        document->SetSelection(0, 0, false);
    }
    document->SetModified(true);
    delete[] result.text;
    return result.count;
}
