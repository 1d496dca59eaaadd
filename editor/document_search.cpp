#include "editor/document_search.h"

#include <wchar.h>

#include "editor/document.h"
#include "editor/edit_subclass.h"
#include "editor/text_search.h"
#include "storage/notice.h"

namespace {

// The text the last search read. Stepping through the matches of a text
// that stays the same then reads the window's text once, not at every press.
struct SearchedText {
    const CDocument* document;
    HWND edit;
    DWORD version;
    wchar_t* text;
    int length;
    ~SearchedText() { delete[] text; }
};
SearchedText g_searched = {};

// Offset of the first match from `scanStart`, or -1; -1 also when the text
// could not be read.
int FindFrom(CDocument* document, const wchar_t* pattern, int patternLength, int scanStart,
             const SearchOptions& options)
{
    if (scanStart < 0)
        return -1;
    int length = 0;
    const wchar_t* text = TextToSearch(document, &length);
    if (!text)
        return -1;
    return FindMatch(text, length, pattern, patternLength, scanStart, options);
}

bool AskOrReport(CDocument* document, int mode)
{
    if (mode == FIND_ASK_AGAIN) {
        return ShowNotice(document->edit, L"no_find", L"Ничего не найдено. Повторить поиск заново?",
                          MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    if (mode == FIND_REPORT)
        ShowNotice(document->parent, L"no_find_match", L"Совпадений не найдено.", MB_ICONINFORMATION);
    return false;
}

}

wchar_t* CopyDocumentText(CDocument* document, int* length)
{
    *length = 0;
    wchar_t* text = document->CopyText(length);
    if (!text)
        ShowOutOfMemory(document->parent);
    return text;
}

const wchar_t* TextToSearch(CDocument* document, int* length)
{
    SearchedText& kept = g_searched;
    // The length is asked as well: it costs one message and catches a text
    // changed where no count was kept.
    if (kept.text && kept.document == document && kept.edit == document->edit &&
        kept.version == EditTextVersion() && kept.length == document->GetTextLength()) {
        *length = kept.length;
        return kept.text;
    }
    delete[] kept.text;
    kept.text = CopyDocumentText(document, length);
    kept.document = document;
    kept.edit = document->edit;
    kept.version = EditTextVersion();
    kept.length = *length;
    return kept.text;
}

int FindInDocument(CDocument* document, const wchar_t* pattern, bool forward, bool ignoreCase,
                   bool wholeWord, int mode, bool focusText)
{
    DWORD start = 0, end = 0;
    document->GetSelection(&start, &end);
    int scanStart = forward ? (int)end : (int)start - 1;
    int patternLength = (int)wcslen(pattern);
    SearchOptions options = { forward, ignoreCase, wholeWord };
    int found = FindFrom(document, pattern, patternLength, scanStart, options);
    if (found >= 0) {
        document->SetSelection(found, found + patternLength, true);
        if (focusText)
            SetFocus(document->edit);
        return 1;
    }
    if (!AskOrReport(document, mode))
        return 0;
    int restart = forward ? 0 : document->GetTextLength();
    document->SetSelection(restart, restart, true);
    return FindInDocument(document, pattern, forward, ignoreCase, wholeWord, FIND_REPORT,
                          focusText);
}
