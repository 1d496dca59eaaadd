#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "lists/quick_insert.h"
#include "lists/recent_files.h"
#include "storage/atomic_file.h"
#include "storage/wide_text.h"
#include "tests/seeded_fuzzer.h"
#include "tests/test_support.h"

// Random and mutated Recent.lst and QInsert.lst files: nothing may crash or
// hang, and the simple promises hold.

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
    for (int round = 0; round < kFuzzRounds; ++round) {
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

// Thousands of saves test the formats, not a flat battery: they need not
// wait for the disk each time.
const bool kNoFlush = (SetFlushToStorage(false), true);

// Every command in the menu and its submenus lies within the list's items.
void CheckCommands(HMENU menu, int items)
{
    for (const MenuEntry& entry : WalkMenu(menu)) {
        if (entry.submenu || entry.separator)
            continue;
        ASSERT_GE(entry.id, (UINT)QUICK_INSERT_FIRST_COMMAND);
        ASSERT_LT(entry.id, (UINT)(QUICK_INSERT_FIRST_COMMAND + items));
        ASSERT_LE(entry.id, 0xFFFFu);
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
    for (int round = 0; round < kFuzzRounds; ++round) {
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
