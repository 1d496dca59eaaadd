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

// Where each line of the window starts (EM_LINEINDEX of every line).
std::vector<int> LineStarts(HWND edit)
{
    std::vector<int> starts;
    int count = (int)SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        starts.push_back((int)SendMessageW(edit, EM_LINEINDEX, i, 0));
    return starts;
}

// Prose of Russian words, digits and punctuation, picked by `seed`.
std::wstring Prose(int units, unsigned seed)
{
    const wchar_t* words[] = { L"редактор ", L"текст, ", L"строка ", L"перенос ", L"окно ",
                               L"документ ", L"и ", L"по ", L"словам ", L"Широкий ", L"ШШШ ",
                               L"ил ", L"длинное-предлинное ", L"1234567. " };
    std::wstring text;
    while ((int)text.size() < units) {
        seed = seed * 1103515245u + 12345u;
        text += words[(seed >> 16) % 14];
    }
    text.resize(units);
    return text;
}

// Wine wraps a long paragraph put in at once in time growing with the square
// of its length, so the program's long texts go in as pieces: the text, the
// caret, the view, the undo, the modified mark and every line's start must
// come out as from one pass.
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
        std::vector<int> onePass = LineStarts(document->edit);
        document->SetText(L"");
        document->SetText(text.c_str());
        EXPECT_EQ(text, DocText(0));
        EXPECT_EQ(onePass, LineStarts(document->edit));
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


namespace {

// One paragraph of `count` Russian words and nothing else.
std::wstring Words(int count)
{
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += i % 3 ? L"редактор " : L"и ";
    return text;
}

void PutOnClipboard(const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    ASSERT_TRUE(memory != nullptr);
    CopyMemory(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::wstring Paragraphs()
{
    std::wstring text;
    for (unsigned i = 0; i < 12; ++i)
        text += Prose(i % 3 ? 90 : 1400, i) + L"\r\n";
    return text + L"\r\n" + Prose(700, 99);
}

// A long text loaded, pasted or replaced in pieces starts every line where
// one pass starts it, on windows of several widths: the first keystroke or
// resize would reflow the paragraph otherwise.
TEST_F(DocumentSize, PiecesStartEveryLineAsOnePass)
{
    ASSERT_TRUE(StartApp(L"", L"WordWrap=1\r\n"));
    const struct {
        const char* what;
        std::wstring text;
    } texts[] = {
        { "2000 units of prose", Prose(2000, 1) },
        { "6000 units of prose", Prose(6000, 2) },
        { "one paragraph of 1000 words", Words(1000) },
        { "paragraphs long and short", Paragraphs() },
    };
    CDocument* document = Doc(0);
    HWND edit = document->edit;
    for (int width : { 460, 300, 200 }) {
        document->MoveTo(0, 0, width, 600);
        for (const auto& t : texts) {
            SCOPED_TRACE(std::string(t.what) + ", width " + std::to_string(width));
            const std::wstring& text = t.text;
            SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)text.c_str());
            std::vector<int> loaded = LineStarts(edit);
            document->SetText(L"");
            document->SetText(text.c_str());
            EXPECT_EQ(loaded, LineStarts(edit)) << "put in";

            // Pasted after a short first line, as one EM_REPLACESEL puts it.
            std::wstring before = L"Начало\r\n";
            document->SetText(before.c_str());
            document->SetSelection((int)before.size(), (int)before.size(), false);
            SendMessageW(edit, EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
            std::vector<int> pasted = LineStarts(edit);
            document->SetText(before.c_str());
            document->SetSelection((int)before.size(), (int)before.size(), false);
            PutOnClipboard(text);
            SendMessageW(edit, WM_PASTE, 0, 0);
            EXPECT_EQ(before + text, DocText(0));
            EXPECT_EQ(pasted, LineStarts(edit)) << "pasted";
            EXPECT_TRUE(document->SendToEdit(EM_UNDO, 0, 0));
            EXPECT_EQ(before, DocText(0)) << "one Undo takes the paste back";
        }
    }
}

}
