#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_state.h"
#include "dialogs/advanced_settings.h"
#include "dialogs/settings_dialog.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "tests/test_support.h"

namespace {

const wchar_t kKeys[] = L"SOFTWARE\\Microsoft\\Shell\\Keys";
const wchar_t* const kExtensions[] = { L".txt", L".lst", L".pas" };

// A settings store of its own, the built-in language, a Languages folder
// beside the test program with the files a test names, and three file
// types of the prefix's registry, given back afterwards.
class SettingsDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDeviceScreen(480, 640);
        g_app.mainWindow = nullptr;
        g_settings.LoadFrom(temp.Path(L"Settings.ini").c_str());
        g_lang.path[0] = 0;
        languages = ProgramFolder() + L"Languages\\";
        for (const wchar_t* extension : kExtensions) {
            saved.push_back(RegText(HKEY_CLASSES_ROOT, extension, nullptr));
            RegDeleteTreeW(HKEY_CLASSES_ROOT, extension);
        }
    }

    void TearDown() override
    {
        SetLanguageFiles({});
        g_settings.path[0] = 0;
        SetDeviceScreen(480, 640);
        for (int i = 0; i < 3; ++i) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, kExtensions[i]);
            if (saved[i] != L"(none)")
                SetRegText(HKEY_CLASSES_ROOT, kExtensions[i], nullptr, saved[i]);
        }
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKeys);
        SeedDeviceButtons();
    }

    void SetLanguageFiles(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* old : { L"Russian", L"English", L"Deutsch" })
            DeleteFileW((languages + old + L".lng").c_str());
        RemoveDirectoryW(languages.c_str());
        CreateDirectoryW(languages.c_str(), nullptr);
        for (const wchar_t* name : names)
            WriteBytes(languages + name + L".lng", "\xFF\xFE");
    }

    // The device's buttons: `names` for keys 40C1 onwards, null for a gap.
    static void SetButtons(std::initializer_list<const wchar_t*> names)
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKeys);
        int number = 0x40C1;
        for (const wchar_t* name : names) {
            wchar_t key[64];
            StringCchPrintfW(key, 64, L"%s\\%X", kKeys, number++);
            if (name)
                SetRegText(HKEY_LOCAL_MACHINE, key, L"Name", name);
        }
    }

    TempFolder temp;
    std::wstring languages;
    std::vector<std::wstring> saved;
};

}

TEST_F(SettingsDialogs, FreshStartOnBothScreensAndOkChangesNothing)
{
    SetLanguageFiles({ L"English", L"Russian" });
    for (int width : { 240, 480 }) {
        SetDeviceScreen(width, width * 4 / 3);
        g_settings.entries.Clear();
        std::wstring size = width > 400 ? L"22" : L"14";
        EXPECT_TRUE(RunDialogs(ShowSettingsDialog, { [&](DialogView& dialog) {
            for (int id : { IDC_SET_LOAD_LAST, IDC_SET_CLOSE_BUTTON, IDC_SET_NEW_WINDOW,
                            IDC_SET_WM5_MENU })
                EXPECT_FALSE(dialog.IsChecked(id)) << id;
            EXPECT_EQ(size, dialog.Text(IDC_SET_FONT_SIZE));
            EXPECT_EQ(L"Tahoma", dialog.ComboText(IDC_SET_FONT));
            EXPECT_EQ(L"Russian", dialog.ComboText(IDC_SET_LANGUAGE));
            std::vector<std::wstring> actions = dialog.ListBoxItems(IDC_SET_TOOLBAR);
            ASSERT_EQ(15u, actions.size());
            EXPECT_EQ(L"Переоткрыть", actions[2]);
            EXPECT_EQ(L"Быстрая вставка", actions[14]);
            EXPECT_EQ(L"110100000000001", dialog.ListBoxMarks(IDC_SET_TOOLBAR));
            EXPECT_TRUE(dialog.Press(IDOK));
        } })) << width;
        EXPECT_EQ(L"Russian", Setting(L"Language"));
        EXPECT_EQ(L"Tahoma", Setting(L"FontName"));
        EXPECT_EQ(size, Setting(L"FontSize"));
        EXPECT_EQ(L"110100000000001" + std::wstring(115, L'0'), Setting(L"ToolBarItems"));
    }
}

TEST_F(SettingsDialogs, StoredNamesWithoutFileOrFontAreKept)
{
    SetLanguageFiles({ L"English", L"Deutsch" });
    g_settings.SetString(L"Language", L"Russian");
    g_settings.SetString(L"FontName", L"No Such Font");
    EXPECT_TRUE(RunDialogs(ShowSettingsDialog, { [&](DialogView& dialog) {
        EXPECT_EQ(L"", dialog.ComboText(IDC_SET_LANGUAGE));
        EXPECT_EQ(L"", dialog.ComboText(IDC_SET_FONT));
        EXPECT_TRUE(dialog.Press(IDOK));
    } }));
    EXPECT_EQ(L"Russian", Setting(L"Language"));
    EXPECT_EQ(L"No Such Font", Setting(L"FontName"));
}

// Vertical faces ("@Name", seen "@Droid Sans Fallback") lay every line
// sideways: the font box offers the upright families only.
TEST_F(SettingsDialogs, TheFontBoxLeavesOutVerticalFaces)
{
    SetLanguageFiles({ L"Russian" });
    EXPECT_FALSE(RunDialogs(ShowSettingsDialog, { [&](DialogView& dialog) {
        std::vector<std::wstring> fonts = dialog.ComboItems(IDC_SET_FONT);
        EXPECT_NE(fonts.end(), std::find(fonts.begin(), fonts.end(), L"Tahoma"));
        for (const std::wstring& font : fonts)
            EXPECT_NE(L'@', font[0]) << font;

        // Whatever the machine's fonts: a vertical face the enumeration
        // names is not added, its upright family is.
        HWND box = dialog.Item(IDC_SET_FONT);
        for (const wchar_t* face : { L"@Quillex Test Face", L"Quillex Test Face" }) {
            LOGFONTW font = {};
            StringCchCopyW(font.lfFaceName, LF_FACESIZE, face);
            EXPECT_EQ(1, AddFontName(&font, nullptr, TRUETYPE_FONTTYPE, (LPARAM)box));
        }
        fonts = dialog.ComboItems(IDC_SET_FONT);
        EXPECT_EQ(1, std::count(fonts.begin(), fonts.end(), L"Quillex Test Face"));
        EXPECT_EQ(0, std::count(fonts.begin(), fonts.end(), L"@Quillex Test Face"));
        EXPECT_TRUE(dialog.Press(IDCANCEL));
    } }));
}

TEST_F(SettingsDialogs, ToolbarItemsArePaddedKeptAndBounded)
{
    SetLanguageFiles({ L"English", L"Russian" });
    g_settings.SetString(L"ToolBarItems", L"1");
    EXPECT_TRUE(RunDialogs(ShowSettingsDialog, { [&](DialogView& dialog) {
        EXPECT_EQ(L"100000000000000", dialog.ListBoxMarks(IDC_SET_TOOLBAR));
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Авто перенос"));
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Новый"));
        dialog.Type(IDC_SET_FONT_SIZE, L"");
        EXPECT_TRUE(dialog.Press(IDOK));
    } }));
    EXPECT_EQ(L"000000000001000" + std::wstring(24, L'0'), Setting(L"ToolBarItems"));
    EXPECT_EQ(L"0", Setting(L"FontSize"));

    // What follows the fifteen places is written back, up to the buffer.
    std::wstring tail = L"XYZ" + std::wstring(200, L'7');
    g_settings.SetString(L"ToolBarItems", (L"010101010101010" + tail).c_str());
    EXPECT_TRUE(RunDialogs(ShowSettingsDialog, { [&](DialogView& dialog) {
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Быстрая вставка"));
        EXPECT_TRUE(dialog.Press(IDOK));
    } }));
    EXPECT_EQ((L"010101010101011" + tail).substr(0, 139), Setting(L"ToolBarItems"));
}

TEST_F(SettingsDialogs, ButtonsKeepTheirActionsUnderTheirOwnNumbers)
{
    // No 40C3: the third listed button is 40C4, number 3.
    SetButtons({ L"Календарь", L"Контакты", nullptr, L"Сегодня" });
    g_settings.SetInt(L"HardKeyEvent3", 12);
    g_settings.SetInt(L"HardKeyEvent0", 4);
    EXPECT_TRUE(RunDialogs(ShowAdvancedSettingsDialog, { [&](DialogView& dialog) {
        EXPECT_EQ((std::vector<std::wstring>{ L"Календарь", L"Контакты", L"Сегодня" }),
                  dialog.ComboItems(IDC_ADV_KEY));
        EXPECT_EQ(L"(NONE)", dialog.ComboItems(IDC_ADV_ACTION)[0]);
        EXPECT_EQ(L"Сохранить", dialog.ComboText(IDC_ADV_ACTION));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_KEY, L"Сегодня"));
        EXPECT_EQ(L"Авто перенос", dialog.ComboText(IDC_ADV_ACTION));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_KEY, L"Контакты"));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_ACTION, L"Поиск"));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_KEY, L"Календарь"));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_ACTION, L"(NONE)"));
        EXPECT_TRUE(dialog.Press(IDOK));
    } }));
    EXPECT_EQ(L"0", Setting(L"HardKeyEvent0"));
    EXPECT_EQ(L"10", Setting(L"HardKeyEvent1"));
    EXPECT_EQ(L"(absent)", Setting(L"HardKeyEvent2"));
    EXPECT_EQ(L"12", Setting(L"HardKeyEvent3"));
}

TEST_F(SettingsDialogs, AssociationsKeepAndRestoreThePreviousClass)
{
    SetRegText(HKEY_CLASSES_ROOT, L".txt", nullptr, L"txtfile");
    auto setBox = [](int id, bool on) {
        return [=](DialogView& dialog) {
            if (dialog.IsChecked(id) != on) {
                EXPECT_TRUE(dialog.Press(id));
            }
            EXPECT_TRUE(dialog.Press(IDOK));
        };
    };
    // OK twice with TXT checked: the backup stays the first previous class.
    EXPECT_TRUE(RunDialogs(ShowAdvancedSettingsDialog, { setBox(IDC_ADV_TXT, true) }));
    EXPECT_TRUE(RunDialogs(ShowAdvancedSettingsDialog, { setBox(IDC_ADV_TXT, true) }));
    EXPECT_EQ(L"QuillexFile", RegText(HKEY_CLASSES_ROOT, L".txt", nullptr));
    EXPECT_EQ(L"txtfile", RegText(HKEY_CLASSES_ROOT, L".txt", L"Backup"));
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(L"\"" + std::wstring(program) + L"\" \"%1\"",
              RegText(HKEY_CLASSES_ROOT, L"QuillexFile\\Shell\\OpenDoc\\Command", nullptr));
    EXPECT_TRUE(RunDialogs(ShowAdvancedSettingsDialog, { setBox(IDC_ADV_TXT, false) }));
    EXPECT_EQ(L"txtfile", RegText(HKEY_CLASSES_ROOT, L".txt", nullptr));

    // No previous class: no backup, and unchecking leaves the program's class.
    EXPECT_TRUE(RunDialogs(ShowAdvancedSettingsDialog, { setBox(IDC_ADV_PAS, true) }));
    EXPECT_TRUE(RunDialogs(ShowAdvancedSettingsDialog, { setBox(IDC_ADV_PAS, false) }));
    EXPECT_EQ(L"(none)", RegText(HKEY_CLASSES_ROOT, L".pas", L"Backup"));
    EXPECT_EQ(L"QuillexFile", RegText(HKEY_CLASSES_ROOT, L".pas", nullptr));

    // A class too long for the buffer is never cut into another one.
    std::wstring longClass(200, L'c');
    SetRegText(HKEY_CLASSES_ROOT, L".lst", nullptr, longClass);
    EXPECT_TRUE(RunDialogs(ShowAdvancedSettingsDialog, { setBox(IDC_ADV_LST, true) }));
    EXPECT_EQ(L"(none)", RegText(HKEY_CLASSES_ROOT, L".lst", L"Backup"));
}

TEST_F(SettingsDialogs, CancellingTheSettingsKeepsAdvancedChanges)
{
    SetButtons({ L"Кнопка 1" });
    EXPECT_FALSE(RunDialogs(ShowSettingsDialog,
                     { [](DialogView& settings) {
                          EXPECT_TRUE(settings.Press(IDC_SET_ADVANCED));
                          EXPECT_TRUE(settings.Press(IDCANCEL));
                      },
                       [](DialogView& advanced) {
                           EXPECT_TRUE(advanced.Pick(IDC_ADV_ACTION, L"Замена"));
                           EXPECT_TRUE(advanced.Pick(IDC_ADV_SHOW_TYPE, L"Текст"));
                           EXPECT_TRUE(advanced.Press(IDOK));
                       } }));
    EXPECT_EQ(L"11", Setting(L"HardKeyEvent0"));
    EXPECT_EQ(L"2", Setting(L"MenuShowType"));
}
