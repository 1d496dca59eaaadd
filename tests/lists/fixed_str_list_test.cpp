#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lists/fixed_str_list.h"

namespace {

std::vector<std::wstring> Contents(const CFixedStrList& list)
{
    std::vector<std::wstring> out;
    for (int i = 0; i < list.count; ++i)
        out.push_back(list.At(i));
    return out;
}

void Fill(CFixedStrList& list, std::initializer_list<const wchar_t*> texts)
{
    for (const wchar_t* text : texts)
        list.AppendText(text);
}

typedef std::vector<std::wstring> Texts;

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

}

TEST(FixedStrList, InsertAtClampsThePosition)
{
    CFixedStrList list;
    EXPECT_TRUE(list.InsertAt(CFixedStrList::MakeSlot(L"b"), 0));
    // Each insertion leaves a spare slot past the end.
    EXPECT_EQ(2, list.capacity);
    list.InsertAt(CFixedStrList::MakeSlot(L"d"), 7);     // past the end: appended
    list.InsertAt(CFixedStrList::MakeSlot(L"a"), -3);    // negative: at the front
    list.InsertAt(CFixedStrList::MakeSlot(L"c"), 2);
    list.InsertAt(CFixedStrList::MakeSlot(L"e"), list.count);
    EXPECT_EQ(Texts({ L"a", L"b", L"c", L"d", L"e" }), Contents(list));
}

TEST(FixedStrList, InsertingACopyOfItsOwnSlot)
{
    CFixedStrList list;
    Fill(list, { L"one", L"two" });
    // The block may move while inserting; the slot came by value.
    list.InsertAt(list.items[1], 0);
    list.InsertAt(list.items[0], 3);
    EXPECT_EQ(Texts({ L"two", L"one", L"two", L"two" }), Contents(list));
}

TEST(FixedStrList, RemoveAtShiftsTheRestDown)
{
    CFixedStrList list;
    Fill(list, { L"a", L"b", L"c", L"d" });
    list.RemoveAt(1);
    EXPECT_EQ(Texts({ L"a", L"c", L"d" }), Contents(list));
    list.RemoveAt(2);
    EXPECT_EQ(Texts({ L"a", L"c" }), Contents(list));
    list.RemoveAt(0);
    EXPECT_EQ(Texts({ L"c" }), Contents(list));
    list.RemoveAt(5);    // outside the list: nothing happens
    list.RemoveAt(-1);
    EXPECT_EQ(Texts({ L"c" }), Contents(list));
}

TEST(FixedStrList, RemovingTheOnlySlotKeepsTheBlock)
{
    CFixedStrList list;
    list.AppendText(L"only");
    list.RemoveAt(0);
    EXPECT_EQ(0, list.count);
    EXPECT_NE(nullptr, list.items);
    EXPECT_EQ(1, list.capacity);
    list.Clear();    // count 0: nothing more is released
    EXPECT_NE(nullptr, list.items);
    EXPECT_EQ(0, list.count);
    list.AppendText(L"again");
    EXPECT_EQ(Texts({ L"again" }), Contents(list));
}

TEST(FixedStrList, TextIsCutAtTheSlotWithATerminator)
{
    CFixedStrList list;
    std::wstring longName(250, L'ж');
    list.AppendText(longName.c_str());
    EXPECT_EQ(std::wstring(FIXED_STR_UNITS - 1, L'ж'), list.At(0));
    // A fresh slot is zeros past the text.
    CFixedStrList::Slot slot = CFixedStrList::MakeSlot(L"ab");
    EXPECT_EQ(0, slot.text[2]);
    EXPECT_EQ(0, slot.text[FIXED_STR_UNITS - 1]);
}

TEST(FixedStrList, SortIgnoresCase)
{
    CFixedStrList list;
    Fill(list, { L"b", L"A", L"c" });
    list.Sort(CompareNoCase);
    EXPECT_EQ(Texts({ L"A", L"b", L"c" }), Contents(list));

    CFixedStrList folders;
    Fill(folders, { L"Яндекс", L"архив", L"Bin", L"альбом", L"_old", L"Zip", L"ёлка" });
    folders.Sort(CompareNoCase);
    // Latin before Cyrillic; '_' before the letters, as lower case compares;
    // 'ё' (U+0451) after 'я' (U+044F).
    EXPECT_EQ(Texts({ L"_old", L"Bin", L"Zip", L"альбом", L"архив", L"Яндекс", L"ёлка" }),
              Contents(folders));
}

TEST(FixedStrList, SortLeavesShortListsAlone)
{
    // Removed slots keep their old text past `count`: a sort that looked
    // beyond the list would bring it back.
    CFixedStrList empty;
    empty.AppendText(L"b");
    empty.RemoveAt(0);
    empty.Sort(CompareNoCase);
    EXPECT_EQ(0, empty.count);
    EXPECT_STREQ(L"b", empty.items[0].text);
    CFixedStrList one;
    one.AppendText(L"x");
    one.AppendText(L"a");
    one.RemoveAt(1);
    one.Sort(CompareNoCase);
    EXPECT_EQ(Texts({ L"x" }), Contents(one));
    EXPECT_STREQ(L"a", one.items[1].text);
}

TEST(FixedStrList, SortOrdersEveryLength)
{
    // Heap sorts go wrong at particular sizes (a last parent with one child,
    // the root's first pass): try every length up to 70, and a long list.
    for (int n : { 2, 3, 4, 5, 6, 7, 8, 9, 16, 17, 31, 32, 33, 64, 70, 500 }) {
        CFixedStrList list;
        std::vector<std::wstring> expected;
        unsigned seed = 12345u + (unsigned)n;
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            std::wstring name = std::wstring(1, (wchar_t)(L'a' + (seed >> 16) % 26)) +
                                std::wstring(1, (wchar_t)(L'А' + (seed >> 8) % 32)) +
                                std::to_wstring(seed % 97);
            if (seed & 0x100)
                name[0] = (wchar_t)towupper(name[0]);
            list.AppendText(name.c_str());
            expected.push_back(name);
        }
        list.Sort(CompareNoCase);
        std::vector<std::wstring> got = Contents(list);
        for (int i = 1; i < n; ++i)
            ASSERT_LE(CompareNoCase(got[i - 1].c_str(), got[i].c_str()), 0) << "n=" << n << " i=" << i;
        std::sort(expected.begin(), expected.end());
        std::sort(got.begin(), got.end());
        EXPECT_EQ(expected, got) << "n=" << n;
    }
}

TEST(CompareNoCase, FoldsLatinAndCyrillic)
{
    EXPECT_EQ(0, CompareNoCase(L"Readme.TXT", L"readme.txt"));
    EXPECT_EQ(0, CompareNoCase(L"Заметки", L"зАМЕТКИ"));
    EXPECT_EQ(0, CompareNoCase(L"Ёлка", L"ёЛКА"));
    EXPECT_EQ(-1, Sign(CompareNoCase(L"Арбуз", L"банан")));
    EXPECT_EQ(1, Sign(CompareNoCase(L"банан", L"АРБУЗ")));
    EXPECT_EQ(-1, Sign(CompareNoCase(L"abc", L"ABCD")));
    EXPECT_EQ(1, Sign(CompareNoCase(L"b", L"")));
    EXPECT_EQ(0, CompareNoCase(L"", L""));
    // Folded to lower case, '_' (0x5F) comes before 'a' (0x61).
    EXPECT_EQ(-1, Sign(CompareNoCase(L"A_B", L"aab")));
}
