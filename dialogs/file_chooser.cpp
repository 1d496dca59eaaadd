#include "dialogs/file_chooser.h"

#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_paths.h"
#include "dialogs/chooser_tables.h"
#include "resources/resource.h"
#include "storage/device_names.h"
#include "storage/encodings.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/settings.h"
#include "storage/wide_text.h"
#include "widgets/enter_key.h"
#include "widgets/list_icons.h"

ChooserMemory g_chooserMemory;

namespace {

// The text of the item that goes up one folder.
const wchar_t kUpItem[] = L" .. ";

// One showing of the open/save chooser.
struct FileChooser : ChooserDialog {
    bool open;
    bool fromLastFolder;       // the starting folder came from `LastFolder`
    int encoding;              // what an unknown encoding box text leaves
    // The folder shown, without a trailing backslash; empty is the root,
    // which lists the drives.
    wchar_t folder[MAX_PATH];
    // Names found in the folder shown.
    CChooserNameList folderEntries;
    CChooserNameList fileEntries;
    ChooserResult* choice;
};

// The starting folder comes from a copy of the remembered path: that is
// replaced only by the next path given or chosen, so a cancelled showing
// leaves the next one where this one started.
void TakeStartingFolder(FileChooser& s)
{
    ChooserMemory& m = g_chooserMemory;
    if (!s.open || s.choice->path[0])
        CopyUnits(m.path, MAX_PATH, s.choice->path);
    if (m.path[0]) {
        wchar_t start[MAX_PATH];
        CopyUnits(start, MAX_PATH, m.path);
        m.namePreset[0] = 0;
        wchar_t* slash = wcsrchr(start, L'\\');
        if (slash) {
            // A name longer than the preset is left out, not cut into another name.
            if (!s.open && wcslen(slash + 1) < (size_t)CHOOSER_PRESET_UNITS)
                CopyUnits(m.namePreset, CHOOSER_PRESET_UNITS, slash + 1);
            *slash = 0;
        }
        CopyUnits(s.folder, MAX_PATH, start);
        s.fromLastFolder = false;
    } else {
        g_settings.GetString(L"LastFolder", s.folder, MAX_PATH, L"");
        s.fromLastFolder = true;
    }
    // A folder without a drive (a bare name, a handheld's "\My Documents")
    // would make paths that are not full: such a start shows the drives.
    if (!IsFullFolder(s.folder))
        s.folder[0] = 0;
}

// A save starts with the document's encoding, or for a new document with
// the last one chosen; one that cannot be written leaves the previous
// showing's choice, else "ANSI", the first item.
void PresetSaveEncoding(FileChooser& s)
{
    ChooserMemory& m = g_chooserMemory;
    if (s.fromLastFolder)
        s.encoding = g_settings.GetInt(L"LastEncoding", 0);
    const wchar_t* name = SaveEncodingName(s.encoding);
    if (name)
        CopyUnits(m.encodingName, CHOOSER_ENCODING_NAME_UNITS, name);
    SelectExactItem(s.encodingBox, m.encodingName);
}

// The desktop lists a folder's "." and ".." entries; the handheld has none,
// and going up is the " .. " item's job.
bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// Sub-folders always; files when the pattern list takes them. Hidden and
// system entries are listed like any other.
void CollectEntries(FileChooser& s, const wchar_t* patterns)
{
    wchar_t search[MAX_PATH];
    if (FAILED(StringCchPrintfW(search, MAX_PATH, L"%s\\*", s.folder)))
        return;
    WIN32_FIND_DATAW found;
    HANDLE enumeration = FindFirstFileW(search, &found);
    if (enumeration == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsDotEntry(found.cFileName))
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            s.folderEntries.AppendText(found.cFileName);
        else if (MatchesPatterns(patterns, found.cFileName))
            s.fileEntries.AppendText(found.cFileName);
    } while (FindNextFileW(enumeration, &found));
    FindClose(enumeration);
}

// Lists the current folder under the chosen type: " .. " (but at the
// root), the folders, then the files, each run sorted.
void FillFolderList(FileChooser& s)
{
    SendMessageW(s.list, LVM_DELETEALLITEMS, 0, 0);
    EnableWindow(s.list, FALSE);
    bool atRoot = s.folder[0] == 0;

    const wchar_t* patterns = PatternsOfTypeBox(s.typeBox);
    wchar_t shown[MAX_PATH + 1];
    StringCchPrintfW(shown, MAX_PATH + 1, L"%s\\", s.folder);
    SetDlgItemTextW(s.dialog, IDC_CHOOSER_FOLDER, shown);

    s.folderEntries.Clear();
    s.fileEntries.Clear();
    if (atRoot)
        ListDrives(s.folderEntries);
    else
        CollectEntries(s, patterns);
    s.folderEntries.Sort(CompareNoCase);
    s.fileEntries.Sort(CompareNoCase);

    int total = s.folderEntries.count + s.fileEntries.count + (atRoot ? 0 : 1);
    SendMessageW(s.list, LVM_SETITEMCOUNT, total, 0);
    if (!atRoot)
        AppendListItem(s.list, kUpItem, CHOOSER_FOLDER_IMAGE, 0);
    for (int i = 0; i < s.folderEntries.count; ++i)
        AppendListItem(s.list, s.folderEntries.At(i), CHOOSER_FOLDER_IMAGE, 0);
    for (int i = 0; i < s.fileEntries.count; ++i)
        AppendListItem(s.list, s.fileEntries.At(i), CHOOSER_FILE_IMAGE, 0);

    FitNameColumn(s.list);
    EnableWindow(s.list, TRUE);
    SetFocus(s.list);
}

DWORD ChosenFlags(HWND dialog)
{
    DWORD flags = 0;
    if (IsDlgButtonChecked(dialog, IDC_CHOOSER_BOM) == BST_CHECKED)
        flags |= CODEC_BOM;
    if (IsDlgButtonChecked(dialog, IDC_CHOOSER_LF) == BST_CHECKED)
        flags |= CODEC_BARE_LF;
    return flags;
}

// The full path the name box names, with the type's extension when saving.
// False when there is none: the root (a list of drives) holds no files, a
// name may not hold units no file name can nor name a device, and a path is
// never cut.
// A name of spaces only would be saved as "   .txt": no name at all.
bool IsBlankName(const wchar_t* name)
{
    while (*name == L' ')
        ++name;
    return *name == 0;
}

bool ComposeChosenPath(const FileChooser& s, const wchar_t* fileName, bool nameFits,
                       wchar_t* chosen)
{
    if (!nameFits || IsBlankName(fileName) || !IsTypableName(fileName) ||
        HoldsDeviceName(fileName))
        return false;
    wchar_t typeName[CHOOSER_TYPE_NAME_UNITS];
    ReadTypeName(s.typeBox, typeName);
    const wchar_t* extension = s.open ? L"" : DefaultExtension(typeName, fileName);
    return JoinChooserPath(chosen, MAX_PATH, s.folder, fileName, extension);
}

// Opening wants an existing file; saving over anything that exists, a
// folder included, must be agreed to.
bool MayTake(const FileChooser& s, const wchar_t* chosen)
{
    DWORD attributes = ChooserAttributes(chosen);
    if (s.open) {
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
        ShowNoFile(s.dialog);
        return false;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    return ShowNotice(s.dialog, L"ask_rewrite",
                      L"Указанный файл уже существует! Перезаписать его?",
                      MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Reads the name box into `fileName` (MAX_PATH units) and the encoding box's
// text into the remembered name. False when the name box holds more than
// `fileName` can: the copy is then cut.
bool ReadChoiceBoxes(const FileChooser& s, wchar_t* fileName)
{
    HWND nameBox = GetDlgItem(s.dialog, IDC_CHOOSER_NAME);
    bool fits = GetWindowTextLengthW(nameBox) < MAX_PATH;
    GetWindowTextW(nameBox, fileName, MAX_PATH);
    GetWindowTextW(s.encodingBox, g_chooserMemory.encodingName, CHOOSER_ENCODING_NAME_UNITS);
    return fits;
}

// Checks the name and answers true (the dialog ends with OK) with the
// choice made, or tells the user why not and leaves the dialog open.
bool ConfirmChooser(FileChooser& s)
{
    ChooserMemory& m = g_chooserMemory;
    wchar_t fileName[MAX_PATH];
    bool nameFits = ReadChoiceBoxes(s, fileName);
    // OK is disabled while the name box is empty, but the caption's "OK"
    // still sends it; it must not take the folder itself for the file.
    if (!fileName[0])
        return false;
    wchar_t chosen[MAX_PATH];
    if (!ComposeChosenPath(s, fileName, nameFits, chosen)) {
        if (s.open)
            ShowNoFile(s.dialog);
        else
            ShowNotice(s.dialog, L"err_bad_name", L"Недопустимое имя файла!", MB_ICONSTOP);
        return false;
    }
    if (!MayTake(s, chosen))
        return false;
    ChooserResult& choice = *s.choice;
    choice.encoding = EncodingOfName(m.encodingName, s.encoding);
    choice.flags = ChosenFlags(s.dialog);
    CopyUnits(choice.path, MAX_PATH, chosen);
    CopyUnits(m.path, MAX_PATH, chosen);
    CopyUnits(s.folder, MAX_PATH, chosen);
    CutAtLastBackslash(s.folder);
    g_settings.SetString(L"LastFolder", s.folder);
    g_settings.SetInt(L"LastEncoding", choice.encoding);
    return true;
}

// A tap on an item fills the name box with a file's name; an activation
// (double tap, Enter) enters a folder (or goes up with " .. ") or acts as
// OK on a file.
void PickChooserItem(FileChooser& s, bool activate)
{
    wchar_t text[MAX_PATH];
    if (SelectedListItem(s.list, text, MAX_PATH) < 0)
        return;
    if (wcscmp(text, kUpItem) == 0) {
        if (activate) {
            CutAtLastBackslash(s.folder);
            FillFolderList(s);
        }
        return;
    }
    wchar_t candidate[MAX_PATH];
    if (!JoinChooserPath(candidate, MAX_PATH, s.folder, text, L""))
        return;
    DWORD attributes = ChooserAttributes(candidate);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (activate) {
            CopyUnits(s.folder, MAX_PATH, candidate);
            FillFolderList(s);
        }
        return;
    }
    SetDlgItemTextW(s.dialog, IDC_CHOOSER_NAME, text);
    EnableWindow(GetDlgItem(s.dialog, IDOK), TRUE);
    if (activate)
        SendMessageW(s.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

BOOL OnInitDialog(HWND dialog, FileChooser& s)
{
    InitChooserControls(dialog, s, s.open, L"File name");
    SendMessageW(s.typeBox, CB_SETCURSEL, 0, 0);
    if (!s.open)
        PresetSaveEncoding(s);

    LetControlTakeEnter(s.list);
    FitChooserControls(dialog, s.list, false);
    if (s.open) {
        ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_LF), SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_CHOOSER_BOM), SW_HIDE);
    }
    SetDlgItemTextW(dialog, IDC_CHOOSER_NAME, g_chooserMemory.namePreset);
    CheckDlgButton(dialog, IDC_CHOOSER_BOM, BST_CHECKED);
    FillFolderList(s);
    // The list has the focus.
    return FALSE;
}

DialogEnd OnCommand(HWND dialog, FileChooser& s, int id, int code)
{
    switch (id) {
    case IDC_CHOOSER_TYPE:
        if (code == CBN_SELCHANGE)
            FillFolderList(s);
        return DIALOG_GOES_ON;
    case IDC_CHOOSER_NAME:
        if (code == EN_CHANGE)
            EnableWindow(GetDlgItem(dialog, IDOK),
                         GetWindowTextLengthW(GetDlgItem(dialog, IDC_CHOOSER_NAME)) > 0);
        return DIALOG_GOES_ON;
    case IDC_CHOOSER_ROOT:
        s.folder[0] = 0;
        FillFolderList(s);
        return DIALOG_GOES_ON;
    case IDOK:
        return ConfirmChooser(s) ? DIALOG_OK : DIALOG_GOES_ON;
    case IDCANCEL:
        GetWindowTextW(s.encodingBox, g_chooserMemory.encodingName, CHOOSER_ENCODING_NAME_UNITS);
        return DIALOG_CANCEL;
    default:
        return DIALOG_GOES_ON;
    }
}

void OnNotify(HWND, FileChooser& s, const NMHDR* header)
{
    if (header->hwndFrom != s.list)
        return;
    switch (header->code) {
    case LVN_ITEMCHANGED:
    case NM_CLICK:
        PickChooserItem(s, false);
        break;
    case NM_DBLCLK:
    case NM_RETURN:
        PickChooserItem(s, true);
        break;
    default:
        break;
    }
}

void OnSize(HWND dialog, FileChooser& s)
{
    FitChooserControls(dialog, s.list, false);
}

const DialogHandlers<FileChooser> kHandlers = { OnInitDialog, OnCommand, OnNotify, OnSize };

}

bool ChooseFile(bool openMode, ChooserResult* choice)
{
    FileChooser s;
    s.open = openMode;
    s.encoding = choice->encoding;
    s.choice = choice;
    TakeStartingFolder(s);
    return RunChooser(kHandlers, s);
}
