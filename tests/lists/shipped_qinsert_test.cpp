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

TEST_F(ShippedQuickInsert, ItemsInsertTheirTexts)
{
    SetClock(2007, 3, 5, 9, 4, 7);
    // Each item is chosen on `start` with `from`..`to` selected, or, without
    // a start, on what the row before left; `caret` is where the caret must
    // end (-1: not checked).
    struct { const wchar_t* start; int from, to; const wchar_t* item; const wchar_t* expected;
             int caret; } cases[] = {
        { L"", 0, 0, L"Дата", L"05.03.2007", -1 },
        { L"", 0, 0, L"Время", L"09:04", -1 },
        { L"", 0, 0, L"Дата и время", L"05.03.2007 09:04:07", -1 },
        { L"ab", 1, 1, L"Новая строка", L"a\r\nb", -1 },
        { nullptr, 0, 0, L"Знак процента", L"a\r\n%b", -1 },
        // Tags wrap the selection.
        { L"Заголовок и текст", 0, 9, L"<h2>", L"<h2>Заголовок</h2> и текст", 13 },
        { L"see here", 4, 8, L"Ссылка <a>", L"see <a href=\"\">here</a>", -1 },
        // Without a selection the caret waits between the tags.
        { L"", 0, 0, L"Жирный <b>", L"<b></b>", 3 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.item);
        if (c.start) {
            edit.SetText(c.start);
            Select(c.from, c.to);
        }
        EXPECT_TRUE(Choose(c.item));
        EXPECT_EQ(c.expected, edit.Text());
        if (c.caret >= 0) {
            EXPECT_EQ(std::make_pair(c.caret, c.caret), Selection());
        }
    }
}
