#include "shell/document_view.h"

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/layout.h"
#include "editor/tab_host.h"
#include "resources/resource.h"
#include "shell/encoding_commands.h"

void ShowCurrentDocument()
{
    SelectDocumentTab(g_app.current);
    LayoutDocumentArea();
    UpdateDocumentMenus();
    FocusCurrentDocument();
}

void ShowDocumentState()
{
    RepaintTabPanel();
    UpdateDocumentMenus();
}

void UpdateDocumentMenus()
{
    CDocument* document = CurrentDocument();
    if (!document)
        return;
    UpdateWordWrapButton();
    HMENU menu = g_app.mainMenu;
    if (!menu)
        return;
    int last = g_app.documents.count - 1;
    EnableMenuItem(menu, CMD_WINDOW_NEXT,
                   MF_BYCOMMAND | (g_app.current >= last ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, CMD_WINDOW_PREVIOUS,
                   MF_BYCOMMAND | (g_app.current <= 0 ? MF_GRAYED : MF_ENABLED));
    CheckMenuItem(menu, CMD_WORD_WRAP,
                  MF_BYCOMMAND | (document->IsWordWrap() ? MF_CHECKED : MF_UNCHECKED));
    CheckEncodingItem(menu, document->encoding);
}

void UpdateWordWrapButton()
{
    CDocument* document = CurrentDocument();
    if (g_app.menuBar && document)
        SendMessageW(g_app.menuBar, TB_CHECKBUTTON, CMD_WORD_WRAP,
                     MAKELONG(document->IsWordWrap() ? 1 : 0, 0));
}

void FocusCurrentDocument()
{
    if (CDocument* document = CurrentDocument())
        SetFocus(document->edit);
}

void RepaintTabPanel()
{
    if (g_app.tabHost)
        RedrawWindow(g_app.tabHost, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
