#include "editor/find_bar_buttons.h"

#include <new>

#include "app/app_state.h"
#include "resources/resource.h"
#include "storage/notice.h"
#include "widgets/button_pictures.h"
#include "widgets/list_icons.h"
#include "widgets/pic_btn.h"

void AttachFindBarButtons()
{
    if (!g_app.findBar)
        return;
    struct { int control; int picture; DWORD kind; } buttons[6] = {
        { IDC_FIND_PREVIOUS, 17, PICBTN_PUSH }, { IDC_FIND_NEXT, 18, PICBTN_PUSH },
        { IDC_MATCH_CASE, 19, PICBTN_TOGGLE },  { IDC_WHOLE_WORD, 20, PICBTN_TOGGLE },
        { IDC_REPLACE, 21, PICBTN_PUSH },       { IDC_REPLACE_ALL, 22, PICBTN_PUSH },
    };
    // A button without its record stays a plain button with its text.
    bool made = true;
    for (int i = 0; i < 6; ++i) {
        HWND button = GetDlgItem(g_app.findBar, buttons[i].control);
        g_app.findButtons[i] =
            new (std::nothrow) CPicBtn(button, buttons[i].picture, buttons[i].kind);
        made = made && g_app.findButtons[i];
    }
    if (!made)
        ShowOutOfMemory(g_app.mainWindow);
}

void LoadFindBarPictures()
{
    wchar_t path[MAX_PATH];
    if (g_buttonPictures.normalPictures.IsEmpty() && ListIconsPath(path, MAX_PATH))
        LoadButtonPictures(path);
}
