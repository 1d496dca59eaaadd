#include "dialogs/chooser_controls.h"

#include "app/app_state.h"
#include "dialogs/chooser_tables.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "widgets/list_icons.h"

namespace {

// Keeps the top-left corner; the right and bottom edges move to 4 pixels
// (and the right one as far again as the left margin) from the dialog's.
void Stretch(HWND dialog, HWND control, bool keepHeight)
{
    RECT client;
    RECT box;
    GetClientRect(dialog, &client);
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, dialog, (POINT*)&box, 2);
    int width = client.right - 2 * box.left - 4;
    int height = keepHeight ? box.bottom - box.top : client.bottom - box.top - 4;
    MoveWindow(control, box.left, box.top, width > 0 ? width : 0, height > 0 ? height : 0, TRUE);
}

}

void BeginChooser(ChooserDialog& controls)
{
    controls = ChooserDialog();
    controls.icons = LoadListIcons();
}

void EndChooser(ChooserDialog& controls)
{
    // The list shares the icons (LVS_SHAREIMAGELISTS), so they are ours to free.
    if (controls.icons)
        ImageList_Destroy(controls.icons);
    controls = ChooserDialog();
}

void InitChooserControls(HWND dialog, ChooserDialog& state, bool withOpenOnly,
                         const wchar_t* columnTitle)
{
    state.dialog = dialog;
    state.typeBox = GetDlgItem(dialog, IDC_CHOOSER_TYPE);
    state.encodingBox = GetDlgItem(dialog, IDC_CHOOSER_ENCODING);
    state.list = GetDlgItem(dialog, IDC_CHOOSER_LIST);
    for (const ChooserTypeItem& type : kChooserTypes) {
        if (withOpenOnly || !type.openOnly)
            SendMessageW(state.typeBox, CB_ADDSTRING, 0, (LPARAM)type.name);
    }
    for (const ChooserEncodingItem& encoding : kChooserEncodings) {
        if (withOpenOnly || !encoding.openOnly)
            SendMessageW(state.encodingBox, CB_ADDSTRING, 0, (LPARAM)encoding.name);
    }
    SendMessageW(state.encodingBox, CB_SETCURSEL, 0, 0);

    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = (LPWSTR)columnTitle;
    SendMessageW(state.list, LVM_INSERTCOLUMNW, 0, (LPARAM)&column);
    FitNameColumn(state.list);
    SendMessageW(state.list, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)state.icons);
    g_lang.SetDialogItemText(dialog, IDCANCEL, L"cancel");
}

void ReadTypeName(HWND box, wchar_t* name)
{
    GetWindowTextW(box, name, CHOOSER_TYPE_NAME_UNITS);
}

const wchar_t* PatternsOfTypeBox(HWND box)
{
    wchar_t name[CHOOSER_TYPE_NAME_UNITS];
    ReadTypeName(box, name);
    return PatternsOfType(name);
}

bool SelectExactItem(HWND box, const wchar_t* text)
{
    int count = (int)SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t item[CHOOSER_ENCODING_NAME_UNITS];
        if (SendMessageW(box, CB_GETLBTEXTLEN, i, 0) >= CHOOSER_ENCODING_NAME_UNITS)
            continue;
        SendMessageW(box, CB_GETLBTEXT, i, (LPARAM)item);
        if (wcscmp(item, text) == 0) {
            SendMessageW(box, CB_SETCURSEL, i, 0);
            return true;
        }
    }
    return false;
}

int AppendListItem(HWND list, const wchar_t* text, int image, LPARAM data)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = (int)SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    item.pszText = (LPWSTR)text;
    item.iImage = image;
    item.lParam = data;
    return (int)SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
}

int SelectedListItem(HWND list, wchar_t* text, int capacity)
{
    int index = (int)SendMessageW(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (index < 0)
        return -1;
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = capacity;
    text[0] = 0;
    SendMessageW(list, LVM_GETITEMTEXTW, index, (LPARAM)&item);
    return index;
}

void FitNameColumn(HWND list)
{
    RECT client;
    GetClientRect(list, &client);
    int width = client.right - 2;
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width > 0 ? width : 0, 0));
}

void FitChooserControls(HWND dialog, HWND list, bool recentMode)
{
    if (!dialog || !list)
        return;
    Stretch(dialog, list, false);
    FitNameColumn(list);
    // Without the backslash button the folder box takes its room.
    if (recentMode)
        Stretch(dialog, GetDlgItem(dialog, IDC_CHOOSER_FOLDER), true);
}

void ShowNoFile(HWND dialog)
{
    ShowNotice(dialog, L"no_file", L"Указан не существующий файл!", MB_OK | MB_ICONSTOP);
    // The name is what is wrong: the keys go to it, ready to be corrected.
    HWND name = GetDlgItem(dialog, IDC_CHOOSER_NAME);
    SendMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)name, TRUE);
    SendMessageW(name, EM_SETSEL, 0, -1);
}
