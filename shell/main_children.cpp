#include "shell/main_children.h"

#include "editor/tab_panel.h"
#include "resources/resource.h"
#include "app/app_state.h"
#include "widgets/list_icons.h"
#include "widgets/button_pictures.h"
#include "widgets/pic_btn.h"

void LoadThemeAndIcons()
{
    g_app.listIcons = LoadListIcons();
    ReadThemePalette(g_app.listIcons);
}

void CreateTabPanel(HWND mainWindow)
{
    // A child window (the handheld makes every window with a parent one).
    g_app.tabHost = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 5, 5, 10, 10,
                                    mainWindow, nullptr, g_app.instance, nullptr);
    if (!g_app.tabHost)
        return;
    SetWindowLongPtrW(g_app.tabHost, GWLP_ID, IDC_TAB_PANEL);
    g_app.tabPanel = new CTabPanel(g_app.tabHost);
}

void ReleaseTabPanel()
{
    delete g_app.tabPanel;
    g_app.tabPanel = nullptr;
    g_app.tabHost = nullptr;
}

void SelectDocumentTab(int index)
{
    if (g_app.tabPanel)
        g_app.tabPanel->SetCurrentTab(index);
}

void AttachFindBarButtons()
{
    if (!g_app.findBar)
        return;
    struct { int control; int picture; DWORD kind; } buttons[6] = {
        { IDC_FIND_PREVIOUS, 17, PICBTN_PUSH }, { IDC_FIND_NEXT, 18, PICBTN_PUSH },
        { IDC_MATCH_CASE, 19, PICBTN_TOGGLE },  { IDC_WHOLE_WORD, 20, PICBTN_TOGGLE },
        { IDC_REPLACE, 21, PICBTN_PUSH },       { IDC_REPLACE_ALL, 22, PICBTN_PUSH },
    };
    for (int i = 0; i < 6; ++i) {
        HWND button = GetDlgItem(g_app.findBar, buttons[i].control);
        g_app.findButtons[i] = new CPicBtn(button, buttons[i].picture, buttons[i].kind);
    }
    wchar_t path[MAX_PATH];
    if (ListIconsPath(path, MAX_PATH))
        LoadButtonPictures(path);
}
