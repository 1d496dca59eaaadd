#ifndef QUILLEX_SHELL_MAIN_CHILDREN_H
#define QUILLEX_SHELL_MAIN_CHILDREN_H

#include "platform/pocketpc.h"

// What hangs off the main window besides the documents: the list icons and
// the theme palette read from them, the tab panel and the find bar's
// picture buttons.

// The list icons and the theme palette with its two brushes; once, before
// the main window's class is registered.
void LoadThemeAndIcons();

// The tab strip: a plain button child that the tab panel takes over.
void CreateTabPanel(HWND mainWindow);
void ReleaseTabPanel();

// The six picture buttons over the find bar's push buttons, and their
// pictures.
void AttachFindBarButtons();

#endif
