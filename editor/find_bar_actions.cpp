#include "editor/find_bar_actions.h"

#include <new>
#include <strsafe.h>
#include <wchar.h>

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/document_replace.h"
#include "editor/document_search.h"
#include "platform/modal_stack.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/wide_text.h"
#include "widgets/pic_btn.h"

namespace {

const int REPORT_UNITS = 220;

bool ToggleOn(int control)
{
    for (CPicBtn* button : g_app.findButtons) {
        if (button && (int)button->controlId == control)
            return button->on != 0;
    }
    return false;
}

// The texts of the two boxes, read whole when an action starts.
struct BarTexts {
    wchar_t* find = nullptr;
    wchar_t* replacement = nullptr;
    ~BarTexts()
    {
        delete[] find;
        delete[] replacement;
    }
};

wchar_t* BoxText(int control)
{
    HWND box = GetDlgItem(g_app.findBar, control);
    int length = GetWindowTextLengthW(box);
    wchar_t* text = new (std::nothrow) wchar_t[length + 1];
    if (!text) {
        ShowOutOfMemory(g_app.mainWindow);
        return nullptr;
    }
    GetWindowTextW(box, text, length + 1);
    return text;
}

// False, and nothing to act on, when the find box is empty.
bool ReadBar(BarTexts* texts, bool withReplacement)
{
    if (!g_app.findBar || !CurrentDocument())
        return false;
    if (GetWindowTextLengthW(GetDlgItem(g_app.findBar, IDC_FIND_TEXT)) == 0)
        return false;
    texts->find = BoxText(IDC_FIND_TEXT);
    if (withReplacement)
        texts->replacement = BoxText(IDC_REPLACE_TEXT);
    return texts->find && texts->find[0] && (!withReplacement || texts->replacement);
}

bool IgnoreCase()
{
    return !ToggleOn(IDC_MATCH_CASE);
}

bool WholeWord()
{
    return ToggleOn(IDC_WHOLE_WORD);
}

}

void FindNext(bool forward, bool focusText)
{
    BarTexts texts;
    if (!ReadBar(&texts, false))
        return;
    FindInDocument(CurrentDocument(), texts.find, forward, IgnoreCase(), WholeWord(),
                   FIND_ASK_AGAIN, focusText);
}

void Replace(bool all, bool focusText)
{
    BarTexts texts;
    if (!ReadBar(&texts, true))
        return;
    CDocument* document = CurrentDocument();
    if (!all) {
        ReplaceSelectionIfMatch(document, texts.find, texts.replacement, IgnoreCase());
        FindInDocument(document, texts.find, true, IgnoreCase(), WholeWord(), FIND_ASK_AGAIN,
                       focusText);
        return;
    }
    int count = ReplaceAllInDocument(document, texts.find, texts.replacement, IgnoreCase(),
                                     WholeWord());
    if (count < 0)
        return;
    wchar_t report[REPORT_UNITS];
    FormatReplaceReport(count, report, REPORT_UNITS);
    ShowNotice(g_app.mainWindow, nullptr, report, MB_ICONINFORMATION);
}

void FormatReplaceReport(int count, wchar_t* out, int capacity)
{
    if (count == 0) {
        CopyUnits(out, capacity,
                  g_lang.Lookup(L"finish_repl_no", L"По вашему запросу ничего не найдено."));
        return;
    }
    const wchar_t* builtIn = L"Произведено %d замен(ы).";
    const wchar_t* text = g_lang.Lookup(L"finish_repl_cnt", builtIn);
    wchar_t number[16];
    StringCchPrintfW(number, ARRAYSIZE(number), L"%d", count);
    // The number replaces the "%d" as plain text: a translation is never
    // used as a format, so no other "%" in it can read or write anything.
    if (!wcsstr(text, L"%d") || wcslen(text) - 2 + wcslen(number) >= (size_t)capacity)
        text = builtIn;
    SubstituteFirst(text, L"%d", number, out, capacity);
}
