#include "platform/pocketpc.h"

#include "dialogs/chooser_actions.h"
#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_paths.h"
#include "dialogs/chooser_tables.h"
#include "dialogs/file_chooser.h"
#include "resources/resource.h"
#include "storage/encodings.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "storage/wide_text.h"

const wchar_t kUpItem[] = L" .. ";

namespace {

void EnterFolder(const wchar_t* folder)
{
    CopyUnits(g_chooserState.folder, MAX_PATH, folder);
    FillFolderList();
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

// A name of spaces only would be saved as "   .txt": no name at all.
bool IsBlankName(const wchar_t* name)
{
    while (*name == L' ')
        ++name;
    return *name == 0;
}

// The full path the name box names, with the type's extension when saving.
// False when there is none: the root (a list of drives) holds no files, a
// name may not hold units no file name can nor name a device, and a path is
// never cut.
bool ComposeChosenPath(const ChooserState& s, bool nameFits, wchar_t* chosen)
{
    if (!nameFits || IsBlankName(s.fileName) || !IsTypableName(s.fileName) ||
        HoldsDeviceName(s.fileName))
        return false;
    wchar_t typeName[CHOOSER_TYPE_NAME_UNITS];
    ReadTypeName(s.typeBox, typeName);
    const wchar_t* extension =
        s.mode == CHOOSER_SAVE ? DefaultExtension(typeName, s.fileName) : L"";
    return JoinChooserPath(chosen, MAX_PATH, s.folder, s.fileName, extension);
}

// Opening wants an existing file; saving over anything that exists, a
// folder included, must be agreed to.
bool MayTake(const ChooserState& s, const wchar_t* chosen)
{
    DWORD attributes = ChooserAttributes(chosen);
    if (s.mode == CHOOSER_OPEN) {
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

}

void PickChooserItem(bool activate)
{
    ChooserState& s = g_chooserState;
    wchar_t text[MAX_PATH];
    if (SelectedListItem(s.list, text, MAX_PATH) < 0)
        return;
    if (wcscmp(text, kUpItem) == 0) {
        if (activate) {
            CutAtLastBackslash(s.folder);
            FillFolderList();
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
        if (activate)
            EnterFolder(candidate);
        return;
    }
    SetDlgItemTextW(s.dialog, IDC_CHOOSER_NAME, text);
    EnableWindow(GetDlgItem(s.dialog, IDOK), TRUE);
    if (activate)
        ConfirmChooser();
}

void ConfirmChooser()
{
    ChooserState& s = g_chooserState;
    bool nameFits = ReadChoiceBoxes(s.dialog, s.encodingBox, s.fileName, s.encodingName);
    // OK is disabled while the name box is empty, but the caption's "OK"
    // still sends it; it must not take the folder itself for the file.
    if (!s.fileName[0])
        return;
    wchar_t chosen[MAX_PATH];
    if (!ComposeChosenPath(s, nameFits, chosen)) {
        if (s.mode == CHOOSER_OPEN)
            ShowNoFile(s.dialog);
        else
            ShowNotice(s.dialog, L"err_bad_name", L"Недопустимое имя файла!", MB_ICONSTOP);
        return;
    }
    if (!MayTake(s, chosen))
        return;
    s.encoding = EncodingOfName(s.encodingName, s.encoding);
    s.flags = ChosenFlags(s.dialog);
    CopyUnits(s.path, MAX_PATH, chosen);
    CopyUnits(s.folder, MAX_PATH, chosen);
    CutAtLastBackslash(s.folder);
    g_settings.SetString(L"LastFolder", s.folder);
    g_settings.SetInt(L"LastEncoding", s.encoding);
    EndDialog(s.dialog, IDOK);
}
