#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/atomic_file.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "storage/wide_text.h"
#include "tests/seeded_fuzzer.h"
#include "tests/test_support.h"

// Random and mutated Settings.ini and language files: nothing may crash or
// hang, and the simple promises hold.

namespace {

// Thousands of saves test the formats, not a flat battery: they need not
// wait for the disk each time.
const bool kNoFlush = (SetFlushToStorage(false), true);

std::vector<std::wstring> SettingKeys(const CSettings& settings)
{
    std::vector<std::wstring> keys = { L"WordWrap", L"LastFileName", L"FontSize", L"Language",
                                       L"ToolBarItems", L"HardKeyEvent3", L"" };
    for (int i = 0; i < settings.entries.count; ++i)
        keys.push_back(settings.entries[i]->key);
    return keys;
}

std::wstring Answer(CSettings& settings, const std::wstring& key)
{
    wchar_t value[SETTING_VALUE_UNITS + 1];
    settings.GetString(key.c_str(), value, SETTING_VALUE_UNITS + 1, L"(none)");
    return value;
}

}

TEST(SeededFuzz, SettingsStore)
{
    Fuzzer fuzz(1251);
    TempFolder temp;
    const std::wstring path = temp.Path(L"Settings.ini");
    const std::string good = Utf16Bytes(L"[Main]\r\nWordWrap=1\r\nFontSize=14\r\nLastFileName=C:\\а.txt\r\n");
    for (int round = 0; round < kFuzzRounds; ++round) {
        SCOPED_TRACE(round);
        WriteBytes(path, fuzz.Input(good, 400));
        CSettings first;
        first.LoadFrom(path.c_str());
        ASSERT_TRUE(first.Save());
        std::string saved = ReadBytes(path);

        CSettings second;
        second.LoadFrom(path.c_str());
        for (const std::wstring& key : SettingKeys(first))
            ASSERT_EQ(Answer(first, key), Answer(second, key));
        ASSERT_TRUE(second.Save());
        ASSERT_EQ(saved, ReadBytes(path));
        first.path[0] = second.path[0] = 0;
    }
}

TEST(SeededFuzz, LanguageFiles)
{
    Fuzzer fuzz(866);
    TempFolder temp;
    const std::wstring path = temp.Path(L"Test.lng");
    const std::string good =
        "\xFF\xFE" + Utf16Bytes(L"/%/ comment\r\nnotice=Attention\r\nmnu_open=&Open...\r\n");
    for (int round = 0; round < kFuzzRounds; ++round) {
        SCOPED_TRACE(round);
        WriteBytes(path, fuzz.Input(good, 400));
        CLangLoader lang;
        lang.LoadFrom(path.c_str());
        for (int i = 0; i < lang.entries.count; ++i) {
            const wchar_t* text = lang.Lookup(lang.entries[i]->key, nullptr);
            ASSERT_LT(BoundedLength(text, 390), 390);
        }
        ASSERT_STREQ(L"x", lang.Lookup(L"no such key in any file", L"x"));
    }
}
