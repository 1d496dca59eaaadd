#include "shell/menu_bar.h"

#include "dialogs/toolbar_actions.h"
#include "resources/resource.h"
#include "app/app_state.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/settings.h"
#include "storage/wide_text.h"

namespace {

// One line of the command tree.
struct MenuLine {
    UINT flags;            // MF_STRING or MF_SEPARATOR
    int command;
    const wchar_t* key;    // language key; null for a fixed text
    const wchar_t* text;   // default or fixed text
    const wchar_t* suffix; // accelerator hint, or null
};

const MenuLine kFileLines[] = {
    { MF_STRING, CMD_NEW, L"mnu_new", L"Новый", L"\tCtrl+N" },
    { MF_STRING, CMD_OPEN, L"mnu_open", L"Открыть", L"\tCtrl+O" },
    { MF_STRING, CMD_SAVE, L"mnu_save", L"Сохранить", L"\tCtrl+S" },
    { MF_STRING, CMD_SAVE_AS, L"mnu_save_as", L"Сохранить как...", L"\tCtrl+E" },
    { MF_SEPARATOR, 0, nullptr, nullptr, nullptr },
    { MF_STRING, CMD_SAVE_ALL, L"mnu_save_all", L"Сохранить всё", nullptr },
};
const MenuLine kReopenLines[] = {
    { MF_STRING, CMD_REOPEN_AUTO, L"mnu_reopen_auto", L"Авто", L"\tCtrl+R" },
    { MF_SEPARATOR, 0, nullptr, nullptr, nullptr },
    { MF_STRING, CMD_REOPEN_ANSI, nullptr, L"ANSI", nullptr },
    { MF_STRING, CMD_REOPEN_1251, nullptr, L"Win-1251", nullptr },
    { MF_STRING, CMD_REOPEN_866, nullptr, L"DOS-866", nullptr },
    { MF_STRING, CMD_REOPEN_KOI8R, nullptr, L"KOI8-R", nullptr },
    { MF_STRING, CMD_REOPEN_UTF16, nullptr, L"Unicode", nullptr },
    { MF_STRING, CMD_REOPEN_UTF8, nullptr, L"UTF-8", nullptr },
};
const MenuLine kEditLines[] = {
    { MF_STRING, CMD_SELECT_ALL, L"mnu_sel_all", L"Выделить всё", L"\tCtrl+A" },
    { MF_SEPARATOR, 0, nullptr, nullptr, nullptr },
    { MF_STRING, CMD_CUT, L"mnu_cut", L"Вырезать", L"\tCtrl+X" },
    { MF_STRING, CMD_COPY, L"mnu_copy", L"Копировать", L"\tCtrl+C" },
    { MF_STRING, CMD_PASTE, L"mnu_paste", L"Вставить", L"\tCtrl+V" },
};
const MenuLine kJumpLines[] = {
    { MF_STRING, CMD_LINE_START, L"mnu_line_h", L"Начало строки", L"\tCtrl+5" },
    { MF_STRING, CMD_LINE_END, L"mnu_line_e", L"Конец строки", L"\tCtrl+6" },
    { MF_SEPARATOR, 0, nullptr, nullptr, nullptr },
    { MF_STRING, CMD_PAGE_UP, L"mnu_page_u", L"Страница вверх", L"\tCtrl+3" },
    { MF_STRING, CMD_PAGE_DOWN, L"mnu_page_d", L"Страница вниз", L"\tCtrl+4" },
    { MF_SEPARATOR, 0, nullptr, nullptr, nullptr },
    { MF_STRING, CMD_FILE_START, L"mnu_file_h", L"Начало файла", L"\tCtrl+1" },
    { MF_STRING, CMD_FILE_END, L"mnu_file_e", L"Конец файла", L"\tCtrl+2" },
};
const MenuLine kViewLines[] = {
    { MF_STRING, CMD_WORD_WRAP, L"mnu_word_wrap", L"Авто перенос", L"\tCtrl+W" },
    { MF_SEPARATOR, 0, nullptr, nullptr, nullptr },
    { MF_STRING, CMD_SEARCH, L"mnu_search", L"Поиск", L"\tCtrl+F" },
    { MF_STRING, CMD_REPLACE, L"mnu_replace", L"Замена", L"\tCtrl+H" },
};
const MenuLine kWindowLines[] = {
    { MF_STRING, CMD_WINDOW_NEW, L"mnu_win_new", L"Новое", L"\tCtrl+P" },
    { MF_STRING, CMD_WINDOW_CLOSE, L"mnu_win_close", L"Закрыть", L"\tCtrl+K" },
    { MF_SEPARATOR, 0, nullptr, nullptr, nullptr },
    { MF_STRING, CMD_WINDOW_PREVIOUS, L"mnu_win_last", L"Предыдущее", nullptr },
    { MF_STRING, CMD_WINDOW_NEXT, L"mnu_win_next", L"Следующее", nullptr },
};
const MenuLine kProgramLines[] = {
    { MF_STRING, CMD_SETTINGS, nullptr, L"Settings...\tCtrl+M", nullptr },
    { MF_STRING, CMD_ABOUT, L"mnu_win_about", L"О программе...", nullptr },
};

void AppendLine(HMENU menu, const MenuLine& line)
{
    if (line.flags == MF_SEPARATOR) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const wchar_t* text = !line.key ? line.text
                          : line.suffix ? g_lang.LookupWithSuffix(line.key, line.text, line.suffix)
                                        : g_lang.Lookup(line.key, line.text);
    AppendMenuW(menu, MF_STRING, line.command, text);
}

template <size_t N>
HMENU BuildPopup(const MenuLine (&lines)[N])
{
    HMENU popup = CreatePopupMenu();
    for (const MenuLine& line : lines)
        AppendLine(popup, line);
    return popup;
}

void AppendPopup(HMENU menu, HMENU popup, const wchar_t* text)
{
    AppendMenuW(menu, MF_POPUP, (UINT_PTR)popup, text);
}

bool StandardStyle()
{
    return g_settings.GetBool(L"StandardMenuWM5", false);
}

int SoftKeyCommand(int index)
{
    TBBUTTON button = {};
    if (!SendMessageW(g_app.menuBar, TB_GETBUTTON, index, (LPARAM)&button))
        return -1;
    return button.idCommand;
}

void LabelSoftKey()
{
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    if (StandardStyle()) {
        // The quick-insert key: the menu text up to its first full stop.
        wchar_t text[256];
        CopyUnits(text, g_lang.Lookup(L"mnu_qi", L"Вставка..."));
        if (wchar_t* stop = wcschr(text, L'.'))
            *stop = 0;
        info.dwMask = TBIF_TEXT;
        info.pszText = text;
        SendMessageW(g_app.menuBar, TB_SETBUTTONINFOW, SoftKeyCommand(1), (LPARAM)&info);
        return;
    }
    int showType = g_settings.GetInt(L"MenuShowType", 0);
    int look = showType > 3 ? showType - 3 : showType;
    wchar_t text[256] = L"";
    if (look == 0)
        CopyUnits(text, L" ");
    else if (look >= 2)
        CopyUnits(text, g_lang.Lookup(L"mnu_menu", L"Меню"));
    info.dwMask = TBIF_IMAGE | TBIF_TEXT;
    info.iImage = look == 2 ? I_IMAGENONE : 23;
    info.pszText = text;
    SendMessageW(g_app.menuBar, TB_SETBUTTONINFOW, SoftKeyCommand(0), (LPARAM)&info);
}

}

bool CreateMenuBar()
{
    if (g_app.menuBar)
        DestroyWindow(g_app.menuBar);
    SHMENUBARINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndParent = g_app.mainWindow;
    info.nToolBarId = IDM_MAIN;
    info.hInstRes = g_app.instance;
    info.dwFlags = SHCMBF_HMENU;
    if (g_app.colours[THEME_MENU_BAR] != THEME_UNSET) {
        info.dwFlags |= SHCMBF_COLORBK;
        info.clrBk = g_app.colours[THEME_MENU_BAR];
    }
    BOOL created = SHCreateMenuBar(&info);
    g_app.activateInfo = SHACTIVATEINFO();
    g_app.activateInfo.cbSize = sizeof(SHACTIVATEINFO);
    g_app.menuBar = created ? info.hwndMB : nullptr;

    g_app.mainMenu = g_app.menuBar ? (HMENU)SendMessageW(g_app.menuBar, SHCMBM_GETMENU, 0, 0) : nullptr;
    if (!g_app.mainMenu) {
        g_app.mainMenu = g_app.menuBar
                             ? (HMENU)SendMessageW(g_app.menuBar, SHCMBM_GETSUBMENU, 0, 0)
                             : nullptr;
        g_app.menuPopup = g_app.mainMenu;
    } else {
        g_app.menuPopup = GetSubMenu(g_app.mainMenu, 0);
    }
    if (!g_app.mainMenu)
        ShowMessage(nullptr, L"MENU Error :(", nullptr, MB_OK);
    if (!g_app.menuPopup)
        ShowMessage(nullptr, L"SubMENU Error :(", nullptr, MB_OK);

    if (!StandardStyle()) {
        SendMessageW(g_app.menuBar, TB_SETIMAGELIST, 0, (LPARAM)g_app.listIcons);
        BuildToolbar();
    }
    BuildMenus();
    return g_app.mainMenu != nullptr;
}

void BuildToolbar()
{
    if (StandardStyle() || !g_app.menuBar)
        return;
    wchar_t items[TOOLBAR_ITEMS_UNITS];
    ReadToolbarItems(items);

    while (SendMessageW(g_app.menuBar, TB_DELETEBUTTON, 1, 0)) {
    }
    if (g_settings.GetInt(L"MenuShowType", 0) > 3) {
        TBBUTTON separator = {};
        separator.fsStyle = BTNS_SEP;
        SendMessageW(g_app.menuBar, TB_ADDBUTTONSW, 1, (LPARAM)&separator);
    }
    ZeroMemory(g_app.toolbarButtons, sizeof(g_app.toolbarButtons));
    g_app.toolbarButtonCount = 0;
    for (int k = 0; k < TOOLBAR_ACTION_COUNT; ++k) {
        if (items[k] != L'1')
            continue;
        TBBUTTON& button = g_app.toolbarButtons[g_app.toolbarButtonCount++];
        button.iBitmap = k + 2;
        button.idCommand = ToolbarCommandForAction(k + 1);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
    }
    SendMessageW(g_app.menuBar, TB_ADDBUTTONSW, g_app.toolbarButtonCount,
                 (LPARAM)g_app.toolbarButtons);
}

void BuildMenus()
{
    if (g_app.menuBar)
        LabelSoftKey();
    HMENU menu = g_app.menuPopup;
    if (!menu)
        return;
    while (DeleteMenu(menu, 0, MF_BYPOSITION)) {
    }
    HMENU file = BuildPopup(kFileLines);
    AppendPopup(file, BuildPopup(kReopenLines), g_lang.Lookup(L"mnu_reopen", L"Переоткрыть как..."));

    AppendPopup(menu, file, g_lang.Lookup(L"mnu_file", L"Файл"));
    AppendMenuW(menu, MF_STRING, CMD_RECENT,
                g_lang.LookupWithSuffix(L"mnu_recent", L"Недавние...", L"\tCtrl+L"));
    AppendPopup(menu, BuildPopup(kEditLines), g_lang.Lookup(L"mnu_edit", L"Правка"));
    AppendPopup(menu, BuildPopup(kJumpLines), g_lang.Lookup(L"mnu_jump", L"Переход"));
    AppendPopup(menu, BuildPopup(kViewLines), g_lang.Lookup(L"mnu_view", L"Вид"));
    AppendPopup(menu, BuildPopup(kWindowLines), g_lang.Lookup(L"mnu_windows", L"Окна"));
    AppendPopup(menu, BuildPopup(kProgramLines), L"&Quillex");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, CMD_EXIT, g_lang.LookupWithSuffix(L"mnu_exit", L"Выход", L"\tCtrl+Q"));
    // Every build has the quick-insert item, so a change of the language or
    // of the menu's style keeps it.
    if (g_app.quickInsertLoaded) {
        InsertMenuW(menu, 4, MF_BYPOSITION | MF_STRING, CMD_QUICK_INSERT_LEFT,
                    g_lang.LookupWithSuffix(L"mnu_qi", L"Вставка...", L"\tCtl+I"));
    }
}
