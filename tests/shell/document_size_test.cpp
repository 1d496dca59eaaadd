#include "tests/shell/app_fixture.h"

#include <functional>

#include "resources/resource.h"

namespace {

// Every size change makes a wrapping edit control wrap its whole text again,
// so hidden documents keep their size until they are shown; then they take
// the document area's, with their text and caret as they were.
class DocumentSize : public AppFixture {
protected:
    RECT Place(int index) { return WindowRectIn(Doc(index)->edit, g_app.mainWindow); }
    DWORD Caret(int index)
    {
        DWORD start = 0, end = 0;
        Doc(index)->GetSelection(&start, &end);
        return start == end ? start : (DWORD)-1;
    }
};

TEST_F(DocumentSize, HiddenDocumentsTakeTheAreaWhenShown)
{
    ASSERT_TRUE(StartApp(L"", L"WordWrap=1\r\n"));
    std::wstring text;
    for (int i = 0; i < 60; ++i)
        text += L"строка текста, которая длиннее ширины окна и потому переносится ";
    struct Change {
        const char* what;
        std::function<void()> make;
    } changes[] = {
        { "the window resized, as when the screen turns", [] {
             RECT frame;
             GetWindowRect(g_app.mainWindow, &frame);
             SetWindowPos(g_app.mainWindow, nullptr, 0, 0, frame.right - frame.left - 60,
                          frame.bottom - frame.top - 80, SWP_NOZORDER | SWP_NOMOVE);
         } },
        { "the find bar shown", [] { Command(CMD_SEARCH); } },
        { "the replace bar shown", [] { Command(CMD_REPLACE); } },
        { "the bar hidden", [] { Command(CMD_REPLACE); } },
    };
    Doc(0)->SetText(text.c_str());
    Doc(0)->SetSelection(1234, 1234, true);
    Command(CMD_WINDOW_NEW);
    Doc(1)->SetText(text.c_str());
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        // Document 1 is shown, document 0 waits hidden.
        Command(CMD_TAB_CHOSEN, 1);
        RECT before = Place(0);
        change.make();
        PumpMessages();
        RECT after = Place(0);
        EXPECT_TRUE(EqualRect(&before, &after)) << "a hidden document was sized";
        RECT area = Place(1);
        // The tab chosen: document 0 fills the same area, wrapped as document
        // 1 is, its text and caret untouched.
        Command(CMD_TAB_CHOSEN, 0);
        EXPECT_TRUE(IsWindowVisible(Doc(0)->edit));
        RECT shown = Place(0);
        EXPECT_TRUE(EqualRect(&area, &shown));
        EXPECT_EQ(Doc(1)->SendToEdit(EM_GETLINECOUNT, 0, 0),
                  Doc(0)->SendToEdit(EM_GETLINECOUNT, 0, 0));
        EXPECT_EQ(text, DocText(0));
        EXPECT_EQ(1234u, Caret(0));
        EXPECT_EQ(GetFocus(), Doc(0)->edit);
    }
}

}

namespace {

// Wine wraps a long paragraph put in at once in time growing with the square
// of its length, so the program's long texts go in as pieces: the text, the
// caret, the view, the undo and the modified mark must come out as from one
// pass, and the lines no shorter (Wine's one pass breaks lines early where
// the rest of the paragraph is long).
TEST_F(DocumentSize, LongTextsGoInAsInOnePass)
{
    ASSERT_TRUE(StartApp(L"", L"WordWrap=1\r\n"));
    std::wstring paragraph, lines;
    for (int i = 0; i < 600; ++i) {
        paragraph += L"слово и ещё одно, длинное-предлинное слово; ";
        lines += L"строка " + std::to_wstring(i) + L"\r\n";
    }
    paragraph += L"\xD83D\xDE00 конец";
    CDocument* document = Doc(0);
    for (const std::wstring& text : { paragraph, lines }) {
        // In one pass, past the program's own setting of text.
        SendMessageW(document->edit, WM_SETTEXT, 0, (LPARAM)text.c_str());
        LRESULT onePass = document->SendToEdit(EM_GETLINECOUNT, 0, 0);
        document->SetText(L"");
        document->SetText(text.c_str());
        EXPECT_EQ(text, DocText(0));
        EXPECT_LE(document->SendToEdit(EM_GETLINECOUNT, 0, 0), onePass);
        EXPECT_EQ(0u, Caret(0));
        EXPECT_EQ(0, document->SendToEdit(EM_GETFIRSTVISIBLELINE, 0, 0));
        EXPECT_FALSE(document->SendToEdit(EM_CANUNDO, 0, 0));
        EXPECT_FALSE(document->SendToEdit(EM_GETMODIFY, 0, 0));
        EXPECT_FALSE(document->modified);
        // It was shown while the text went in, and still is.
        EXPECT_TRUE(IsWindowVisible(document->edit));
    }
}

}
