#include "dialogs/file_chooser.h"

#include "dialogs/chooser_actions.h"
#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_paths.h"
#include "dialogs/chooser_tables.h"
#include "resources/resource.h"
#include "shell/list_icons.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "storage/wide_text.h"
#include "widgets/enter_key.h"

ChooserState g_chooserState;

namespace {

// The starting folder comes from a copy of the caller's path: the path
// itself is replaced only by a confirmed choice, so a cancelled showing
// leaves the next one where this one started.
void TakeStartingFolder()
{
    ChooserState& s = g_chooserState;
    if (s.path[0]) {
        wchar_t start[MAX_PATH];
        CopyUnits(start, MAX_PATH, s.path);
        s.namePreset[0] = 0;
        wchar_t* slash = wcsrchr(start, L'\\');
        if (slash) {
            // A name longer than the preset is left out, not cut into another name.
            if (s.mode == CHOOSER_SAVE && wcslen(slash + 1) < (size_t)CHOOSER_PRESET_UNITS)
                CopyUnits(s.namePreset, CHOOSER_PRESET_UNITS, slash + 1);
            *slash = 0;
        }
        CopyUnits(s.folder, MAX_PATH, start);
        s.fromLastFolder = 0;
    } else {
        g_settings.GetString(L"LastFolder", s.folder, MAX_PATH, L"");
        s.fromLastFolder = 1;
    }
    // A folder without a drive (a bare name, a handheld's "\My Documents")
    // would make paths that are not full: such a start shows the drives.
    if (!IsFullFolder(s.folder))
        s.folder[0] = 0;
}

// A save starts with the document's encoding, or for a new document with
// the last one chosen; one that cannot be written leaves the previous
// showing's choice, else "ANSI", the first item.
void PresetSaveEncoding()
{
    ChooserState& s = g_chooserState;
    if (s.fromLastFolder)
        s.encoding = g_settings.GetInt(L"LastEncoding", 0);
    const wchar_t* name = SaveEncodingName(s.encoding);
    if (name)
        CopyUnits(s.encodingName, CHOOSER_ENCODING_NAME_UNITS, name);
    SelectExactItem(s.encodingBox, s.encodingName);
}

BOOL OnInitDialog(HWND dialog)
{
    ChooserState& s = g_chooserState;
    bool open = s.mode == CHOOSER_OPEN;
    InitChooserDialog(dialog);
    s.dialog = dialog;
    s.typeBox = GetDlgItem(dialog, IDC_CHOOSER_TYPE);
    s.encodingBox = GetDlgItem(dialog, IDC_CHOOSER_ENCODING);
    s.list = GetDlgItem(dialog, IDC_CHOOSER_LIST);

    FillTypeBox(s.typeBox, open);
    SendMessageW(s.typeBox, CB_SETCURSEL, 0, 0);
    FillEncodingBox(s.encodingBox, open);
    SendMessageW(s.encodingBox, CB_SETCURSEL, 0, 0);
    if (!open)
        PresetSaveEncoding();

    AddNameColumn(s.list, L"File name", s.icons);
    LetControlTakeEnter(s.list);
    FitChooserControls(dialog, s.list, false);
    if (open) {
        ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_LF), SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_BOM), SW_HIDE);
    }
    SetDlgItemTextW(dialog, IDC_CHOOSER_NAME, s.namePreset);
    CheckDlgButton(dialog, IDC_CHOOSER_BOM, BST_CHECKED);
    FillFolderList();
    g_lang.SetDialogItemText(dialog, IDCANCEL, L"cancel");
    // The list has the focus.
    return FALSE;
}

void OnCommand(HWND dialog, int id, int code)
{
    ChooserState& s = g_chooserState;
    switch (id) {
    case IDC_CHOOSER_TYPE:
        if (code == CBN_SELCHANGE)
            FillFolderList();
        break;
    case IDC_CHOOSER_NAME:
        if (code == EN_CHANGE)
            EnableWindow(GetDlgItem(dialog, IDOK),
                         GetWindowTextLengthW(GetDlgItem(dialog, IDC_CHOOSER_NAME)) > 0);
        break;
    case IDC_CHOOSER_ROOT:
        s.folder[0] = 0;
        FillFolderList();
        break;
    case IDOK:
        ConfirmChooser();
        break;
    case IDCANCEL:
        ReadChoiceBoxes(dialog, s.encodingBox, s.fileName, s.encodingName);
        EndDialog(dialog, IDCANCEL);
        break;
    default:
        break;
    }
}

void OnNotify(const NMHDR* header)
{
    if (header->hwndFrom != g_chooserState.list)
        return;
    switch (header->code) {
    case LVN_ITEMCHANGED:
    case NM_CLICK:
        PickChooserItem(false);
        break;
    case NM_DBLCLK:
    case NM_RETURN:
        PickChooserItem(true);
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK ChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        OnNotify((const NMHDR*)lParam);
        return TRUE;
    case WM_SIZE:
        FitChooserControls(dialog, g_chooserState.list, false);
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
    ChooserState& s = g_chooserState;
    s.dialog = nullptr;
    s.list = nullptr;
    s.typeBox = nullptr;
    s.encodingBox = nullptr;
}

}

bool ChooseFile(bool openMode)
{
    ChooserState& s = g_chooserState;
    s.mode = openMode ? CHOOSER_OPEN : CHOOSER_SAVE;
    ForgetHandles();
    s.flags = 0;
    s.icons = LoadListIcons();
    TakeStartingFolder();
    INT_PTR result = RunChooserTemplate(ChooserProc);
    // The list shares the icons (LVS_SHAREIMAGELISTS), so they are ours to free.
    if (s.icons)
        ImageList_Destroy(s.icons);
    s.icons = nullptr;
    ForgetHandles();
    return result == IDOK;
}
