#include "tests/dialogs/settings_fixture.h"

#include "dialogs/settings_dialog.h"

namespace {

const std::vector<std::wstring> kActionNames = {
    L"Новый",   L"Открыть",      L"Переоткрыть", L"Сохранить",  L"Сохранить как",
    L"Вырезать", L"Копировать",  L"Вставить",    L"Выделить всё", L"Поиск",
    L"Замена",  L"Авто перенос", L"Новое окно",  L"Закрыть окно", L"Быстрая вставка",
};

class SettingsDialog : public SettingsTest {
protected:
    // Runs the dialog with `script`; true when it ended with OK.
    bool Run(DialogDriver::Script script)
    {
        DialogDriver driver;
        driver.Then(script);
        bool ok = ShowSettingsDialog();
        EXPECT_EQ(1, driver.ran);
        EXPECT_EQ(0, driver.leftOpen);
        return ok;
    }
};

}

TEST_F(SettingsDialog, FreshStartOnBothScreensAndOkChangesNothing)
{
    SetLanguageFiles({ L"English", L"Russian" });
    for (int width : { 240, 480 }) {
        SetDeviceScreen(width, width * 4 / 3);
        g_settings.entries.Clear();
        std::wstring size = width > 400 ? L"22" : L"14";
        EXPECT_TRUE(Run([&](DialogView& dialog) {
            for (int id : { IDC_SET_LOAD_LAST, IDC_SET_CLOSE_BUTTON, IDC_SET_NEW_WINDOW,
                            IDC_SET_WM5_MENU })
                EXPECT_FALSE(dialog.IsChecked(id)) << id;
            EXPECT_EQ(size, dialog.Text(IDC_SET_FONT_SIZE));
            EXPECT_EQ(L"Tahoma", dialog.ComboText(IDC_SET_FONT));
            EXPECT_EQ((std::vector<std::wstring>{ L"English", L"Russian" }),
                      dialog.ComboItems(IDC_SET_LANGUAGE));
            EXPECT_EQ(L"Russian", dialog.ComboText(IDC_SET_LANGUAGE));
            EXPECT_EQ(kActionNames, dialog.ListBoxItems(IDC_SET_TOOLBAR));
            EXPECT_EQ(L"110100000000001", dialog.ListBoxMarks(IDC_SET_TOOLBAR));
            EXPECT_EQ(L"Доп. настройки", dialog.Text(IDC_SET_ADVANCED));
            EXPECT_TRUE(dialog.Press(IDOK));
        })) << width;
        EXPECT_EQ(L"Russian", Setting(L"Language"));
        EXPECT_EQ(L"Tahoma", Setting(L"FontName"));
        EXPECT_EQ(size, Setting(L"FontSize"));
        EXPECT_EQ(L"0", Setting(L"StandardMenuWM5"));
        std::wstring items = Setting(L"ToolBarItems");
        EXPECT_EQ(130u, items.size());
        EXPECT_EQ(L"110100000000001000", items.substr(0, 18));
    }
}

TEST_F(SettingsDialog, NamesWithoutFilesOrFontsAreKeptAsStored)
{
    // No file for the stored language, and a font that is not installed:
    // both boxes stay empty and OK keeps what was stored.
    SetLanguageFiles({ L"English", L"Deutsch" });
    g_settings.SetString(L"Language", L"Russian");
    g_settings.SetString(L"FontName", L"No Such Font");
    EXPECT_TRUE(Run([&](DialogView& dialog) {
        EXPECT_EQ(L"", dialog.ComboText(IDC_SET_LANGUAGE));
        EXPECT_EQ(L"", dialog.ComboText(IDC_SET_FONT));
        EXPECT_TRUE(dialog.Press(IDOK));
    }));
    EXPECT_EQ(L"Russian", Setting(L"Language"));
    EXPECT_EQ(L"No Such Font", Setting(L"FontName"));

    // No Languages folder at all; the user may still pick a font.
    SetLanguageFiles({});
    EXPECT_TRUE(Run([&](DialogView& dialog) {
        EXPECT_TRUE(dialog.ComboItems(IDC_SET_LANGUAGE).empty());
        EXPECT_TRUE(dialog.Pick(IDC_SET_FONT, L"Tahoma"));
        EXPECT_TRUE(dialog.Press(IDOK));
    }));
    EXPECT_EQ(L"Russian", Setting(L"Language"));
    EXPECT_EQ(L"Tahoma", Setting(L"FontName"));
}

TEST_F(SettingsDialog, ToolbarItemsAndTheOtherValues)
{
    SetLanguageFiles({ L"English", L"Russian" });
    // A short text counts the missing places as hidden and is padded.
    g_settings.SetString(L"ToolBarItems", L"1");
    EXPECT_TRUE(Run([&](DialogView& dialog) {
        EXPECT_EQ(L"100000000000000", dialog.ListBoxMarks(IDC_SET_TOOLBAR));
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Авто перенос"));
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Новый"));
        EXPECT_TRUE(dialog.Press(IDC_SET_WM5_MENU));
        dialog.Type(IDC_SET_FONT_SIZE, L"");
        EXPECT_TRUE(dialog.Pick(IDC_SET_LANGUAGE, L"English"));
        EXPECT_TRUE(dialog.Press(IDOK));
    }));
    EXPECT_EQ(L"000000000001000" + std::wstring(24, L'0'), Setting(L"ToolBarItems"));
    EXPECT_EQ(L"1", Setting(L"StandardMenuWM5"));
    EXPECT_EQ(L"0", Setting(L"FontSize"));
    EXPECT_EQ(L"English", Setting(L"Language"));

    // What follows the fifteen places is kept; a text longer than the
    // buffer is read up to it.
    std::wstring tail = L"XYZ" + std::wstring(200, L'7');
    g_settings.SetString(L"ToolBarItems", (L"010101010101010" + tail).c_str());
    EXPECT_TRUE(Run([&](DialogView& dialog) {
        EXPECT_EQ(L"010101010101010", dialog.ListBoxMarks(IDC_SET_TOOLBAR));
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Быстрая вставка"));
        dialog.Type(IDC_SET_FONT_SIZE, L"5000");
        EXPECT_TRUE(dialog.Press(IDOK));
    }));
    EXPECT_EQ((L"010101010101011" + tail).substr(0, 139), Setting(L"ToolBarItems"));
    EXPECT_EQ(L"5000", Setting(L"FontSize"));

    // Cancel and closing write nothing.
    EXPECT_FALSE(Run([&](DialogView& dialog) {
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Новый"));
        EXPECT_TRUE(dialog.Press(IDCANCEL));
    }));
    EXPECT_FALSE(Run([&](DialogView& dialog) {
        EXPECT_TRUE(dialog.Press(IDC_SET_LOAD_LAST));
        SendMessageW(dialog.window, WM_CLOSE, 0, 0);
    }));
    EXPECT_EQ(L"010101", Setting(L"ToolBarItems").substr(0, 6));
    EXPECT_EQ(L"0", Setting(L"LoadLastFile"));
}
