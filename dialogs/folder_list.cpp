#include "dialogs/file_chooser.h"

#include "dialogs/chooser_actions.h"
#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_paths.h"
#include "dialogs/chooser_tables.h"
#include "resources/resource.h"

namespace {

// The desktop lists a folder's "." and ".." entries; the handheld has none,
// and going up is the " .. " item's job.
bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// Sub-folders always; files when the pattern list takes them. Hidden and
// system entries are listed like any other.
void CollectEntries(ChooserState& s, const wchar_t* patterns)
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

void ShowFolder(const ChooserState& s)
{
    wchar_t shown[MAX_PATH + 1];
    StringCchPrintfW(shown, MAX_PATH + 1, L"%s\\", s.folder);
    SetDlgItemTextW(s.dialog, IDC_CHOOSER_FOLDER, shown);
}

}

void FillFolderList()
{
    ChooserState& s = g_chooserState;
    SendMessageW(s.list, LVM_DELETEALLITEMS, 0, 0);
    EnableWindow(s.list, FALSE);
    bool atRoot = s.folder[0] == 0;

    const wchar_t* patterns = PatternsOfTypeBox(s.typeBox);
    ShowFolder(s);

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
