#include "dialogs/file_chooser.h"

#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_tables.h"
#include "lists/recent_files.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/wide_text.h"
#include "widgets/list_icons.h"

namespace {

// One showing of the recent chooser.
struct RecentChooser : ChooserDialog {
    ChooserResult* choice;
};

// Lists the recent files under the chosen type, after dropping vanished
// ones: in list order, most recent first; the item remembers its entry.
void FillRecentList(const RecentChooser& r)
{
    PruneRecent();
    SendMessageW(r.list, LVM_DELETEALLITEMS, 0, 0);
    EnableWindow(r.list, FALSE);
    const wchar_t* patterns = PatternsOfTypeBox(r.typeBox);
    for (int i = 0; i < g_recent.count; ++i) {
        const wchar_t* entry = g_recent.At(i);
        if (!MatchesPatterns(patterns, entry))
            continue;
        const wchar_t* slash = wcsrchr(entry, L'\\');
        AppendListItem(r.list, slash ? slash + 1 : entry, CHOOSER_FILE_IMAGE, i);
    }
    FitNameColumn(r.list);
    EnableWindow(r.list, TRUE);
}

// The recent-files entry behind the selected item, or null.
const wchar_t* SelectedEntry(const RecentChooser& r)
{
    int index = (int)SendMessageW(r.list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (index < 0)
        return nullptr;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageW(r.list, LVM_GETITEMW, 0, (LPARAM)&item))
        return nullptr;
    int entry = (int)item.lParam;
    return entry >= 0 && entry < g_recent.count ? g_recent.At(entry) : nullptr;
}

// The entry's name goes into the name box, its folder (with the
// backslash, whole: an entry is at most a path long) into the folder box.
void ShowEntry(HWND dialog, const wchar_t* entry)
{
    const wchar_t* slash = wcsrchr(entry, L'\\');
    wchar_t folder[MAX_PATH];
    CopyUnits(folder, MAX_PATH, entry, slash ? (int)(slash - entry) + 1 : 0);
    SetDlgItemTextW(dialog, IDC_CHOOSER_NAME, slash ? slash + 1 : entry);
    SetDlgItemTextW(dialog, IDC_CHOOSER_FOLDER, folder);
}

// True (the dialog ends with OK) with the entry and encoding chosen, or
// tells the user the file is not there and leaves the dialog open.
bool ConfirmRecent(const RecentChooser& r)
{
    wchar_t encodingName[CHOOSER_ENCODING_NAME_UNITS];
    GetWindowTextW(r.encodingBox, encodingName, CHOOSER_ENCODING_NAME_UNITS);
    const wchar_t* entry = SelectedEntry(r);
    DWORD attributes = entry && entry[0] ? GetFileAttributesW(entry) : INVALID_FILE_ATTRIBUTES;
    // The file may have gone since the list was filled.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowNoFile(r.dialog);
        return false;
    }
    CopyUnits(r.choice->path, MAX_PATH, entry);
    r.choice->encoding = EncodingOfName(encodingName, r.choice->encoding);
    return true;
}

BOOL OnInitDialog(HWND dialog, RecentChooser& r)
{
    InitChooserControls(dialog, r, true, L"Имя файла");
    SendMessageW(r.typeBox, CB_SETCURSEL, CHOOSER_TYPE_COUNT - 1, 0);   // "All files"
    FitChooserControls(dialog, r.list, true);
    ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_LF), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_BOM), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_ROOT), SW_HIDE);
    SendDlgItemMessageW(dialog, IDC_CHOOSER_NAME, EM_SETREADONLY, TRUE, 0);
    FillRecentList(r);
    return TRUE;
}

DialogEnd OnCommand(HWND, RecentChooser& r, int id, int code)
{
    switch (id) {
    case IDC_CHOOSER_TYPE:
        if (code == CBN_SELCHANGE)
            FillRecentList(r);
        return DIALOG_GOES_ON;
    case IDOK:
        return ConfirmRecent(r) ? DIALOG_OK : DIALOG_GOES_ON;
    case IDCANCEL:
        return DIALOG_CANCEL;
    default:
        return DIALOG_GOES_ON;
    }
}

// A tap shows the entry and enables OK; a double tap then acts as OK.
void OnNotify(HWND dialog, RecentChooser& r, const NMHDR* header)
{
    if (header->hwndFrom != r.list || (header->code != NM_CLICK && header->code != NM_DBLCLK))
        return;
    const wchar_t* entry = SelectedEntry(r);
    EnableWindow(GetDlgItem(dialog, IDOK), entry != nullptr);
    if (!entry)
        return;
    ShowEntry(dialog, entry);
    if (header->code == NM_DBLCLK)
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void OnSize(HWND dialog, RecentChooser& r)
{
    FitChooserControls(dialog, r.list, true);
}

const DialogHandlers<RecentChooser> kHandlers = { OnInitDialog, OnCommand, OnNotify, OnSize };

}

bool ChooseRecentFile(ChooserResult* choice)
{
    RecentChooser r;
    r.choice = choice;
    return RunChooser(kHandlers, r);
}
