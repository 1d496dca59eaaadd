#include "dialogs/toolbar_actions.h"

#include "platform/pocketpc.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"

namespace {

struct ToolbarAction {
    int command;
    const wchar_t* key;   // language key; null for "(NONE)"
    const wchar_t* text;  // built-in text
};

// Indexed by action number.
const ToolbarAction kActions[TOOLBAR_ACTION_COUNT + 1] = {
    { 0, nullptr, L"(NONE)" },
    { CMD_NEW, L"new", L"Новый" },
    { CMD_OPEN, L"open", L"Открыть" },
    { CMD_REOPEN_AUTO, L"reopen", L"Переоткрыть" },
    { CMD_SAVE, L"save", L"Сохранить" },
    { CMD_SAVE_AS, L"save_as", L"Сохранить как" },
    { CMD_CUT, L"cut", L"Вырезать" },
    { CMD_COPY, L"copy", L"Копировать" },
    { CMD_PASTE, L"paste", L"Вставить" },
    { CMD_SELECT_ALL, L"sel_all", L"Выделить всё" },
    { CMD_SEARCH, L"find", L"Поиск" },
    { CMD_REPLACE, L"replace", L"Замена" },
    { CMD_WORD_WRAP, L"word_wrap", L"Авто перенос" },
    { CMD_WINDOW_NEW, L"new_win", L"Новое окно" },
    { CMD_WINDOW_CLOSE, L"close_win", L"Закрыть окно" },
    { CMD_QUICK_INSERT_RIGHT, L"qi", L"Быстрая вставка" },
};

bool IsAction(int action)
{
    return action >= 0 && action <= TOOLBAR_ACTION_COUNT;
}

}

int ToolbarCommandForAction(int action)
{
    return IsAction(action) ? kActions[action].command : 0;
}

const wchar_t* ToolbarActionText(int action)
{
    if (!IsAction(action))
        return L"";
    const ToolbarAction& a = kActions[action];
    return a.key ? g_lang.Lookup(a.key, a.text) : a.text;
}

void ReadToolbarItems(wchar_t* items)
{
    for (int i = 0; i < 130; ++i)
        items[i] = (i == 0 || i == 1 || i == 3 || i == 14) ? L'1' : L'0';
    items[130] = 0;
    g_settings.GetString(L"ToolBarItems", items, TOOLBAR_ITEMS_UNITS, nullptr);
    if (wcslen(items) < 30)
        StringCchCatW(items, TOOLBAR_ITEMS_UNITS, L"00000000000000000000000000000000000000");
}
