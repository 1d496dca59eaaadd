#include "tests/shell/app_fixture.h"

#include <vector>

#include "lists/quick_insert.h"
#include "resources/resource.h"
#include "shell/menu_bar.h"
#include "shell/settings_change.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"

namespace {

// One line of the expected command tree: depth, language key (null for a
// fixed text), default or fixed text, suffix, command (0 for a popup, -1 for
// a separator).
struct TreeLine {
    int depth;
    const wchar_t* key;
    const wchar_t* text;
    const wchar_t* suffix;
    int command;
};

const TreeLine kTree[] = {
    { 0, L"mnu_file", L"Файл", L"", 0 },
    { 1, L"mnu_new", L"Новый", L"\tCtrl+N", 32781 },
    { 1, L"mnu_open", L"Открыть", L"\tCtrl+O", 32782 },
    { 1, L"mnu_save", L"Сохранить", L"\tCtrl+S", 32783 },
    { 1, L"mnu_save_as", L"Сохранить как...", L"\tCtrl+E", 32794 },
    { 1, nullptr, L"", L"", -1 },
    { 1, L"mnu_save_all", L"Сохранить всё", L"", 32866 },
    { 1, L"mnu_reopen", L"Переоткрыть как...", L"", 0 },
    { 2, L"mnu_reopen_auto", L"Авто", L"\tCtrl+R", 32822 },
    { 2, nullptr, L"", L"", -1 },
    { 2, nullptr, L"ANSI", L"", 32855 },
    { 2, nullptr, L"Win-1251", L"", 32814 },
    { 2, nullptr, L"DOS-866", L"", 32815 },
    { 2, nullptr, L"KOI8-R", L"", 32816 },
    { 2, nullptr, L"Unicode", L"", 32817 },
    { 2, nullptr, L"UTF-8", L"", 32818 },
    { 0, L"mnu_recent", L"Недавние...", L"\tCtrl+L", 32857 },
    { 0, L"mnu_edit", L"Правка", L"", 0 },
    { 1, L"mnu_sel_all", L"Выделить всё", L"\tCtrl+A", 32786 },
    { 1, nullptr, L"", L"", -1 },
    { 1, L"mnu_cut", L"Вырезать", L"\tCtrl+X", 32773 },
    { 1, L"mnu_copy", L"Копировать", L"\tCtrl+C", 32771 },
    { 1, L"mnu_paste", L"Вставить", L"\tCtrl+V", 32772 },
    { 0, L"mnu_jump", L"Переход", L"", 0 },
    { 1, L"mnu_line_h", L"Начало строки", L"\tCtrl+5", 32805 },
    { 1, L"mnu_line_e", L"Конец строки", L"\tCtrl+6", 32807 },
    { 1, nullptr, L"", L"", -1 },
    { 1, L"mnu_page_u", L"Страница вверх", L"\tCtrl+3", 32802 },
    { 1, L"mnu_page_d", L"Страница вниз", L"\tCtrl+4", 32803 },
    { 1, nullptr, L"", L"", -1 },
    { 1, L"mnu_file_h", L"Начало файла", L"\tCtrl+1", 32800 },
    { 1, L"mnu_file_e", L"Конец файла", L"\tCtrl+2", 32801 },
    { 0, L"mnu_qi", L"Вставка...", L"\tCtl+I", 32867 },
    { 0, L"mnu_view", L"Вид", L"", 0 },
    { 1, L"mnu_word_wrap", L"Авто перенос", L"\tCtrl+W", 32780 },
    { 1, nullptr, L"", L"", -1 },
    { 1, L"mnu_search", L"Поиск", L"\tCtrl+F", 32789 },
    { 1, L"mnu_replace", L"Замена", L"\tCtrl+H", 32790 },
    { 0, L"mnu_windows", L"Окна", L"", 0 },
    { 1, L"mnu_win_new", L"Новое", L"\tCtrl+P", 32842 },
    { 1, L"mnu_win_close", L"Закрыть", L"\tCtrl+K", 32845 },
    { 1, nullptr, L"", L"", -1 },
    { 1, L"mnu_win_last", L"Предыдущее", L"", 32844 },
    { 1, L"mnu_win_next", L"Следующее", L"", 32843 },
    { 0, nullptr, L"&Quillex", L"", 0 },
    { 1, nullptr, L"Settings...\tCtrl+M", L"", 32820 },
    { 1, L"mnu_win_about", L"О программе...", L"", 40002 },
    { 0, nullptr, L"", L"", -1 },
    { 0, L"mnu_exit", L"Выход", L"\tCtrl+Q", 32791 },
};

// The expected lines, with texts from `textOf` for lines with a key.
std::vector<std::wstring> ExpectedTree(bool withQuickInsert,
                                       std::wstring (*textOf)(const TreeLine&))
{
    std::vector<std::wstring> lines;
    for (const TreeLine& t : kTree) {
        if (!withQuickInsert && t.command == 32867)
            continue;
        std::wstring line = std::to_wstring(t.depth) + L" ";
        std::wstring text = t.key ? textOf(t) + t.suffix : std::wstring(t.text);
        if (t.command == 0)
            line += text + L" >";
        else if (t.command < 0)
            line += L"-";
        else
            line += text + L" #" + std::to_wstring(t.command);
        lines.push_back(line);
    }
    return lines;
}

std::wstring BuiltIn(const TreeLine& t) { return t.text; }
std::wstring Translated(const TreeLine& t) { return std::wstring(L"EN ") + t.key; }

class MenuBar : public AppFixture {
protected:
    static int ButtonCount() { return (int)SendMessageW(g_app.menuBar, TB_BUTTONCOUNT, 0, 0); }
    static TBBUTTON Button(int index)
    {
        TBBUTTON button = {};
        SendMessageW(g_app.menuBar, TB_GETBUTTON, index, (LPARAM)&button);
        return button;
    }
    static std::wstring ButtonText(int index)
    {
        wchar_t text[128] = L"";
        SendMessageW(g_app.menuBar, TB_GETBUTTONTEXTW, Button(index).idCommand, (LPARAM)text);
        return text;
    }
    // The middle of the bar's button `index`, as a stylus tap gives it.
    static LPARAM ButtonMiddle(int index)
    {
        RECT key;
        SendMessageW(g_app.menuBar, TB_GETITEMRECT, index, (LPARAM)&key);
        return MAKELPARAM((key.left + key.right) / 2, (key.top + key.bottom) / 2);
    }
    // The picture buttons after the soft key, as (icon, command) pairs.
    static std::vector<std::pair<int, int>> Buttons(int from)
    {
        std::vector<std::pair<int, int>> buttons;
        for (int i = from; i < ButtonCount(); ++i)
            buttons.push_back({ Button(i).iBitmap, Button(i).idCommand });
        return buttons;
    }
    void LoadLanguageText(const std::wstring& text)
    {
        std::wstring path = temp.Path(L"test.lng");
        WriteBytes(path, "\xFF\xFE" + Utf16Bytes(text));
        g_lang.LoadFrom(path.c_str());
    }
};

}

TEST_F(MenuBar, DefaultToolbarAndItsSettings)
{
    ASSERT_TRUE(StartApp());
    ASSERT_NE(nullptr, g_app.menuBar);
    // The bar lies along the bottom of the device screen; the main window
    // ends where it begins.
    RECT bar, frame;
    GetWindowRect(g_app.menuBar, &bar);
    GetWindowRect(g_app.mainWindow, &frame);
    EXPECT_EQ(640, bar.bottom);
    EXPECT_EQ(480, bar.right - bar.left);
    EXPECT_EQ(bar.top, frame.bottom);

    EXPECT_EQ(23, Button(0).iBitmap);
    EXPECT_EQ(L" ", ButtonText(0));
    std::vector<std::pair<int, int>> standard = { { 2, 32781 }, { 3, 32782 }, { 5, 32783 },
                                                   { 16, 32873 } };
    EXPECT_EQ(standard, Buttons(1));

    g_settings.SetString(L"ToolBarItems", L"1");
    BuildToolbar();
    EXPECT_EQ((std::vector<std::pair<int, int>>{ { 2, 32781 } }), Buttons(1));
    g_settings.SetString(L"ToolBarItems", L"000000000000000");
    BuildToolbar();
    EXPECT_EQ(1, ButtonCount());
    g_settings.SetString(L"ToolBarItems", L"");
    BuildToolbar();
    EXPECT_EQ(1, ButtonCount());
    g_settings.SetString(L"ToolBarItems", L"000000000111111");
    BuildToolbar();
    std::vector<std::pair<int, int>> last = { { 11, 32789 }, { 12, 32790 }, { 13, 32780 },
                                              { 14, 32842 }, { 15, 32845 }, { 16, 32873 } };
    EXPECT_EQ(last, Buttons(1));
}

TEST_F(MenuBar, SoftKeyLooks)
{
    ASSERT_TRUE(StartApp(L"", L"MenuShowType=5\r\n"));
    EXPECT_EQ(I_IMAGENONE, Button(0).iBitmap);
    EXPECT_EQ(L"Меню", ButtonText(0));
    EXPECT_TRUE(Button(1).fsStyle & BTNS_SEP);
    EXPECT_EQ(32781, Button(2).idCommand);
    TearDown();

    ASSERT_TRUE(StartApp(L"", L"MenuShowType=3\r\n"));
    EXPECT_EQ(23, Button(0).iBitmap);
    EXPECT_EQ(L"Меню", ButtonText(0));
    EXPECT_FALSE(Button(1).fsStyle & BTNS_SEP);
    TearDown();

    // The standard style: "Menu" and the quick-insert key, no pictures.
    ASSERT_TRUE(StartApp(L"", L"StandardMenuWM5=1\r\n"));
    ASSERT_EQ(2, ButtonCount());
    EXPECT_EQ(32873, Button(1).idCommand);
    EXPECT_EQ(L"Вставка", ButtonText(1));
    LoadLanguageText(L"mnu_qi=Insert snippet\r\n");
    BuildMenus();
    EXPECT_EQ(L"Insert snippet", ButtonText(1));
}

TEST_F(MenuBar, TheSoftKeyOpensTheCommandTree)
{
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(g_app.quickInsertLoaded);
    PopupMenuWatcher watcher;
    // A tap on the soft key, as the stylus gives it.
    LPARAM at = ButtonMiddle(0);
    PostMessageW(g_app.menuBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(g_app.menuBar, WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(watcher.WaitForMenu(5000));
    EXPECT_EQ(ExpectedTree(true, BuiltIn), watcher.lines);
}

TEST_F(MenuBar, TreeInAnotherLanguageAndWithoutQuickInsert)
{
    ASSERT_TRUE(StartApp());
    std::wstring language;
    for (const TreeLine& t : kTree) {
        if (t.key)
            language += std::wstring(t.key) + L"=EN " + t.key + L"\r\n";
    }
    LoadLanguageText(language);
    CreateMenuBar();
    EXPECT_EQ(ExpectedTree(true, Translated), MenuLines(g_app.menuPopup));

    // Without QInsert.lst the View popup is the fifth entry.
    g_lang.LoadFrom(L"");
    g_app.quickInsertLoaded = 0;
    CreateMenuBar();
    EXPECT_EQ(ExpectedTree(false, BuiltIn), MenuLines(g_app.menuPopup));
    wchar_t fifth[64];
    GetMenuStringW(g_app.menuPopup, 4, fifth, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"Вид", fifth);
}

TEST_F(MenuBar, MenuCommandsReachTheMainWindow)
{
    ASSERT_TRUE(StartApp());
    // The quick-insert item with a fixed clock: the shipped list starts with
    // the date.
    SYSTEMTIME now = MakeTime(2007, 3, 5, 9, 7);
    SetDeviceLocalTime(&now);
    Command(CMD_QUICK_INSERT_FIRST);
    EXPECT_EQ(1, Doc(0)->modified);
    wchar_t text[64] = L"";
    GetWindowTextW(Doc(0)->edit, text, 64);
    EXPECT_STREQ(L"05.03.2007", text);
    // A picture button sends its command to the main window.
    SendMessageW(g_app.menuBar, TB_PRESSBUTTON, 32781, 0);
    int before = g_app.documents.count;
    Doc(0)->modified = 0;
    LPARAM at = ButtonMiddle(1);
    SendMessageW(g_app.menuBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(g_app.menuBar, WM_LBUTTONUP, 0, at);
    PumpMessages();
    // New replaced the unmodified document by an empty one.
    EXPECT_EQ(before, g_app.documents.count);
    EXPECT_EQ(0, Doc(0)->GetTextLength());
}

TEST_F(MenuBar, AboutBoxTexts)
{
    ASSERT_TRUE(StartApp());
    std::wstring thanks, translator, caption;
    auto read = [&](DialogView& view) {
        caption = view.Caption();
        thanks = view.Text(IDC_ABOUT_THANKS);
        translator = view.Text(IDC_ABOUT_TRANSLATOR);
        EXPECT_TRUE(TapDoneButton(view.window));
    };
    // The box shown once, worked by `script`, which ends it.
    auto showAbout = [](DialogDriver::Script script) {
        RunDialogs([] { return Command(CMD_ABOUT); }, { script });
    };
    showAbout(read);
    EXPECT_EQ(L"О программе", caption);
    EXPECT_EQ(L"Спасибо за помощь в тестировании, pocketpc.example.org", thanks);
    EXPECT_EQ(L"Quillex", translator);

    // A translation: its author, its thanks; an empty author keeps the template's.
    LoadLanguageText(L"abt_lng_author=John Smith\r\nabt_thx_tst=Thanks to %s for testing! %d %s\r\n");
    showAbout(read);
    EXPECT_EQ(L"John Smith", translator);
    EXPECT_EQ(L"Thanks to pocketpc.example.org for testing! %d %s", thanks);
    LoadLanguageText(L"abt_lng_author=\r\n");
    showAbout(read);
    EXPECT_EQ(L"Quillex", translator);

    // WM_CLOSE closes it too.
    showAbout([](DialogView& view) { SendMessageW(view.window, WM_CLOSE, 0, 0); });
}

TEST_F(MenuBar, ShippedEnglishTranslatesEveryMenuItem)
{
    ASSERT_TRUE(StartApp(L"", L"Language=English\r\n"));
    ASSERT_STREQ(L"Attention", g_lang.Lookup(L"notice", L"Внимание"));
    for (const TreeLine& t : kTree) {
        if (t.key) {
            EXPECT_STRNE(t.text, g_lang.Lookup(t.key, t.text)) << t.key;
        }
    }
    std::vector<std::wstring> tree = MenuLines(g_app.menuPopup);
    EXPECT_EQ(L"0 File >", tree[0]);
    EXPECT_EQ(L"1 New\tCtrl+N #32781", tree[1]);
}

TEST_F(MenuBar, ChangedSettingsRebuildTheBar)
{
    ASSERT_TRUE(StartApp());
    Doc(0)->SetText(L"текст");
    MenuSettings before = ReadMenuSettings();

    // Only the buttons changed: the same bar, new buttons.
    HWND bar = g_app.menuBar;
    g_settings.SetString(L"ToolBarItems", L"01");
    ApplySettingsChange(before);
    EXPECT_EQ(bar, g_app.menuBar);
    EXPECT_EQ((std::vector<std::pair<int, int>>{ { 3, 32782 } }), Buttons(1));

    // To the standard style: a new bar with the two soft keys.
    before = ReadMenuSettings();
    g_settings.SetInt(L"StandardMenuWM5", 1);
    ApplySettingsChange(before);
    EXPECT_NE(bar, g_app.menuBar);
    ASSERT_EQ(2, ButtonCount());
    EXPECT_EQ(L"Вставка", ButtonText(1));
    EXPECT_NE(nullptr, g_app.menuPopup);

    // Back to the toolbar style with another look: the soft key shows the text.
    before = ReadMenuSettings();
    g_settings.SetInt(L"StandardMenuWM5", 0);
    g_settings.SetInt(L"MenuShowType", 2);
    ApplySettingsChange(before);
    EXPECT_EQ(L"Меню", ButtonText(0));
    EXPECT_EQ(I_IMAGENONE, Button(0).iBitmap);
    EXPECT_EQ((std::vector<std::pair<int, int>>{ { 3, 32782 } }), Buttons(1));

    // Another language: the menus speak it; the text and font stay.
    before = ReadMenuSettings();
    g_settings.SetString(L"Language", L"English");
    g_settings.SetInt(L"FontSize", 30);
    ApplySettingsChange(before);
    wchar_t first[64];
    GetMenuStringW(g_app.menuPopup, 0, first, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"File", first);
    EXPECT_EQ(L"Menu", ButtonText(0));
    wchar_t text[16];
    GetWindowTextW(Doc(0)->edit, text, 16);
    EXPECT_STREQ(L"текст", text);
    LOGFONTW font;
    GetObjectW(Doc(0)->font, sizeof(font), &font);
    EXPECT_EQ(30, font.lfHeight);
    EXPECT_TRUE(IsWindowVisible(Doc(0)->edit));
}
