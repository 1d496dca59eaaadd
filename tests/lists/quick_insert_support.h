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
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            out += L", ";
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, i, TRUE, &info)) {
            out += L"?";
            continue;
        }
        if (info.fType & MFT_SEPARATOR) {
            out += L"---";
            continue;
        }
        wchar_t text[256] = L"";
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        out += text;
        if (info.hSubMenu)
            out += L"{" + DescribeMenu(info.hSubMenu) + L"}";
        else
            out += L"#" + std::to_wstring(info.wID);
    }
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
