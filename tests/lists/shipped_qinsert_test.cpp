#include "tests/lists/quick_insert_support.h"

// The QInsert.lst that ships with the editor, as the build puts it beside the
// test program (where the editor finds it beside itself).

namespace {

std::wstring ShippedPath()
{
    return ProgramFolder() + L"QInsert.lst";
}

class ShippedQuickInsert : public QuickInsertTest {
protected:
    void SetUp() override { ASSERT_TRUE(list.LoadQuickInsert()); }

    bool Choose(const std::wstring& title)
    {
        int command = (int)MenuCommand(popup, title);
        EXPECT_NE(0, command) << "no item " << std::string(title.begin(), title.end());
        return Insert(command - QUICK_INSERT_FIRST_COMMAND);
    }
};

}

TEST(ShippedQuickInsertFile, IsUtf16WithMarkAndCrLfLines)
{
    std::string bytes = ReadBytes(ShippedPath());
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2));
    ASSERT_EQ(0u, bytes.size() % 2);
    std::wstring text = FromUtf16Bytes(bytes.substr(2));
    EXPECT_EQ(L"\r\n", text.substr(text.size() - 2));
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            EXPECT_EQ(L'\n', text[i + 1]) << "at " << i;
        }
        if (text[i] == L'\n') {
            EXPECT_EQ(L'\r', text[i - 1]) << "at " << i;
        }
        EXPECT_NE(L'\0', text[i]) << "at " << i;
    }
}

TEST_F(ShippedQuickInsert, MenuStructureItemByItem)
{
    ASSERT_EQ(7, GetMenuItemCount(popup));
    EXPECT_EQ(L"Дата#57200, Время#57201, Дата и время#57202, Новая строка#57203, "
              L"HTML{Абзац <p>#57205, Жирный <b>#57206, Курсив <i>#57207, Ссылка <a>#57208, "
              L"Перенос <br>#57209, ---, Заголовки{<h1>#57212, <h2>#57213, <h3>#57214}}, "
              L"---, Знак процента#57216",
              Menu());
    HMENU html = GetSubMenu(popup, 4);
    ASSERT_NE(nullptr, html);
    EXPECT_EQ(7, GetMenuItemCount(html));
    HMENU headings = GetSubMenu(html, 6);
    ASSERT_NE(nullptr, headings);
    EXPECT_EQ(3, GetMenuItemCount(headings));
}

TEST_F(ShippedQuickInsert, DateAndTimeItems)
{
    SetClock(2007, 3, 5, 9, 4, 7);
    EXPECT_TRUE(Choose(L"Дата"));
    EXPECT_EQ(L"05.03.2007", edit.Text());
    edit.SetText(L"");
    EXPECT_TRUE(Choose(L"Время"));
    EXPECT_EQ(L"09:04", edit.Text());
    edit.SetText(L"");
    EXPECT_TRUE(Choose(L"Дата и время"));
    EXPECT_EQ(L"05.03.2007 09:04:07", edit.Text());
}

TEST_F(ShippedQuickInsert, LineBreakAndPercent)
{
    edit.SetText(L"ab");
    Select(1, 1);
    EXPECT_TRUE(Choose(L"Новая строка"));
    EXPECT_EQ(L"a\r\nb", edit.Text());
    EXPECT_TRUE(Choose(L"Знак процента"));
    EXPECT_EQ(L"a\r\n%b", edit.Text());
}

TEST_F(ShippedQuickInsert, TagsWrapTheSelection)
{
    edit.SetText(L"Заголовок и текст");
    Select(0, 9);
    EXPECT_TRUE(Choose(L"<h2>"));
    EXPECT_EQ(L"<h2>Заголовок</h2> и текст", edit.Text());
    EXPECT_EQ(std::make_pair(13, 13), Selection());

    edit.SetText(L"see here");
    Select(4, 8);
    EXPECT_TRUE(Choose(L"Ссылка <a>"));
    EXPECT_EQ(L"see <a href=\"\">here</a>", edit.Text());

    // Without a selection the caret waits between the tags.
    edit.SetText(L"");
    EXPECT_TRUE(Choose(L"Жирный <b>"));
    EXPECT_EQ(L"<b></b>", edit.Text());
    EXPECT_EQ(std::make_pair(3, 3), Selection());
}
