#include "tests/lists/quick_insert_support.h"

// Choosing an item: the expanded text goes into a real edit window.

typedef QuickInsertTest QuickInsertText;

TEST_F(QuickInsertText, DateAndTimeOnASetClock)
{
    EXPECT_TRUE(Load(L"Date|%D.%M.%Y\r\nTime|%h:%m\r\n"));
    EXPECT_EQ(L"Date#57200, Time#57201", Menu());
    SetClock(2007, 3, 5, 9, 4, 30);
    EXPECT_TRUE(Insert(0));
    EXPECT_EQ(L"05.03.2007", edit.Text());
    // The caret ends after the text, where the next one goes.
    EXPECT_EQ(std::make_pair(10, 10), Selection());
    EXPECT_TRUE(Insert(1));
    EXPECT_EQ(L"05.03.200709:04", edit.Text());
}

TEST_F(QuickInsertText, EveryMacroInItsOrder)
{
    EXPECT_TRUE(Load(L"All|%Y-%M-%D %h:%m:%s%L100%%\r\nStamp|%%Y %%h %%%%"));
    SetClock(2024, 12, 31, 23, 59, 58);
    EXPECT_TRUE(Insert(0));
    EXPECT_EQ(L"2024-12-31 23:59:58\r\n100%", edit.Text());
    edit.SetText(L"");
    EXPECT_TRUE(Insert(1));
    EXPECT_EQ(L"%2024 %23 %%", edit.Text());
}

TEST_F(QuickInsertText, WrapsTheSelectedWord)
{
    EXPECT_TRUE(Load(L"HTML\r\n\tBold|<b>%!</b>"));
    edit.SetText(L"say hello now");
    Select(4, 9);
    EXPECT_TRUE(Insert(1));
    EXPECT_EQ(L"say <b>hello</b> now", edit.Text());
    // The caret stands after the word, before the closing tag.
    EXPECT_EQ(std::make_pair(12, 12), Selection());
}

TEST_F(QuickInsertText, WrapsABackwardSelectionToo)
{
    EXPECT_TRUE(Load(L"Em|<em>%!</em>"));
    edit.SetText(L"слово");
    Select(5, 0);
    EXPECT_TRUE(Insert(0));
    EXPECT_EQ(L"<em>слово</em>", edit.Text());
    EXPECT_EQ(std::make_pair(9, 9), Selection());
}

TEST_F(QuickInsertText, CaretMarkWithoutSelection)
{
    EXPECT_TRUE(Load(L"P|<p>%!</p>%L"));
    edit.SetText(L"ab");
    Select(1, 1);
    EXPECT_TRUE(Insert(0));
    EXPECT_EQ(L"a<p></p>\r\nb", edit.Text());
    EXPECT_EQ(std::make_pair(4, 4), Selection());
}

TEST_F(QuickInsertText, OnlyTheFirstCaretMarkCounts)
{
    EXPECT_TRUE(Load(L"Two|[%!|%!]"));
    edit.SetText(L"x");
    Select(0, 1);
    EXPECT_TRUE(Insert(0));
    EXPECT_EQ(L"[x|%!]", edit.Text());
    EXPECT_EQ(std::make_pair(2, 2), Selection());
}

TEST_F(QuickInsertText, DoubledPercentBeforeMacroLetters)
{
    EXPECT_TRUE(Load(L"Year|%%Y\r\nMark|(%%!)"));
    SetClock(2007, 3, 5, 9, 4);
    EXPECT_TRUE(Insert(0));
    EXPECT_EQ(L"%2007", edit.Text());
    // "%%!" expands to "%!", which is then taken as the caret mark.
    edit.SetText(L"word");
    Select(0, 4);
    EXPECT_TRUE(Insert(1));
    EXPECT_EQ(L"(word)", edit.Text());
    EXPECT_EQ(std::make_pair(5, 5), Selection());
}

TEST_F(QuickInsertText, GoesInBeforeTheSelectionWithoutReplacingIt)
{
    EXPECT_TRUE(Load(L"Sign|-- \r\n"));
    edit.SetText(L"keep this");
    Select(5, 9);
    EXPECT_TRUE(Insert(0));
    EXPECT_EQ(L"keep -- this", edit.Text());
    EXPECT_EQ(std::make_pair(8, 8), Selection());
}

TEST_F(QuickInsertText, ItemsWithoutTextInsertNothing)
{
    EXPECT_TRUE(Load(L"Title only\r\nSub\r\n\tInner|in"));
    edit.SetText(L"unchanged");
    Select(2, 4);
    EXPECT_FALSE(Insert(0));
    EXPECT_FALSE(Insert(1));
    EXPECT_EQ(L"unchanged", edit.Text());
    EXPECT_EQ(std::make_pair(2, 4), Selection());
}

TEST_F(QuickInsertText, IndexesOutsideTheListDoNothing)
{
    EXPECT_TRUE(Load(L"A|a\r\nB|b"));
    edit.SetText(L"text");
    EXPECT_FALSE(Insert(-1));
    EXPECT_FALSE(Insert(2));
    EXPECT_FALSE(Insert(57200));
    EXPECT_EQ(L"text", edit.Text());
}

TEST_F(QuickInsertText, InsertionCanBeUndone)
{
    EXPECT_TRUE(Load(L"Hello|hello"));
    edit.SetText(L"x ");
    Select(2, 2);
    EXPECT_TRUE(Insert(0));
    EXPECT_EQ(L"x hello", edit.Text());
    SendMessageW(edit.edit, EM_UNDO, 0, 0);
    EXPECT_EQ(L"x ", edit.Text());
}
