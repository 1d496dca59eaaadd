#include "shell/settings_change.h"

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/find_bar.h"
#include "editor/layout.h"
#include "shell/document_view.h"
#include "shell/menu_bar.h"
#include "shell/startup.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/settings.h"
#include "widgets/list_icons.h"

namespace {

void ReloadListIcons()
{
    if (g_app.listIcons)
        ImageList_Destroy(g_app.listIcons);
    g_app.listIcons = LoadListIcons();
}

void RebuildMenuBar(const MenuSettings& before, const MenuSettings& now)
{
    if (now.standardMenu == before.standardMenu && now.showType == before.showType) {
        // Only the chosen buttons may have changed.
        if (!now.standardMenu)
            BuildToolbar();
        return;
    }
    if (!now.standardMenu) {
        ReloadListIcons();
        SendMessageW(g_app.menuBar, TB_SETIMAGELIST, 0, (LPARAM)g_app.listIcons);
        BuildToolbar();
        BuildMenus();
        return;
    }
    // The standard style gets a menu bar of its own.
    while (SendMessageW(g_app.menuBar, TB_DELETEBUTTON, 0, 0)) {
    }
    ReloadListIcons();
    CreateMenuBar();
}

}

MenuSettings ReadMenuSettings()
{
    MenuSettings settings;
    settings.standardMenu = g_settings.GetBool(L"StandardMenuWM5", false);
    settings.showType = g_settings.GetInt(L"MenuShowType", 0);
    settings.language[0] = 0;
    g_settings.GetString(L"Language", settings.language, ARRAYSIZE(settings.language), L"Russian");
    return settings;
}

void ApplySettingsChange(const MenuSettings& before)
{
    MenuSettings now = ReadMenuSettings();
    RebuildMenuBar(before, now);
    if (wcscmp(now.language, before.language) != 0)
        LoadLanguage();
    bool rebuilt = true;
    for (int i = 0; i < g_app.documents.count; ++i)
        rebuilt = g_app.documents[i]->RebuildEditWindow() && rebuilt;
    ShowCurrentDocument();
    // Rebuilt menus and buttons start unchecked and unpressed.
    ShowFindBarState();
    // A document whose window could not be made again keeps its text in the
    // old one, with the old font.
    if (!rebuilt)
        ShowNotice(g_app.mainWindow, L"err_rebuild",
                   L"Не удалось применить новые настройки к окну документа: оно осталось прежним.",
                   MB_ICONERROR);
}
