#include "tests/shell/app_fixture.h"

#include <map>

#include "editor/document_replace.h"
#include "editor/document_search.h"
#include "resources/resource.h"
#include "storage/lang_loader.h"
#include "widgets/pic_btn.h"

namespace {

const wchar_t kAskAgain[] = L"Ничего не найдено. Повторить поиск заново?";
const wchar_t kNoMatch[] = L"Совпадений не найдено.";

class FindBar : public AppFixture {
protected:
    void Start()
    {
        // The toolbar shows the search and replace buttons.
        ASSERT_TRUE(StartApp(L"", L"ToolBarItems=000000000110000\r\n"));
    }
    // The two-row bar over a document holding `text`, both boxes filled.
    void StartReplacing(const wchar_t* text, const wchar_t* find, const wchar_t* replacement)
    {
        Start();
        Command(CMD_REPLACE);
        Doc(0)->SetText(text);
        Type(IDC_FIND_TEXT, find);
        Type(IDC_REPLACE_TEXT, replacement);
    }
    // A tap on one of the bar's picture buttons.
    static void Press(int control)
    {
        HWND button = GetDlgItem(g_app.findBar, control);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        PumpMessages();
    }
    static void Type(int box, const wchar_t* text) { DialogView(g_app.findBar).Type(box, text); }
    static void Enter(int box) { DialogView(g_app.findBar).Key(box, VK_RETURN); }
    static void Select(int start, int end) { Doc(0)->SetSelection(start, end, false); }
    static std::pair<int, int> Selection()
    {
        DWORD start = 0, end = 0;
        Doc(0)->GetSelection(&start, &end);
        return { (int)start, (int)end };
    }
    static bool MenuChecked(int id)
    {
        return (GetMenuState(g_app.mainMenu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    static bool ButtonPressed(int id)
    {
        return SendMessageW(g_app.menuBar, TB_ISBUTTONCHECKED, id, 0) != 0;
    }
};

typedef std::pair<int, int> Range;

// Counts the paints of the windows of this thread while it lives: the
// repaints UpdateWindow or RedrawWindow send and those taken from the queue.
class PaintCounter {
public:
    PaintCounter()
    {
        counter = this;
        sent = SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
        queued = SetWindowsHookExW(WH_GETMESSAGE, Queued, nullptr, GetCurrentThreadId());
    }
    ~PaintCounter()
    {
        UnhookWindowsHookEx(sent);
        UnhookWindowsHookEx(queued);
        counter = nullptr;
    }
    std::map<HWND, int> paints;

private:
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* message = (const CWPSTRUCT*)lParam;
        if (code == HC_ACTION && message->message == WM_PAINT)
            ++counter->paints[message->hwnd];
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Queued(int code, WPARAM wParam, LPARAM lParam)
    {
        const MSG* message = (const MSG*)lParam;
        if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_PAINT)
            ++counter->paints[message->hwnd];
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static PaintCounter* counter;
    HHOOK sent;
    HHOOK queued;
};
PaintCounter* PaintCounter::counter = nullptr;

}

TEST_F(FindBar, FindAndReplaceToggleTheBarMenuChecksAndButtons)
{
    Start();
    Command(CMD_SEARCH);
    EXPECT_TRUE(IsWindowVisible(g_app.findBar));
    EXPECT_TRUE(g_app.findShown && !g_app.replaceShown);
    EXPECT_TRUE(MenuChecked(CMD_SEARCH) && !MenuChecked(CMD_REPLACE));
    EXPECT_TRUE(ButtonPressed(CMD_SEARCH) && !ButtonPressed(CMD_REPLACE));
    EXPECT_EQ(GetDlgItem(g_app.findBar, IDC_FIND_TEXT), GetFocus());   // ready for typing

    // Replace while the find row shows: both rows at once.
    Command(CMD_REPLACE);
    EXPECT_TRUE(IsWindowVisible(g_app.findBar));
    EXPECT_TRUE(!g_app.findShown && g_app.replaceShown);
    EXPECT_TRUE(!MenuChecked(CMD_SEARCH) && MenuChecked(CMD_REPLACE));
    EXPECT_TRUE(!ButtonPressed(CMD_SEARCH) && ButtonPressed(CMD_REPLACE));

    // Accelerators go to the focused window: typed in a box, select all
    // takes the box's text, the rest reach the main window.
    HWND box = GetDlgItem(g_app.findBar, IDC_FIND_TEXT);
    SetWindowTextW(box, L"кот");
    Doc(0)->SetText(L"text");
    SendMessageW(box, WM_COMMAND, CMD_SELECT_ALL, 0);
    EXPECT_EQ(MAKELONG(0, 3), SendMessageW(box, EM_GETSEL, 0, 0));
    EXPECT_EQ(MAKELONG(0, 0), Doc(0)->SendToEdit(EM_GETSEL, 0, 0));
    SendMessageW(box, WM_COMMAND, CMD_SEARCH, 0);
    EXPECT_TRUE(g_app.findShown && !g_app.replaceShown);

    Command(CMD_SEARCH);   // the same toggle twice hides the bar
    EXPECT_FALSE(IsWindowVisible(g_app.findBar));
    EXPECT_TRUE(!MenuChecked(CMD_SEARCH) && !MenuChecked(CMD_REPLACE));
    EXPECT_TRUE(!ButtonPressed(CMD_SEARCH) && !ButtonPressed(CMD_REPLACE));
    EXPECT_EQ(Doc(0)->edit, GetFocus());
}

TEST_F(FindBar, FindNextPreviousAndTheWrapAroundQuestion)
{
    Start();
    Command(CMD_SEARCH);
    Doc(0)->SetText(L"кот и КОТ, котик");
    Type(IDC_FIND_TEXT, L"кот");
    {
        // A selected match is passed over; case does not count by default.
        MessageBoxAnswerer answers({ IDYES });
        Select(0, 3);
        Press(IDC_FIND_NEXT);
        EXPECT_EQ(Range(6, 9), Selection());
        EXPECT_EQ(Doc(0)->edit, GetFocus());
        Press(IDC_FIND_NEXT);
        EXPECT_EQ(Range(11, 14), Selection());
        Press(IDC_FIND_NEXT);   // the end: asked, Yes starts again at the top
        EXPECT_EQ(Range(0, 3), Selection());
        ASSERT_EQ(1u, answers.seen.size());
        EXPECT_EQ(kAskAgain, answers.seen[0].text);
        EXPECT_EQ(L"Внимание", answers.seen[0].caption);
        EXPECT_EQ((UINT)MB_ICONQUESTION, answers.seen[0].icon);
        EXPECT_TRUE(answers.seen[0].hasYes && answers.seen[0].hasNo);
    }
    {
        // Whole words and case, read when the button is pressed.
        MessageBoxAnswerer answers({ IDNO });
        Press(IDC_WHOLE_WORD);
        Press(IDC_FIND_NEXT);
        EXPECT_EQ(Range(6, 9), Selection());
        Press(IDC_FIND_NEXT);   // "котик" is no whole word
        EXPECT_EQ(Range(6, 9), Selection());
        Press(IDC_MATCH_CASE);
        Select(0, 0);
        Press(IDC_FIND_NEXT);
        Press(IDC_FIND_NEXT);   // "КОТ" differs in case
        EXPECT_EQ(Range(0, 3), Selection());
        Select(0, 0);
        Press(IDC_FIND_PREVIOUS);   // at the very start: asked at once
        EXPECT_EQ(Range(0, 0), Selection());
        EXPECT_EQ(3u, answers.seen.size());
        Press(IDC_WHOLE_WORD);
        Press(IDC_MATCH_CASE);
    }
    {
        // Backward from a selection finds a match that overlaps it.
        MessageBoxAnswerer answers({ IDNO });
        Doc(0)->SetText(L"ааа");
        Type(IDC_FIND_TEXT, L"АА");
        Select(1, 3);
        Press(IDC_FIND_PREVIOUS);
        EXPECT_EQ(Range(0, 2), Selection());
        EXPECT_TRUE(answers.seen.empty());
    }
    {
        // Yes, and still nothing: told so once, not asked again.
        MessageBoxAnswerer answers({ IDYES });
        Type(IDC_FIND_TEXT, L"пёс");
        Press(IDC_FIND_NEXT);
        ASSERT_EQ(2u, answers.seen.size());
        EXPECT_EQ(kAskAgain, answers.seen[0].text);
        EXPECT_EQ(kNoMatch, answers.seen[1].text);
        EXPECT_EQ((UINT)MB_ICONINFORMATION, answers.seen[1].icon);
    }
}

TEST_F(FindBar, ReplaceOnlyAMatchingSelectionThenFindTheNext)
{
    StartReplacing(L"кот пёс КОТ кот", L"кот", L"лис");
    MessageBoxAnswerer answers({ IDNO });

    Select(0, 0);
    Press(IDC_REPLACE);   // nothing selected: only the search
    EXPECT_EQ(L"кот пёс КОТ кот", DocText(0));
    EXPECT_EQ(Range(0, 3), Selection());
    Select(4, 7);
    Press(IDC_REPLACE);   // "пёс" is not the find text
    EXPECT_EQ(L"кот пёс КОТ кот", DocText(0));
    EXPECT_EQ(Range(8, 11), Selection());
    EXPECT_EQ(0, Doc(0)->modified);

    Press(IDC_REPLACE);   // "КОТ" equals "кот" without case
    EXPECT_EQ(L"кот пёс лис кот", DocText(0));
    EXPECT_EQ(Range(12, 15), Selection());
    EXPECT_EQ(1, Doc(0)->modified);

    // Enter in the replace box replaces, in the find box it finds the next.
    Enter(IDC_REPLACE_TEXT);
    EXPECT_EQ(L"кот пёс лис лис", DocText(0));
    EXPECT_EQ(1u, answers.seen.size());   // no further match: asked
    Enter(IDC_FIND_TEXT);
    EXPECT_EQ(2u, answers.seen.size());
    Select(0, 0);
    Enter(IDC_FIND_TEXT);
    EXPECT_EQ(Range(0, 3), Selection());
    EXPECT_EQ(L"кот пёс лис лис", DocText(0));
}

TEST_F(FindBar, ReplaceAllReportsMarksModifiedAndUndoesAtOnce)
{
    StartReplacing(L"кот котик Кот", L"кот", L"котик");
    {
        MessageBoxAnswerer answers;
        Press(IDC_REPLACE_ALL);   // the replacement holds the find text
        EXPECT_EQ(L"котик котикик котик", DocText(0));
        EXPECT_EQ(Range(19, 19), Selection());
        EXPECT_EQ(1, Doc(0)->modified);
        ASSERT_EQ(1u, answers.seen.size());
        EXPECT_EQ(L"Произведено 3 замен(ы).", answers.seen[0].text);
        EXPECT_EQ((UINT)MB_ICONINFORMATION, answers.seen[0].icon);
    }
    Doc(0)->SendToEdit(EM_UNDO, 0, 0);
    EXPECT_EQ(L"кот котик Кот", DocText(0));
    {
        // Nothing found: reported, and still marked modified.
        Doc(0)->SetModified(false);
        Type(IDC_FIND_TEXT, L"пёс");
        MessageBoxAnswerer answers;
        Press(IDC_REPLACE_ALL);
        EXPECT_EQ(1, Doc(0)->modified);
        EXPECT_EQ(Range(0, 0), Selection());
        ASSERT_EQ(1u, answers.seen.size());
        EXPECT_EQ(L"По вашему запросу ничего не найдено.", answers.seen[0].text);
    }
}

TEST_F(FindBar, ReplaceAllEqualsReplacingOneMatchAtATime)
{
    Start();
    struct Case {
        const wchar_t* text;
        const wchar_t* find;
        const wchar_t* replacement;
        bool ignoreCase, wholeWord;
    } cases[] = {
        { L"aaaa", L"aa", L"a", true, false },             // overlapping candidates
        { L"кот котик кот", L"кот", L"котик", true, false },
        { L"Кот КОТ кот", L"кОт", L"x", true, false },
        { L"Кот КОТ кот", L"кот", L"x", false, false },
        { L"-a-a", L"-a", L".", true, true },              // the inserted "." starts a word
        { L"-a-a", L"-a", L"", true, true },
        { L"-a-a", L"-a", L"b", true, true },
        { L"cat dog_cat cats cat", L"cat", L"dog", true, true },
        { L"", L"x", L"y", true, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        // The plain loop: search silently, replace the selection, go on.
        Doc(0)->SetText(c.text);
        Select(0, 0);
        int count = 0;
        while (FindInDocument(Doc(0), c.find, true, c.ignoreCase, c.wholeWord, FIND_SILENT)) {
            Doc(0)->SendToEdit(EM_REPLACESEL, TRUE, (LPARAM)c.replacement);
            ++count;
        }
        std::wstring expected = DocText(0);
        Range caret = Selection();

        Doc(0)->SetText(c.text);
        EXPECT_EQ(count, ReplaceAllInDocument(Doc(0), c.find, c.replacement, c.ignoreCase,
                                              c.wholeWord));
        EXPECT_EQ(expected, DocText(0));
        EXPECT_EQ(caret, Selection());
    }
}

TEST_F(FindBar, ReplaceAllReportKeepsToItsBuffer)
{
    StartReplacing(L"", L"a", L"b");
    std::wstring path = temp.Path(L"Test.lng");
    auto reportWith = [&](const std::wstring& translation) {
        WriteBytes(path, "\xFF\xFE" + Utf16Bytes(L"finish_repl_cnt=" + translation + L"\r\n"));
        g_lang.LoadFrom(path.c_str());
        Doc(0)->SetText(L"a a");
        MessageBoxAnswerer answers;
        Press(IDC_REPLACE_ALL);
        return answers.seen.empty() ? std::wstring() : answers.seen[0].text;
    };
    EXPECT_EQ(L"Made 2.", reportWith(L"Made %d."));
    // No room for the number, or no place for it: the built-in text.
    EXPECT_EQ(L"Произведено 2 замен(ы).", reportWith(std::wstring(219, L'x') + L"%d"));
    EXPECT_EQ(L"Произведено 2 замен(ы).", reportWith(L"Made some."));
    // The translation is no format: other "%" signs stay as they are.
    EXPECT_EQ(L"%s 2", reportWith(L"%s %d"));
}

TEST_F(FindBar, APressSelectsTheNextMatchAndRepaintsOnlyWhatChanged)
{
    Start();
    Command(CMD_SEARCH);
    Doc(0)->SetText(L"кот и кот и кот и кот");
    Type(IDC_FIND_TEXT, L"кот");
    Press(IDC_WHOLE_WORD);   // a toggle turned on stays on through the presses
    HWND box = GetDlgItem(g_app.findBar, IDC_FIND_TEXT);
    struct Case {
        const char* name;
        bool byEnter;
        Range selected;
        HWND focus;
        int pressedPaints;   // of the tapped button, down and up
    } cases[] = {
        { "Enter in the find box", true, Range(6, 9), box, 0 },
        { "a tap on >>", false, Range(12, 15), Doc(0)->edit, 2 },
    };
    Select(0, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.byEnter)
            SetFocus(box);
        PaintCounter counter;
        if (c.byEnter)
            Enter(IDC_FIND_TEXT);
        else
            Press(IDC_FIND_NEXT);
        RedrawWindow(g_app.mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_EQ(c.selected, Selection());
        EXPECT_EQ(c.focus, GetFocus());
        for (CPicBtn* button : g_app.findButtons) {
            ASSERT_TRUE(button);
            SCOPED_TRACE(button->controlId);
            EXPECT_FALSE(button->pressed);
            EXPECT_EQ(button->controlId == IDC_WHOLE_WORD, button->LooksPressed());
            bool tapped = !c.byEnter && button->controlId == IDC_FIND_NEXT;
            EXPECT_EQ(tapped ? c.pressedPaints : 0, counter.paints[button->window]);
        }
    }
    // A match below the shown lines comes into view, the focus staying in the box.
    std::wstring lines;
    for (int i = 0; i < 100; ++i)
        lines += L"а\r\n";
    Doc(0)->SetText((lines + L"кот").c_str());
    Select(0, 0);
    SetFocus(box);
    Enter(IDC_FIND_TEXT);
    EXPECT_EQ(Range(300, 303), Selection());
    EXPECT_LT(0, Doc(0)->SendToEdit(EM_GETFIRSTVISIBLELINE, 0, 0));
    EXPECT_EQ(box, GetFocus());
    Press(IDC_WHOLE_WORD);
}
