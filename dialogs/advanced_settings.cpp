#include "dialogs/advanced_settings.h"

#include "app/hardware_buttons.h"
#include "dialogs/dialog_template.h"
#include "dialogs/file_associations.h"
#include "dialogs/hardware_key_table.h"
#include "dialogs/toolbar_actions.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"

namespace {

// The association boxes, IDC_ADV_TXT onwards.
const wchar_t* const kExtensions[] = {
    L".txt", L".ini", L".inf", L".lst", L".php", L".cpp", L".h", L".pas",
};

struct ShowType {
    const wchar_t* key;
    const wchar_t* text;
};
// Indexed by the stored `MenuShowType`.
const ShowType kShowTypes[] = {
    { L"stm_ico_spt", L"Иконка с отступом" },
    { L"stm_ico", L"Иконка" },
    { L"stm_text", L"Текст" },
    { L"stm_ico_text", L"Иконка и текст" },
    { L"stm_ico_sep", L"Иконка и разделитель" },
    { L"stm_text_sep", L"Текст и разделитель" },
};

const DialogText kTexts[] = {
    { IDCANCEL, L"cancel" },
    { IDC_ADV_KEYS_LABEL, L"adv_opt_hkeys" },
    { IDC_ADV_ASSOC_LABEL, L"adv_opt_assoc" },
    { IDC_ADV_SHOW_LABEL, L"adv_opt_stm" },
};

HWND Box(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

// Shows the action of the key box's current position; an action outside
// the list selects nothing.
void ShowCurrentAction(HWND dialog, const HardwareKeyTable& keys)
{
    int action = keys.current < keys.count ? keys.actions[keys.current] : 0;
    SendMessageW(Box(dialog, IDC_ADV_ACTION), CB_SETCURSEL,
                 action >= 0 && action <= TOOLBAR_ACTION_COUNT ? action : -1, 0);
}

// A listed button keeps its action under its own number, not under its
// position: a device without a button in the middle would otherwise give
// the next button's action to another key.
void LoadKeyActions(HardwareKeyTable& keys)
{
    for (int n = 0; n < keys.count; ++n) {
        wchar_t name[32];
        HardKeySettingName(keys.numbers[n], name, ARRAYSIZE(name));
        keys.actions[n] = g_settings.GetInt(name, 0);
    }
}

BOOL OnInitDialog(HWND dialog, HardwareKeyTable& keys)
{
    keys.count = 0;
    keys.current = 0;
    HWND actionBox = Box(dialog, IDC_ADV_ACTION);
    for (int action = 0; action <= TOOLBAR_ACTION_COUNT; ++action)
        SendMessageW(actionBox, CB_ADDSTRING, 0, (LPARAM)ToolbarActionText(action));
    ReadHardwareKeyNames(Box(dialog, IDC_ADV_KEY), keys);
    LoadKeyActions(keys);
    SendMessageW(Box(dialog, IDC_ADV_KEY), CB_SETCURSEL, 0, 0);
    ShowCurrentAction(dialog, keys);
    for (int i = 0; i < (int)ARRAYSIZE(kExtensions); ++i)
        CheckDlgButton(dialog, IDC_ADV_TXT + i,
                       IsAssociated(kExtensions[i]) ? BST_CHECKED : BST_UNCHECKED);
    HWND showBox = Box(dialog, IDC_ADV_SHOW_TYPE);
    for (const ShowType& type : kShowTypes)
        SendMessageW(showBox, CB_ADDSTRING, 0, (LPARAM)g_lang.Lookup(type.key, type.text));
    SetDialogTexts(dialog, kTexts);
    SendMessageW(showBox, CB_SETCURSEL, g_settings.GetInt(L"MenuShowType", 0), 0);
    return TRUE;
}

void OnOk(HWND dialog, const HardwareKeyTable& keys)
{
    for (int n = 0; n < keys.count; ++n) {
        wchar_t name[32];
        HardKeySettingName(keys.numbers[n], name, ARRAYSIZE(name));
        g_settings.SetInt(name, keys.actions[n]);
    }
    for (int i = 0; i < (int)ARRAYSIZE(kExtensions); ++i) {
        if (IsDlgButtonChecked(dialog, IDC_ADV_TXT + i) == BST_CHECKED)
            InstallAssociation(kExtensions[i]);
        else
            RemoveAssociation(kExtensions[i]);
    }
    int showType = (int)SendMessageW(Box(dialog, IDC_ADV_SHOW_TYPE), CB_GETCURSEL, 0, 0);
    // A stored look outside the list selects nothing and stays as it was.
    if (showType >= 0)
        g_settings.SetInt(L"MenuShowType", showType);
}

DialogEnd OnCommand(HWND dialog, HardwareKeyTable& keys, int id, int code)
{
    switch (id) {
    case IDC_ADV_KEY:
        if (code == CBN_SELCHANGE) {
            int position = (int)SendMessageW(Box(dialog, IDC_ADV_KEY), CB_GETCURSEL, 0, 0);
            keys.current = position >= 0 ? position : 0;
            ShowCurrentAction(dialog, keys);
        }
        break;
    case IDC_ADV_ACTION:
        if (code == CBN_SELCHANGE && keys.current < keys.count) {
            int action = (int)SendMessageW(Box(dialog, IDC_ADV_ACTION), CB_GETCURSEL, 0, 0);
            if (action >= 0)
                keys.actions[keys.current] = action;
        }
        break;
    case IDOK: OnOk(dialog, keys); return DIALOG_OK;
    case IDCANCEL: return DIALOG_CANCEL;
    default: break;
    }
    return DIALOG_GOES_ON;
}

const DialogHandlers<HardwareKeyTable> kHandlers = { OnInitDialog, OnCommand, nullptr, nullptr };

}

bool ShowAdvancedSettingsDialog()
{
    return RunDialogTemplate(IDD_ADVANCED, kHandlers, g_hardwareKeys) == DIALOG_OK;
}
