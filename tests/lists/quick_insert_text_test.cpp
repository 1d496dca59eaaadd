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

// One insertion into a text with a selection: what it leaves and where the
// caret ends (an item without text inserts nothing and moves nothing).
TEST_F(QuickInsertText, InsertionsIntoASelection)
{
    struct Case {
        const wchar_t* list;
        int item;
        const wchar_t* text;
        int from, to;
        bool inserted;
        const wchar_t* result;
        int caret;
    } cases[] = {
        // The selected word is wrapped; the caret stands after it, before the
        // closing tag.
        { L"HTML\r\n\tBold|<b>%!</b>", 1, L"say hello now", 4, 9, true,
          L"say <b>hello</b> now", 12 },
        { L"Em|<em>%!</em>", 0, L"слово", 5, 0, true, L"<em>слово</em>", 9 },
        { L"P|<p>%!</p>%L", 0, L"ab", 1, 1, true, L"a<p></p>\r\nb", 4 },
        { L"Two|[%!|%!]", 0, L"x", 0, 1, true, L"[x|%!]", 2 },
        // Without a caret mark the text goes in before the selection.
        { L"Sign|-- \r\n", 0, L"keep this", 5, 9, true, L"keep -- this", 8 },
        { L"Title only\r\nSub\r\n\tInner|in", 0, L"unchanged", 2, 4, false, L"unchanged", -1 },
        { L"Title only\r\nSub\r\n\tInner|in", 1, L"unchanged", 2, 4, false, L"unchanged", -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        list.Release();
        ASSERT_TRUE(Load(c.list));
        edit.SetText(c.text);
        Select(c.from, c.to);
        EXPECT_EQ(c.inserted, Insert(c.item));
        EXPECT_EQ(c.result, edit.Text());
        if (c.caret >= 0)
            EXPECT_EQ(std::make_pair(c.caret, c.caret), Selection());
        else
            EXPECT_EQ(std::make_pair(c.from, c.to), Selection());
    }
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
