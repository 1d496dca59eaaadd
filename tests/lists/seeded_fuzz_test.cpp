#include <gtest/gtest.h>

#include <stdint.h>

#include <set>
#include <string>
#include <vector>

#include "lists/quick_insert.h"
#include "lists/recent_files.h"
#include "storage/atomic_file.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "storage/text_codec.h"
#include "storage/wide_text.h"
#include "tests/test_support.h"

// Random and mutated files for every reader of the program's own files, from
// a fixed seed so that a failure repeats: nothing may crash or hang, and the
// simple promises hold.

namespace {

class Fuzzer {
public:
    explicit Fuzzer(uint32_t seed) : state(seed) {}

    // xorshift32: the same numbers with every compiler and library.
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    uint32_t Below(uint32_t n) { return Next() % n; }

    // Bytes the formats care about, often; any byte now and then.
    char Byte()
    {
        static const char special[] = "\0\r\n=|\t/%!.LOGlog\xFF\xFE\xEF\xBB\xBF\xE0\xD0\xC1\x04\x5C";
        return Below(3) ? special[Below(sizeof(special) - 1)] : (char)Below(256);
    }

    std::string Random(uint32_t longest)
    {
        std::string bytes(Below(longest + 1), '\0');
        for (char& b : bytes)
            b = Byte();
        return bytes;
    }

    // A few flips, insertions, deletions, repeats and a cut.
    std::string Mutate(std::string bytes)
    {
        for (uint32_t n = 1 + Below(8); n > 0; --n) {
            size_t at = bytes.empty() ? 0 : Below((uint32_t)bytes.size());
            switch (Below(5)) {
            case 0: if (!bytes.empty()) bytes[at] = Byte(); break;
            case 1: bytes.insert(at, 1, Byte()); break;
            case 2: if (!bytes.empty()) bytes.erase(at, 1 + Below(4)); break;
            case 3: bytes.insert(at, bytes.substr(at, Below(40))); break;
            default: if (Below(4) == 0) bytes.resize(at); break;
            }
        }
        return bytes;
    }

    // Half random, half a mutated copy of a good file.
    std::string Input(const std::string& good, uint32_t longest)
    {
        return Below(2) ? Random(longest) : Mutate(good);
    }

private:
    uint32_t state;
};

const int kRounds = 2000;

// Thousands of saves test the formats, not a flat battery: they need not
// wait for the disk each time.
const bool kNoFlush = (SetFlushToStorage(false), true);

}

TEST(SeededFuzz, TextCodec)
{
    Fuzzer fuzz(20070305);
    TempFolder temp;
    // The text goes to a plain hidden window, which keeps any text: Wine's
    // edit control hangs on some random Unicode texts (its own fault).
    HWND sink = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    MessageBoxAnswerer answerer;
    const std::wstring path = temp.Path(L"in.txt"), copy = temp.Path(L"copy.txt");
    const std::string good = "\xEF\xBB\xBF" + Encode(L"Заметки\r\nстрока два\nи три", 65001);
    const int encodings[] = { ENC_AUTO, ENC_ANSI, ENC_WIN1251, ENC_DOS866, ENC_KOI8R, ENC_UTF8,
                              ENC_UTF16 };
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        // Now and then a file beyond the size limit.
        std::string bytes = round % 300 == 7 ? fuzz.Random(130000) : fuzz.Input(good, 300);
        WriteBytes(path, bytes);
        CTextFileIO load(path.c_str(), true, sink, encodings[fuzz.Below(7)], 0);
        ASSERT_TRUE(load.succeeded);
        std::wstring text = WindowText(sink);
        bool stamped = text.size() >= 4 && _wcsnicmp(text.c_str(), L".log", 4) == 0;
        ASSERT_LE(text.size(), (size_t)TEXT_UNIT_LIMIT + (stamped ? 22 : 0));

        // What was loaded comes back unchanged through a UTF-16 file.
        if (stamped)
            continue;
        { CTextFileIO save(copy.c_str(), false, sink, ENC_UTF16, CODEC_BOM); }
        SetWindowTextW(sink, L"");
        CTextFileIO again(copy.c_str(), true, sink, ENC_UTF16, 0);
        ASSERT_TRUE(text == WindowText(sink));
    }
    DestroyWindow(sink);
}

namespace {

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
    for (int round = 0; round < kRounds; ++round) {
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
    for (int round = 0; round < kRounds; ++round) {
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

TEST(SeededFuzz, RecentList)
{
    Fuzzer fuzz(20);
    TempFolder temp;
    std::wstring lines;
    for (int i = 0; i < 24; ++i) {
        std::wstring document = temp.Path(L"документ " + std::to_wstring(i) + L".txt");
        WriteBytes(document, "text");
        lines += document + L"\r\n";
    }
    const std::string good = Utf16Bytes(lines);
    const std::wstring path = temp.Path(L"Recent.lst"), copy = temp.Path(L"Copy.lst");
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        WriteBytes(path, fuzz.Input(good, 400));
        CRecentList list;
        list.LoadFrom(path.c_str());
        ASSERT_LE(list.count, RECENT_MAX);
        std::set<std::wstring> unique;
        for (int i = 0; i < list.count; ++i) {
            ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(list.At(i)));
            ASSERT_TRUE(unique.insert(list.At(i)).second);
        }
        ASSERT_TRUE(list.SaveTo(copy.c_str()));
        CRecentList again;
        again.LoadFrom(copy.c_str());
        ASSERT_EQ(list.count, again.count);
        for (int i = 0; i < list.count; ++i)
            ASSERT_STREQ(list.At(i), again.At(i));
        list.file[0] = again.file[0] = 0;
    }
}

namespace {

// Every command in the menu and its submenus lies within the list's items.
void CheckCommands(HMENU menu, int items)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CheckCommands(sub, items);
            continue;
        }
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)
            continue;
        UINT id = GetMenuItemID(menu, i);
        ASSERT_GE(id, (UINT)QUICK_INSERT_FIRST_COMMAND);
        ASSERT_LT(id, (UINT)(QUICK_INSERT_FIRST_COMMAND + items));
        ASSERT_LE(id, 0xFFFFu);
    }
}

}

TEST(SeededFuzz, QuickInsertList)
{
    Fuzzer fuzz(57200);
    TempFolder temp;
    EditHost host;
    const std::wstring path = temp.Path(L"QInsert.lst");
    const std::string good = "\xFF\xFE" + Utf16Bytes(L"Дата|%D.%M.%Y\r\nHTML\r\n\t<b>|<b>%!</b>\r\n"
                                                     L"\t%SEPARATOR%\r\n\t\tДальше|%%h%L\r\nВремя|%h:%m");
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        WriteBytes(path, fuzz.Input(good, 400));
        HMENU popup = CreatePopupMenu();
        {
            CQuickInsertList list(popup);
            if (list.LoadQuickInsertFrom(path.c_str())) {
                ASSERT_LE(list.count, QUICK_INSERT_MAX_ITEMS);
                CheckCommands(popup, list.count);
                if (list.count > 0) {
                    // Before, after or around the selected word: never in it.
                    static const int selections[3][2] = { { 0, 0 }, { 0, 5 }, { 5, 5 } };
                    const int* selection = selections[fuzz.Below(3)];
                    host.SetText(L"слово");
                    SendMessageW(host.edit, EM_SETSEL, selection[0], selection[1]);
                    list.InsertQuickText((int)fuzz.Below((uint32_t)list.count), host.edit);
                    ASSERT_NE(std::wstring::npos, host.Text().find(L"слово"));
                }
            }
        }
        DestroyMenu(popup);
    }
}
