#include "editor/layout.h"

#include "editor/document.h"
#include "editor/tab_panel.h"
#include "resources/resource.h"
#include "app/app_state.h"
#include "storage/encodings.h"

namespace {

struct EncodingItem {
    int command;
    int encoding;
};

const EncodingItem kEncodingItems[] = {
    { CMD_REOPEN_ANSI, ENC_ANSI },   { CMD_REOPEN_1251, ENC_WIN1251 },
    { CMD_REOPEN_866, ENC_DOS866 },  { CMD_REOPEN_KOI8R, ENC_KOI8R },
    { CMD_REOPEN_UTF16, ENC_UTF16 }, { CMD_REOPEN_UTF8, ENC_UTF8 },
};

// Height of the tab strip: shown only for two documents or more.
int PlaceTabPanel(const RECT& main, int count, int scale)
{
    if (!g_app.tabHost)
        return 0;
    if (count < 2) {
        ShowWindow(g_app.tabHost, SW_HIDE);
        return 0;
    }
    int height = 12 * scale;
    SetWindowPos(g_app.tabHost, nullptr, 0, 0, main.right, height, SWP_NOZORDER);
    ShowWindow(g_app.tabHost, SW_SHOW);
    return height;
}

// Space the find/replace bar takes from the bottom of the client area.
int PlaceFindBar(const RECT& main, int scale)
{
    if (!g_app.findBar)
        return 0;
    if (!g_app.findShown && !g_app.replaceShown) {
        ShowWindow(g_app.findBar, SW_HIDE);
        return 0;
    }
    RECT box = {};
    GetClientRect(GetDlgItem(g_app.findBar, IDC_FIND_TEXT), &box);
    int e = box.bottom - box.top;
    int height = g_app.replaceShown ? 2 * (e + 3 * scale) : e + 2 * scale;
    SetWindowPos(g_app.findBar, nullptr, 0, main.bottom - 2 * scale - height, main.right, height,
                 SWP_NOZORDER);
    ShowWindow(g_app.findBar, SW_SHOW);
    return height + 2 * scale + (IsVgaScreen() ? 2 : 0);
}

void UpdateMenuStates(int count)
{
    HMENU menu = g_app.mainMenu;
    CDocument* document = CurrentDocument();
    if (!menu || !document)
        return;
    EnableMenuItem(menu, CMD_WINDOW_NEXT,
                   MF_BYCOMMAND | (g_app.current >= count - 1 ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, CMD_WINDOW_PREVIOUS,
                   MF_BYCOMMAND | (g_app.current <= 0 ? MF_GRAYED : MF_ENABLED));
    CheckMenuItem(menu, CMD_WORD_WRAP,
                  MF_BYCOMMAND | (document->IsWordWrap() ? MF_CHECKED : MF_UNCHECKED));
    for (const EncodingItem& item : kEncodingItems) {
        CheckMenuItem(menu, item.command,
                      MF_BYCOMMAND | (document->encoding == item.encoding ? MF_CHECKED : MF_UNCHECKED));
    }
}

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
    int top = PlaceTabPanel(main, count, scale);
    int reserve = PlaceFindBar(main, scale);
    for (int i = 0; i < count; ++i) {
        CDocument* document = g_app.documents[i];
        document->MoveTo(1, top, main.right - 2, main.bottom - reserve - top - 2);
        document->Show(i == g_app.current);
    }
    UpdateMenuStates(count);
}
