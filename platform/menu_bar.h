#ifndef QUILLEX_PLATFORM_MENU_BAR_H
#define QUILLEX_PLATFORM_MENU_BAR_H

// The handheld's menu bar (SHCreateMenuBar): a bar of soft keys and picture
// buttons along the bottom of the screen. Here it is a real toolbar window at
// the bottom of the emulated screen that answers the toolbar messages
// (TB_ADDBUTTONSW, TB_DELETEBUTTON, TB_SETBUTTONINFOW, TB_GETBUTTON,
// TB_SETIMAGELIST, TB_CHECKBUTTON, ...) and the menu-bar queries below.
// Built from a menu resource, its top-level entries become soft keys: a
// popup opens its menu above the bar, an item sends its command. Every
// command goes to the window that owns the bar.

#include <windows.h>

#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010

#define SHCMBM_SETSUBMENU (WM_USER + 400)
#define SHCMBM_GETSUBMENU (WM_USER + 401)
#define SHCMBM_GETMENU (WM_USER + 402)

struct SHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;       // the menu resource with SHCMBF_HMENU
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;           // out: the menu bar
    COLORREF clrBk;        // with SHCMBF_COLORBK
};
typedef SHMENUBARINFO* PSHMENUBARINFO;

BOOL SHCreateMenuBar(SHMENUBARINFO* info);

// Identifier the bar gives a soft key that opens a popup.
const int MENU_BAR_POPUP_KEY_FIRST = 0xE100;

#endif
