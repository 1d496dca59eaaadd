#include "editor/layout.h"

#include "editor/document.h"
#include "editor/tab_panel.h"
#include "resources/resource.h"
#include "app/app_state.h"

namespace {

// Height of the tab strip: shown only for two documents or more.
int TabPanelHeight(int count, int scale)
{
    return g_app.tabHost && count >= 2 ? 12 * scale : 0;
}

// Height of the find/replace bar; 0 while it is hidden.
int FindBarHeight(int scale)
{
    if (!g_app.findBar || (!g_app.findShown && !g_app.replaceShown))
        return 0;
    RECT box = {};
    GetClientRect(GetDlgItem(g_app.findBar, IDC_FIND_TEXT), &box);
    int e = box.bottom - box.top;
    return g_app.replaceShown ? 2 * (e + 3 * scale) : e + 2 * scale;
}

// The edit windows' place between the tab strip and the bar.
RECT DocumentArea(const RECT& main, int scale)
{
    int top = TabPanelHeight(g_app.documents.count, scale);
    int bar = FindBarHeight(scale);
    int reserve = bar ? bar + 2 * scale + (IsVgaScreen() ? 2 : 0) : 0;
    RECT area = { 1, top, main.right - 1, main.bottom - reserve - 2 };
    return area;
}

void PlaceTabPanel(const RECT& main, int scale)
{
    if (!g_app.tabHost)
        return;
    int height = TabPanelHeight(g_app.documents.count, scale);
    if (!height) {
        ShowWindow(g_app.tabHost, SW_HIDE);
        return;
    }
    SetWindowPos(g_app.tabHost, nullptr, 0, 0, main.right, height, SWP_NOZORDER);
    ShowWindow(g_app.tabHost, SW_SHOW);
}

void PlaceFindBar(const RECT& main, int scale)
{
    if (!g_app.findBar)
        return;
    int height = FindBarHeight(scale);
    if (!height) {
        ShowWindow(g_app.findBar, SW_HIDE);
        return;
    }
    SetWindowPos(g_app.findBar, nullptr, 0, main.bottom - 2 * scale - height, main.right, height,
                 SWP_NOZORDER);
    ShowWindow(g_app.findBar, SW_SHOW);
}

void FitTo(CDocument* document, const RECT& area)
{
    RECT now;
    GetWindowRect(document->edit, &now);
    MapWindowPoints(nullptr, g_app.mainWindow, (POINT*)&now, 2);
    if (!EqualRect(&now, &area))
        document->MoveTo(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

}

void FitToDocumentArea(CDocument* document)
{
    if (!g_app.mainWindow || !document || !document->edit)
        return;
    RECT main;
    GetClientRect(g_app.mainWindow, &main);
    FitTo(document, DocumentArea(main, ScreenScale()));
}

void LayoutDocumentArea()
{
    if (!g_app.mainWindow)
        return;
    int scale = ScreenScale();
    RECT main;
    GetClientRect(g_app.mainWindow, &main);
    int count = g_app.documents.count;

    if (g_app.tabPanel)
        g_app.tabPanel->SetTabCount(count);
    PlaceTabPanel(main, scale);
    PlaceFindBar(main, scale);
    RECT area = DocumentArea(main, scale);
    // The current document is sized before it is shown; the others keep
    // their size until they are shown.
    for (int i = 0; i < count; ++i) {
        if (i != g_app.current)
            g_app.documents[i]->Show(false);
    }
    if (CDocument* document = CurrentDocument()) {
        FitTo(document, area);
        document->Show(true);
    }
}
