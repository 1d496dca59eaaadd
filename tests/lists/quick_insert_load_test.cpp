#include "tests/lists/quick_insert_support.h"

// Reading QInsert.lst: which lines become items, with which titles and texts.

typedef QuickInsertTest QuickInsertLoad;

TEST_F(QuickInsertLoad, MissingOrShortFilesGiveNoMenu)
{
    EXPECT_FALSE(list.LoadQuickInsertFrom(temp.Path(L"absent.lst").c_str()));
    // The mark and one byte: shorter than 4 bytes.
    EXPECT_FALSE(LoadBytes("A"));
    EXPECT_FALSE(LoadBytes(""));
    EXPECT_EQ(0, list.count);
    EXPECT_EQ(0, GetMenuItemCount(popup));
}

TEST_F(QuickInsertLoad, FourBytesMakeOneItem)
{
    EXPECT_TRUE(Load(L"A"));
    EXPECT_EQ(L"A#57200", Menu());
}

TEST_F(QuickInsertLoad, TheMarkIsSkippedUnread)
{
    // Whatever the first two bytes are, they are not part of the first title.
    path = temp.Path(L"QInsert.lst");
    WriteBytes(path, "AB" + Utf16Bytes(L"Date|%D"));
    EXPECT_TRUE(list.LoadQuickInsertFrom(path.c_str()));
    EXPECT_EQ(L"Date#57200", Menu());
}

TEST_F(QuickInsertLoad, TitleAndTextSplitAtTheFirstBar)
{
    EXPECT_TRUE(Load(L"Pipe|a|b||\r\nNo text\r\nEmpty text|\r\n|Untitled"));
    ASSERT_EQ(4, list.count);
    EXPECT_STREQ(L"Pipe", list[0].title);
    EXPECT_STREQ(L"a|b||", list[0].insertText);
    EXPECT_STREQ(L"No text", list[1].title);
    EXPECT_EQ(nullptr, list[1].insertText);
    EXPECT_STREQ(L"", list[2].insertText);
    EXPECT_STREQ(L"", list[3].title);
    EXPECT_STREQ(L"Untitled", list[3].insertText);
}

TEST_F(QuickInsertLoad, EmptyLinesDoNotChangeTheNumbering)
{
    EXPECT_TRUE(Load(L"\r\nA|a\r\n\r\n\r\nB|b\r\n\r\nC|c\r\n\r\n"));
    EXPECT_EQ(L"A#57200, B#57201, C#57202", Menu());
    // The command of B inserts B's text.
    edit.SetText(L"");
    EXPECT_TRUE(Insert(57201 - QUICK_INSERT_FIRST_COMMAND));
    EXPECT_EQ(L"b", edit.Text());
}

TEST_F(QuickInsertLoad, LongTitlesAreCutAt99Units)
{
    std::wstring title(150, L'Ж');
    EXPECT_TRUE(Load(title + L"|text\r\nNext|n"));
    EXPECT_EQ(std::wstring(99, L'Ж'), list[0].title);
    EXPECT_STREQ(L"text", list[0].insertText);
    EXPECT_EQ(std::wstring(99, L'Ж') + L"#57200, Next#57201", Menu());
}

TEST_F(QuickInsertLoad, OddFilesAreReadWithinTheirBytes)
{
    // An odd byte at the end, after a last line without CR LF.
    EXPECT_TRUE(LoadBytes(Utf16Bytes(L"A|a\r\nB|b") + "\x42"));
    EXPECT_EQ(L"A#57200, B#57201", Menu());
    EXPECT_STREQ(L"b", list[1].insertText);
}

TEST_F(QuickInsertLoad, LoneCrAtTheEnd)
{
    EXPECT_TRUE(Load(L"A|a\r\nB|b\r"));
    EXPECT_EQ(L"A#57200, B#57201", Menu());
    EXPECT_STREQ(L"b", list[1].insertText);
}

TEST_F(QuickInsertLoad, NoLineEndAtAll)
{
    EXPECT_TRUE(Load(L"Only|%Y"));
    EXPECT_EQ(L"Only#57200", Menu());
    EXPECT_STREQ(L"%Y", list[0].insertText);
}

TEST_F(QuickInsertLoad, NulUnitsInsideALine)
{
    // A NUL ends the title or text it sits in, not the file.
    static const wchar_t lines[] = L"Ti\0tle|te\0xt\r\nB|b";
    EXPECT_TRUE(Load(std::wstring(lines, sizeof(lines) / sizeof(wchar_t) - 1)));
    ASSERT_EQ(2, list.count);
    EXPECT_STREQ(L"Ti", list[0].title);
    EXPECT_STREQ(L"te", list[0].insertText);
    EXPECT_EQ(L"Ti#57200, B#57201", Menu());
}

TEST_F(QuickInsertLoad, ReleaseFreesTheItems)
{
    EXPECT_TRUE(Load(L"A|a\r\nB"));
    list.Release();
    EXPECT_EQ(0, list.count);
    EXPECT_FALSE(Insert(0));
}
