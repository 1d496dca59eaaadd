#ifndef QUILLEX_PLATFORM_AYGSHELL_H
#define QUILLEX_PLATFORM_AYGSHELL_H

// Stand-ins for the Pocket PC shell (AYGSHELL) and the few Windows CE calls a
// desktop lacks: the same names, structures and constants the program uses on
// the device, behaving as the program expects of them.

#include <windows.h>

#include "platform/menu_bar.h"

// --- Extra controls -------------------------------------------------------
BOOL SHInitExtraControls();

// --- Dialogs --------------------------------------------------------------
#define SHIDIM_FLAGS 0x0001

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020

struct SHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
};
typedef SHINITDLGINFO* PSHINITDLGINFO;

// Sizes a dialog to the device screen (less the menu bar) when asked, and
// with SHIDIF_DONEBUTTON gives it a visible OK that sends IDOK.
BOOL SHInitDialog(PSHINITDLGINFO info);

// Where the emulated screen shows a window's Done button ("OK" at the right
// end of its caption), in screen coordinates; false when it has none.
bool DeviceDoneButtonRect(HWND window, RECT* screenRect);

// --- Gestures ---------------------------------------------------------------
#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define GN_CONTEXTMENU 1000

struct SHRGINFO {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;
    DWORD dwFlags;
};
typedef SHRGINFO* PSHRGINFO;

// Tap-and-hold: answers GN_CONTEXTMENU when the stylus (the left mouse
// button) stays down and still for about half a second, 0 for a quick tap,
// a drag, or a tap made by a message while no button is down.
DWORD SHRecognizeGesture(SHRGINFO* info);

// --- Activation -----------------------------------------------------------
struct SHACTIVATEINFO {
    DWORD cbSize;
    HWND hwndLastFocus;
    UINT fSipUp : 1;
    UINT fSipOnDeactivation : 1;
    UINT fActive : 1;
    UINT fReserved : 29;
};
typedef SHACTIVATEINFO* PSHACTIVATEINFO;

BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info,
                        DWORD flags);
BOOL SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);

// --- Pictures ---------------------------------------------------------------
// Loads a picture file (PNG, also BMP, GIF, JPEG) into a new 24-bit bitmap
// that the caller deletes; null when the file cannot be read as a picture.
// The bitmap has no alpha byte, so colour keys compare colour only.
HBITMAP SHLoadImageFile(LPCTSTR fileName);

#endif
