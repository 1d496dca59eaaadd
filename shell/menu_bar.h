#ifndef QUILLEX_SHELL_MENU_BAR_H
#define QUILLEX_SHELL_MENU_BAR_H

// The menu bar along the bottom of the screen: the command tree behind its
// first soft key and, in the toolbar style, picture buttons for the chosen
// actions beside it.

// (Re)creates the menu bar with its menus and buttons. True when it has a menu.
bool CreateMenuBar();

// Labels the soft key and rebuilds the command tree in the current language.
void BuildMenus();

// Rebuilds the picture buttons from `ToolBarItems`; nothing in the standard
// style.
void BuildToolbar();

#endif
