#include "dialogs/file_chooser.h"

#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_tables.h"
#include "lists/recent_files.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/wide_text.h"
#include "widgets/list_icons.h"

RecentChoice g_recentChoice;

namespace {

// The recent-files entry behind the selected item, or null.
const wchar_t* SelectedEntry()
{
    int index = (int)SendMessageW(g_recentChoice.list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (index < 0)
        return nullptr;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageW(g_recentChoice.list, LVM_GETITEMW, 0, (LPARAM)&item))
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

void ConfirmRecent(HWND dialog)
{
    RecentChoice& r = g_recentChoice;
    ReadChoiceBoxes(dialog, r.encodingBox, r.fileName, r.encodingName);
    const wchar_t* entry = SelectedEntry();
    DWORD attributes = entry && entry[0] ? GetFileAttributesW(entry) : INVALID_FILE_ATTRIBUTES;
    // The file may have gone since the list was filled.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowNoFile(dialog);
        return;
    }
    CopyUnits(r.path, MAX_PATH, entry);
    r.encoding = EncodingOfName(r.encodingName, r.encoding);
    EndDialog(dialog, IDOK);
}

void OnListTap(HWND dialog, bool activate)
{
    const wchar_t* entry = SelectedEntry();
    EnableWindow(GetDlgItem(dialog, IDOK), entry != nullptr);
    if (!entry)
        return;
    ShowEntry(dialog, entry);
    if (activate)
        ConfirmRecent(dialog);
}

BOOL OnInitDialog(HWND dialog)
{
    RecentChoice& r = g_recentChoice;
    InitChooserDialog(dialog);
    r.dialog = dialog;
    r.typeBox = GetDlgItem(dialog, IDC_CHOOSER_TYPE);
    r.encodingBox = GetDlgItem(dialog, IDC_CHOOSER_ENCODING);
    r.list = GetDlgItem(dialog, IDC_CHOOSER_LIST);

    FillTypeBox(r.typeBox, true);
    SendMessageW(r.typeBox, CB_SETCURSEL, CHOOSER_TYPE_COUNT - 1, 0);   // "All files"
    FillEncodingBox(r.encodingBox, true);
    SendMessageW(r.encodingBox, CB_SETCURSEL, 0, 0);                     // "(Auto)"
    AddNameColumn(r.list, L"Имя файла", r.icons);
    FitChooserControls(dialog, r.list, true);
    ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_LF), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_BOM), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_ROOT), SW_HIDE);
    SendDlgItemMessageW(dialog, IDC_CHOOSER_NAME, EM_SETREADONLY, TRUE, 0);
    FillRecentList();
    g_lang.SetDialogItemText(dialog, IDCANCEL, L"cancel");
    return TRUE;
}

void OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_CHOOSER_TYPE:
        if (code == CBN_SELCHANGE)
            FillRecentList();
        break;
    case IDOK:
        ConfirmRecent(dialog);
        break;
    case IDCANCEL:
        ReadChoiceBoxes(dialog, g_recentChoice.encodingBox, g_recentChoice.fileName,
                        g_recentChoice.encodingName);
        EndDialog(dialog, IDCANCEL);
        break;
    default:
        break;
    }
}

void OnNotify(HWND dialog, const NMHDR* header)
{
    if (header->hwndFrom != g_recentChoice.list)
        return;
    if (header->code == NM_CLICK)
        OnListTap(dialog, false);
    else if (header->code == NM_DBLCLK)
        OnListTap(dialog, true);
}

INT_PTR CALLBACK RecentProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        OnNotify(dialog, (const NMHDR*)lParam);
        return TRUE;
    case WM_SIZE:
        FitChooserControls(dialog, g_recentChoice.list, true);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 16);
        return TRUE;
    default:
        return FALSE;
    }
}

void ForgetHandles()
{
    RecentChoice& r = g_recentChoice;
    r.dialog = nullptr;
    r.list = nullptr;
    r.typeBox = nullptr;
    r.encodingBox = nullptr;
}

}

void FillRecentList()
{
    RecentChoice& r = g_recentChoice;
    PruneRecent();
    SendMessageW(r.list, LVM_DELETEALLITEMS, 0, 0);
    EnableWindow(r.list, FALSE);
    const wchar_t* patterns = PatternsOfTypeBox(r.typeBox);
    // In list order, most recent first; the item remembers its entry.
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

bool ChooseRecentFile()
{
    RecentChoice& r = g_recentChoice;
    ForgetHandles();
    r.icons = LoadListIcons();
    INT_PTR result = RunChooserTemplate(RecentProc);
    if (r.icons)
        ImageList_Destroy(r.icons);
    r.icons = nullptr;
    ForgetHandles();
    return result == IDOK;
}
