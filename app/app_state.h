#ifndef QUILLEX_APP_APP_STATE_H
#define QUILLEX_APP_APP_STATE_H

#include "platform/pocketpc.h"
#include "platform/aygshell.h"
#include "storage/grow_array.h"

class CDocument;
class CTabPanel;
class CPicBtn;
class CQuickInsertList;

// Theme colours read from the list-icon picture; magenta means "not set".
const COLORREF THEME_UNSET = 0x00FE00FE;
enum ThemeColour {
    THEME_WINDOW = 0,        // main window and find bar background
    THEME_MENU_BAR = 1,      // menu bar background, only when set
    THEME_TAB_BACKGROUND = 2,
    THEME_TAB_CURRENT = 3,
    THEME_TAB_MODIFIED = 4,
    THEME_TAB_MODIFIED_CURRENT = 5,
    THEME_TAB_LIGHT_LINE = 6,
    THEME_TAB_DARK_LINE = 7,
    THEME_TAB_TEXT = 8,
    THEME_BUTTON = 9,        // picture-button background
    THEME_EDIT_BACKGROUND = 10,
    THEME_EDIT_TEXT = 11,
    THEME_COLOUR_COUNT = 12,
};

const int MAX_TOOLBAR_BUTTONS = 250;

// The shell's one global record: windows, documents and what hangs off the
// main window. Zero at process start.
struct AppState {
    HINSTANCE instance;
    HWND mainWindow;
    HWND menuBar;
    HMENU mainMenu;
    HMENU menuPopup;
    HIMAGELIST listIcons;
    CGrowArray<CDocument*> documents;
    int current;
    int previous;
    HWND findBar;
    BYTE findShown;
    BYTE replaceShown;
    CPicBtn* findButtons[6];
    HWND tabHost;
    CTabPanel* tabPanel;
    HMENU quickInsertMenu;
    CQuickInsertList* quickInsert;
    BYTE quickInsertLoaded;
    TBBUTTON toolbarButtons[MAX_TOOLBAR_BUTTONS];
    int toolbarButtonCount;
    COLORREF colours[THEME_COLOUR_COUNT];
    HBRUSH windowBrush;
    HBRUSH editBrush;
    SHACTIVATEINFO activateInfo;
};

extern AppState g_app;

// The document shown now.
CDocument* CurrentDocument();

// A screen is VGA when its larger side exceeds 400 pixels; sizes double on it.
bool IsVgaScreen();
inline int ScreenScale() { return IsVgaScreen() ? 2 : 1; }

#endif
