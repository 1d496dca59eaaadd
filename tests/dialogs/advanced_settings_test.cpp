#include "tests/dialogs/settings_fixture.h"

#include "dialogs/advanced_settings.h"
#include "dialogs/settings_dialog.h"

namespace {

const wchar_t kKeys[] = L"SOFTWARE\\Microsoft\\Shell\\Keys";

std::wstring RegText(HKEY root, const std::wstring& key, const wchar_t* name)
{
    wchar_t value[1024] = L"";
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
        ERROR_SUCCESS)
        return L"(none)";
    return value;
}

void SetRegText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& text)
{
    RegSetKeyValueW(root, key.c_str(), name, REG_SZ, text.c_str(),
                    (DWORD)((text.size() + 1) * sizeof(wchar_t)));
}

// The device's buttons as a test wants them: `names` for keys 40C1 onwards,
// null for a key the device lacks.
void SetButtons(std::initializer_list<const wchar_t*> names)
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKeys);
    int i = 0;
    for (const wchar_t* name : names) {
        wchar_t key[64];
        StringCchPrintfW(key, 64, L"%s\\40%02X", kKeys, 0xC1 + i++);
        if (name)
            SetRegText(HKEY_LOCAL_MACHINE, key, L"Name", name);
    }
}

class AdvancedSettings : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        for (const wchar_t* extension : { L".txt", L".lst", L".pas" }) {
            saved.push_back(RegText(HKEY_CLASSES_ROOT, extension, nullptr));
            RegDeleteTreeW(HKEY_CLASSES_ROOT, extension);
        }
    }

    void TearDown() override
    {
        const wchar_t* extensions[] = { L".txt", L".lst", L".pas" };
        for (int i = 0; i < 3; ++i) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, extensions[i]);
            if (saved[i] != L"(none)")
                SetRegText(HKEY_CLASSES_ROOT, extensions[i], nullptr, saved[i]);
        }
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKeys);
        SeedDeviceButtons();
        SettingsTest::TearDown();
    }

    bool Run(DialogDriver::Script script)
    {
        DialogDriver driver(L"Доп. настройки");
        driver.Then(script);
        bool ok = ShowAdvancedSettingsDialog();
        EXPECT_EQ(1, driver.ran);
        EXPECT_EQ(0, driver.leftOpen);
        return ok;
    }

    std::vector<std::wstring> saved;
};

}

TEST_F(AdvancedSettings, ButtonsKeepTheirActionsUnderTheirOwnNumbers)
{
    SetButtons({ L"Календарь", L"Контакты", nullptr, L"Сегодня" });
    g_settings.SetInt(L"HardKeyEvent3", 12);
    g_settings.SetInt(L"HardKeyEvent0", 4);
    EXPECT_TRUE(Run([&](DialogView& dialog) {
        EXPECT_EQ((std::vector<std::wstring>{ L"Календарь", L"Контакты", L"Сегодня" }),
                  dialog.ComboItems(IDC_ADV_KEY));
        std::vector<std::wstring> actions = dialog.ComboItems(IDC_ADV_ACTION);
        ASSERT_EQ(16u, actions.size());
        EXPECT_EQ(L"(NONE)", actions[0]);
        EXPECT_EQ(L"Быстрая вставка", actions[15]);
        EXPECT_EQ(L"Календарь", dialog.ComboText(IDC_ADV_KEY));
        EXPECT_EQ(L"Сохранить", dialog.ComboText(IDC_ADV_ACTION));
        // The third listed button is 40C4, number 3.
        EXPECT_TRUE(dialog.Pick(IDC_ADV_KEY, L"Сегодня"));
        EXPECT_EQ(L"Авто перенос", dialog.ComboText(IDC_ADV_ACTION));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_KEY, L"Контакты"));
        EXPECT_EQ(L"(NONE)", dialog.ComboText(IDC_ADV_ACTION));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_ACTION, L"Поиск"));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_KEY, L"Календарь"));
        EXPECT_TRUE(dialog.Pick(IDC_ADV_ACTION, L"(NONE)"));
        EXPECT_TRUE(dialog.Press(IDOK));
    }));
    EXPECT_EQ(L"0", Setting(L"HardKeyEvent0"));
    EXPECT_EQ(L"10", Setting(L"HardKeyEvent1"));
    EXPECT_EQ(L"(absent)", Setting(L"HardKeyEvent2"));
    EXPECT_EQ(L"12", Setting(L"HardKeyEvent3"));

    // A device without buttons lists none and writes no assignment.
    SetButtons({});
    g_settings.entries.Clear();
    EXPECT_TRUE(Run([&](DialogView& dialog) {
        EXPECT_TRUE(dialog.ComboItems(IDC_ADV_KEY).empty());
        EXPECT_TRUE(dialog.Pick(IDC_ADV_SHOW_TYPE, L"Текст и разделитель"));
        EXPECT_TRUE(dialog.Press(IDOK));
    }));
    EXPECT_EQ(L"(absent)", Setting(L"HardKeyEvent0"));
    EXPECT_EQ(L"5", Setting(L"MenuShowType"));
}

TEST_F(AdvancedSettings, AssociationKeepsAndRestoresThePreviousClass)
{
    SetRegText(HKEY_CLASSES_ROOT, L".txt", nullptr, L"txtfile");
    auto check = [&](int id, bool on) {
        return [=](DialogView& dialog) {
            if (dialog.IsChecked(id) != on)
                EXPECT_TRUE(dialog.Press(id));
            EXPECT_TRUE(dialog.Press(IDOK));
        };
    };
    // Cancel leaves the registry alone.
    EXPECT_FALSE(Run([&](DialogView& dialog) {
        EXPECT_FALSE(dialog.IsChecked(IDC_ADV_TXT));
        EXPECT_TRUE(dialog.Press(IDC_ADV_TXT));
        EXPECT_TRUE(dialog.Press(IDCANCEL));
    }));
    EXPECT_EQ(L"txtfile", RegText(HKEY_CLASSES_ROOT, L".txt", nullptr));

    // Twice OK with TXT checked: the backup stays the first previous class.
    EXPECT_TRUE(Run(check(IDC_ADV_TXT, true)));
    EXPECT_TRUE(Run([&](DialogView& dialog) {
        EXPECT_TRUE(dialog.IsChecked(IDC_ADV_TXT));
        EXPECT_TRUE(dialog.Press(IDOK));
    }));
    EXPECT_EQ(L"QuillexFile", RegText(HKEY_CLASSES_ROOT, L".txt", nullptr));
    EXPECT_EQ(L"txtfile", RegText(HKEY_CLASSES_ROOT, L".txt", L"Backup"));
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(L"\"" + std::wstring(program) + L"\" \"%1\"",
              RegText(HKEY_CLASSES_ROOT, L"QuillexFile\\Shell\\OpenDoc\\Command", nullptr));
    EXPECT_EQ(std::wstring(program) + L",0",
              RegText(HKEY_CLASSES_ROOT, L"QuillexFile\\DefaultIcon", nullptr));
    EXPECT_EQ(L"Открыть с помощью QuillexFile",
              RegText(HKEY_CLASSES_ROOT, L"QuillexFile\\Shell\\Open", nullptr));

    EXPECT_TRUE(Run(check(IDC_ADV_TXT, false)));
    EXPECT_EQ(L"txtfile", RegText(HKEY_CLASSES_ROOT, L".txt", nullptr));

    // No previous class: no backup, and unchecking leaves the program's class.
    EXPECT_TRUE(Run(check(IDC_ADV_PAS, true)));
    EXPECT_EQ(L"(none)", RegText(HKEY_CLASSES_ROOT, L".pas", L"Backup"));
    EXPECT_TRUE(Run(check(IDC_ADV_PAS, false)));
    EXPECT_EQ(L"QuillexFile", RegText(HKEY_CLASSES_ROOT, L".pas", nullptr));

    // A class too long for the buffer is never cut into another one.
    std::wstring longClass(200, L'c');
    SetRegText(HKEY_CLASSES_ROOT, L".lst", nullptr, longClass);
    EXPECT_TRUE(Run(check(IDC_ADV_LST, true)));
    EXPECT_EQ(L"(none)", RegText(HKEY_CLASSES_ROOT, L".lst", L"Backup"));
    SetRegText(HKEY_CLASSES_ROOT, L".lst", L"Backup", longClass);
    EXPECT_TRUE(Run(check(IDC_ADV_LST, false)));
    EXPECT_EQ(L"QuillexFile", RegText(HKEY_CLASSES_ROOT, L".lst", nullptr));
}

TEST_F(AdvancedSettings, CancellingTheSettingsKeepsAdvancedChanges)
{
    SetButtons({ L"Кнопка 1" });
    DialogDriver driver;
    driver.Then([&](DialogView& settings) {
        EXPECT_TRUE(settings.Press(IDC_SET_ADVANCED));
        EXPECT_TRUE(settings.IsOpen());
        EXPECT_TRUE(settings.Press(IDCANCEL));
    });
    driver.Then([&](DialogView& advanced) {
        EXPECT_EQ(L"Доп. настройки", advanced.Caption());
        EXPECT_TRUE(advanced.Pick(IDC_ADV_ACTION, L"Замена"));
        EXPECT_TRUE(advanced.Pick(IDC_ADV_SHOW_TYPE, L"Текст"));
        EXPECT_TRUE(advanced.Press(IDOK));
    });
    EXPECT_FALSE(ShowSettingsDialog());
    EXPECT_EQ(2, driver.ran);
    EXPECT_EQ(L"11", Setting(L"HardKeyEvent0"));
    EXPECT_EQ(L"2", Setting(L"MenuShowType"));
}
