#ifndef QUILLEX_EDITOR_TAB_HOST_H
#define QUILLEX_EDITOR_TAB_HOST_H

#include "platform/pocketpc.h"

// The main window's one tab panel (g_app.tabHost and g_app.tabPanel).

// The tab strip: a plain button child that the tab panel takes over.
void CreateTabPanel(HWND mainWindow);
void ReleaseTabPanel();

// Marks document `index`'s tab as the selected one in the tab panel.
void SelectDocumentTab(int index);

#endif
