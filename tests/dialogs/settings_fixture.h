#ifndef QUILLEX_TESTS_DIALOGS_SETTINGS_FIXTURE_H
#define QUILLEX_TESTS_DIALOGS_SETTINGS_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "tests/test_support.h"

// A settings store of its own, the built-in language, and a Languages
// folder beside the test program holding the files a test asks for.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDeviceScreen(480, 640);
        g_app.mainWindow = nullptr;
        std::wstring settingsPath = temp.Path(L"Settings.ini");
        g_settings.LoadFrom(settingsPath.c_str());
        g_lang.path[0] = 0;
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        languages = self;
        languages = languages.substr(0, languages.rfind(L'\\')) + L"\\Languages";
    }

    void TearDown() override
    {
        SetLanguageFiles({});
        g_settings.path[0] = 0;
        SetDeviceScreen(480, 640);
    }

    // Makes the Languages folder hold exactly `names` (".lng" added).
    void SetLanguageFiles(const std::vector<std::wstring>& names)
    {
        for (const wchar_t* old : { L"Russian", L"English", L"Deutsch" })
            DeleteFileW((languages + L"\\" + old + L".lng").c_str());
        RemoveDirectoryW(languages.c_str());
        if (names.empty())
            return;
        CreateDirectoryW(languages.c_str(), nullptr);
        for (const std::wstring& name : names)
            WriteBytes(languages + L"\\" + name + L".lng", "\xFF\xFE");
    }

    std::wstring Setting(const wchar_t* key)
    {
        wchar_t value[MAX_PATH] = L"";
        g_settings.GetString(key, value, MAX_PATH, L"(absent)");
        return value;
    }

    TempFolder temp;
    std::wstring languages;
};

#endif
