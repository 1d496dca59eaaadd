#ifndef QUILLEX_WIDGETS_LIST_ICONS_H
#define QUILLEX_WIDGETS_LIST_ICONS_H

#include "platform/pocketpc.h"

// The list-icon picture beside the program: one row of square icons (32
// pixels on a VGA screen, 16 otherwise) on a magenta key. Icon 0 file, 1
// folder, 2-16 toolbar actions 1-15, 17-22 find-bar buttons, 23 menu soft
// key, 24 the colour swatch whose row 5 holds the theme palette.
const int LIST_ICON_SWATCH = 24;
const int LIST_ICON_FIND_BAR = 17;
const int LIST_ICON_FIND_BAR_COUNT = 6;

// "<program folder>ListIconsVGA.png" or "...ListIconsQVGA.png" by screen
// size. False (and an empty path) when it does not fit `capacity` units.
bool ListIconsPath(wchar_t* path, int capacity);

// A masked image list of the picture's icons, with room for 50; empty when
// the picture is missing or unreadable.
HIMAGELIST LoadListIcons();

// Fills g_app.colours from the swatch icon of `icons` (row 5, columns 0-11);
// a colour the swatch leaves transparent, or all of them when the list has
// no swatch, takes its default. Then makes g_app.windowBrush and
// g_app.editBrush from colours 0 and 10 (a later call deletes the brushes
// of the earlier one: run it before the main window class takes its brush).
void ReadThemePalette(HIMAGELIST icons);

// g_app.listIcons, the theme palette with its two brushes, and the find-bar
// buttons' pictures, from one decoding of the picture; once, before the main
// window's class is registered.
void LoadThemeAndIcons();

#endif
