#include "editor/find_bar.h"

#include "platform/aygshell.h"
#include "resources/resource.h"
#include "app/app_state.h"

HWND CreateFindBar(HWND mainWindow)
{
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE);
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDD_FIND_BAR), (LPCWSTR)RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    if (!loaded)
        return nullptr;
    return CreateDialogIndirectParamW(instance, (LPCDLGTEMPLATEW)LockResource(loaded), mainWindow,
                                      FindBarProc, 0);
}

INT_PTR CALLBACK FindBarProc(HWND bar, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        // The soft keyboard is lowered: the bar sits where it would be.
        SHINITDLGINFO info = { SHIDIM_FLAGS, bar, SHIDIF_SIPDOWN };
        SHInitDialog(&info);
        return TRUE;
    }
    case WM_CTLCOLORDLG:
        return (INT_PTR)g_app.windowBrush;
    default:
        return FALSE;
    }
}
