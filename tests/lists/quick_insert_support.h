#ifndef QUILLEX_TESTS_LISTS_QUICK_INSERT_SUPPORT_H
#define QUILLEX_TESTS_LISTS_QUICK_INSERT_SUPPORT_H

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "lists/quick_insert.h"
#include "tests/test_support.h"

// A menu as the user sees it, read back item by item: "title#command" for a
// command, "title{...}" for a submenu, "---" for a separator, joined by ", ".
inline std::wstring DescribeMenu(HMENU menu)
{
    std::wstring out;
    int depth = 0;          // of the next item
    bool first = true;      // of its menu
    for (const MenuEntry& entry : WalkMenu(menu)) {
        for (; depth > entry.depth; --depth)
            out += L"}";
        if (!first)
            out += L", ";
        first = false;
        if (entry.separator) {
            out += L"---";
        } else if (entry.submenu) {
            out += entry.text + L"{";
            ++depth;
            first = true;
        } else {
            out += entry.text + L"#" + std::to_wstring(entry.id);
        }
    }
    for (; depth > 0; --depth)
        out += L"}";
    return out;
}

// A quick-insert list on a fresh pop-up menu, loaded from files the test
// writes, and an edit window to insert into.
class QuickInsertTest : public ::testing::Test {
protected:
    QuickInsertTest() : popup(CreatePopupMenu()), list(popup) {}
    ~QuickInsertTest() override
    {
        SetDeviceLocalTime(nullptr);
        SetDeviceScreen(480, 640);
        list.Release();
        DestroyMenu(popup);
    }

    // Writes `bytes` after the mark FF FE as QInsert.lst and loads it.
    bool LoadBytes(const std::string& bytes)
    {
        path = temp.Path(L"QInsert.lst");
        WriteBytes(path, "\xFF\xFE" + bytes);
        return list.LoadQuickInsertFrom(path.c_str());
    }
    bool Load(const std::wstring& lines) { return LoadBytes(Utf16Bytes(lines)); }

    std::wstring Menu() const { return DescribeMenu(popup); }

    void Select(int start, int end) { SendMessageW(edit.edit, EM_SETSEL, start, end); }
    std::pair<int, int> Selection() const
    {
        DWORD start = 0, end = 0;
        SendMessageW(edit.edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        return std::make_pair((int)start, (int)end);
    }
    bool Insert(int index) { return list.InsertQuickText(index, edit.edit); }
    void SetClock(int year, int month, int day, int hour, int minute, int second = 0)
    {
        SYSTEMTIME t = MakeTime(year, month, day, hour, minute, second);
        SetDeviceLocalTime(&t);
    }

    TempFolder temp;
    std::wstring path;
    HMENU popup;
    CQuickInsertList list;
    EditHost edit;
};

#endif
