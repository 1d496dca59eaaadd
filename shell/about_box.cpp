#include "shell/about_box.h"

#include "dialogs/dialog_template.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/wide_text.h"

namespace {

// The site whose readers tested the program.
const wchar_t kTestersSite[] = L"pocketpc.example.org";

BOOL OnInitDialog(HWND dialog, NoDialogState&)
{
    // The site name replaces the text's "%s" as text: a translation can
    // neither overflow the buffer nor make the format read anything else.
    wchar_t thanks[600];
    SubstituteFirst(g_lang.Lookup(L"abt_thx_tst", L"Спасибо за помощь в тестировании, %s"),
                    L"%s", kTestersSite, thanks, ARRAYSIZE(thanks));
    SetDlgItemTextW(dialog, IDC_ABOUT_THANKS, thanks);
    g_lang.SetDialogItemText(dialog, IDC_ABOUT_TRANSLATOR, L"abt_lng_author");
    return TRUE;
}

// Only the caption's OK closes the box (and WM_CLOSE).
DialogEnd OnCommand(HWND, NoDialogState&, int id, int)
{
    return id == IDOK ? DIALOG_OK : DIALOG_GOES_ON;
}

const DialogHandlers<NoDialogState> kHandlers = { OnInitDialog, OnCommand, nullptr, nullptr };

}

void ShowAboutBox()
{
    RunDialogTemplate(IDD_ABOUT, kHandlers);
}
