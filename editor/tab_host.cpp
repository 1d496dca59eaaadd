#include "editor/tab_host.h"

#include <new>

#include "app/app_state.h"
#include "editor/tab_panel.h"
#include "resources/resource.h"
#include "storage/notice.h"

void CreateTabPanel(HWND mainWindow)
{
    // A child window (the handheld makes every window with a parent one).
    // Hidden until the layout places it: one document shows no tabs, and
    // a shown strip would be painted and taken away again before the text.
    g_app.tabHost = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 5, 5, 10, 10, mainWindow,
                                    nullptr, g_app.instance, nullptr);
    if (!g_app.tabHost)
        return;
    SetWindowLongPtrW(g_app.tabHost, GWLP_ID, IDC_TAB_PANEL);
    // Without memory for the panel the documents are there, only not as tabs.
    g_app.tabPanel = new (std::nothrow) CTabPanel(g_app.tabHost);
    if (!g_app.tabPanel)
        ShowOutOfMemory(mainWindow);
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
