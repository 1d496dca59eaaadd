#include "dialogs/settings_dialog.h"

#include "dialogs/advanced_settings.h"
#include "dialogs/dialog_template.h"
#include "dialogs/toolbar_actions.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/program_folder.h"
#include "storage/settings.h"
#include "storage/wide_text.h"

#include "app/app_state.h"

namespace {

// The four on/off options and the integer setting each one keeps.
struct OptionBox {
    int id;
    const wchar_t* setting;
};
const OptionBox kOptions[] = {
    { IDC_SET_LOAD_LAST, L"LoadLastFile" },
    { IDC_SET_CLOSE_BUTTON, L"CloseButton" },
    { IDC_SET_NEW_WINDOW, L"AddTabForDocs" },
    { IDC_SET_WM5_MENU, L"StandardMenuWM5" },
};

const DialogText kTexts[] = {
    { IDCANCEL, L"cancel" },
    { IDC_SET_LOAD_LAST, L"opt_llf" },
    { IDC_SET_CLOSE_BUTTON, L"opt_use_ok" },
    { IDC_SET_NEW_WINDOW, L"opt_wfd" },
    { IDC_SET_WM5_MENU, L"opt_mnu_wm5" },
    { IDC_SET_FONT_LABEL, L"opt_font" },
    { IDC_SET_TOOLBAR_LABEL, L"opt_tb" },
    { IDC_SET_ADVANCED, L"opt_adv" },
};

// One showing of the dialog.
struct SettingsDialog {
    // `ToolBarItems` as read at the start: the characters after the fifteen
    // the list shows are written back as they were read.
    wchar_t toolbarItems[TOOLBAR_ITEMS_UNITS];
};

const int kNameUnits = MAX_PATH;

// The template's box opens three rows high: its list reaches down to the
// dialog's bottom instead, tall enough to choose from many families.
void OpenFontListTall(HWND dialog, HWND box)
{
    RECT client, r;
    GetClientRect(dialog, &client);
    GetWindowRect(box, &r);
    MapWindowPoints(nullptr, dialog, (POINT*)&r, 2);
    if (client.bottom - r.top > r.bottom - r.top)
        SetWindowPos(box, nullptr, 0, 0, r.right - r.left, client.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FillFontBox(HWND box)
{
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    EnumFontFamiliesW(dc, nullptr, (FONTENUMPROCW)AddFontName, (LPARAM)box);
    ReleaseDC(desktop, dc);
}

// The names of the files Languages\*.lng beside the program, without
// their extension; the stored `Language` is selected when it is there.
void FillLanguageBox(HWND box)
{
    wchar_t language[kNameUnits] = L"";
    g_settings.GetString(L"Language", language, kNameUnits, L"Russian");
    wchar_t pattern[MAX_PATH];
    if (!GetProgramFolder(pattern, MAX_PATH) ||
        FAILED(StringCchCatW(pattern, MAX_PATH, L"Languages\\*.lng")))
        return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (wchar_t* dot = wcsrchr(found.cFileName, L'.'))
            *dot = 0;
        int index = (int)SendMessageW(box, CB_ADDSTRING, 0, (LPARAM)found.cFileName);
        if (index >= 0 && wcscmp(found.cFileName, language) == 0)
            SendMessageW(box, CB_SETCURSEL, index, 0);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void FillToolbarList(HWND dialog, SettingsDialog& settings)
{
    HWND list = GetDlgItem(dialog, IDC_SET_TOOLBAR);
    for (int action = 1; action <= TOOLBAR_ACTION_COUNT; ++action)
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)ToolbarActionText(action));
    ReadToolbarItems(settings.toolbarItems);
    for (int k = 0; k < TOOLBAR_ACTION_COUNT; ++k)
        SendMessageW(list, LB_SETSEL, settings.toolbarItems[k] == L'1', k);
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
}

BOOL OnInitDialog(HWND dialog, SettingsDialog& settings)
{
    for (const OptionBox& option : kOptions)
        CheckDlgButton(dialog, option.id,
                       g_settings.GetInt(option.setting, 0) ? BST_CHECKED : BST_UNCHECKED);
    wchar_t size[20];
    StringCchPrintfW(size, ARRAYSIZE(size), L"%u",
                     (unsigned)g_settings.GetInt(L"FontSize", IsVgaScreen() ? 22 : 14));
    SetDlgItemTextW(dialog, IDC_SET_FONT_SIZE, size);
    // A stored font or language that is not there leaves its box without a
    // selection, and OK then keeps the stored name: opening the settings and
    // pressing OK must never switch the font or the language by itself.
    FillFontBox(GetDlgItem(dialog, IDC_SET_FONT));
    OpenFontListTall(dialog, GetDlgItem(dialog, IDC_SET_FONT));
    FillToolbarList(dialog, settings);
    FillLanguageBox(GetDlgItem(dialog, IDC_SET_LANGUAGE));
    SetDialogTexts(dialog, kTexts);
    return TRUE;
}

// Stores the selected item of a drop-down box; nothing without one.
void StoreSelectedName(HWND dialog, int id, const wchar_t* setting)
{
    HWND box = GetDlgItem(dialog, id);
    int index = (int)SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (index < 0 || SendMessageW(box, CB_GETLBTEXTLEN, index, 0) >= kNameUnits)
        return;
    wchar_t name[kNameUnits];
    SendMessageW(box, CB_GETLBTEXT, index, (LPARAM)name);
    g_settings.SetString(setting, name);
}

void OnOk(HWND dialog, SettingsDialog& settings)
{
    for (const OptionBox& option : kOptions)
        g_settings.SetInt(option.setting, IsDlgButtonChecked(dialog, option.id) == BST_CHECKED);
    BOOL read = FALSE;
    UINT size = GetDlgItemInt(dialog, IDC_SET_FONT_SIZE, &read, FALSE);
    g_settings.SetInt(L"FontSize", read ? (int)size : 0);
    StoreSelectedName(dialog, IDC_SET_FONT, L"FontName");
    StoreSelectedName(dialog, IDC_SET_LANGUAGE, L"Language");
    HWND list = GetDlgItem(dialog, IDC_SET_TOOLBAR);
    for (int k = 0; k < TOOLBAR_ACTION_COUNT; ++k)
        settings.toolbarItems[k] = SendMessageW(list, LB_GETSEL, k, 0) > 0 ? L'1' : L'0';
    g_settings.SetString(L"ToolBarItems", settings.toolbarItems);
}

DialogEnd OnCommand(HWND dialog, SettingsDialog& settings, int id, int)
{
    switch (id) {
    case IDOK: OnOk(dialog, settings); return DIALOG_OK;
    case IDCANCEL: return DIALOG_CANCEL;
    case IDC_SET_ADVANCED: ShowAdvancedSettingsDialog(); return DIALOG_GOES_ON;
    default: return DIALOG_GOES_ON;
    }
}

const DialogHandlers<SettingsDialog> kHandlers = { OnInitDialog, OnCommand, nullptr, nullptr };

}

int CALLBACK AddFontName(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM box)
{
    // "@Name" is the family set on its side for vertical writing: as an
    // edit font it would lay every line sideways.
    if (font->lfFaceName[0] == L'@')
        return 1;
    // The platform names a family once for each of its character sets.
    if (SendMessageW((HWND)box, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)font->lfFaceName) >= 0)
        return 1;
    int index = (int)SendMessageW((HWND)box, CB_ADDSTRING, 0, (LPARAM)font->lfFaceName);
    wchar_t wanted[LF_FACESIZE] = L"";
    g_settings.GetString(L"FontName", wanted, LF_FACESIZE, L"");
    if (!wanted[0]) {
        LOGFONTW system;
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(system), &system);
        CopyUnits(wanted, system.lfFaceName);
    }
    if (index >= 0 && wcscmp(wanted, font->lfFaceName) == 0)
        SendMessageW((HWND)box, CB_SETCURSEL, index, 0);
    return 1;
}

bool ShowSettingsDialog()
{
    SettingsDialog settings = {};
    return RunDialogTemplate(IDD_SETTINGS, kHandlers, settings) == DIALOG_OK;
}
