#include "tests/shell/app_fixture.h"

#include "editor/find_bar.h"
#include "editor/find_bar_buttons.h"
#include "editor/tab_panel.h"
#include "lists/quick_insert.h"
#include "lists/recent_files.h"
#include "resources/resource.h"
#include "storage/encodings.h"
#include "tests/shell/heap_probe.h"
#include "widgets/pic_btn.h"

namespace {

class DocumentList : public AppFixture {
protected:
    static bool WrapChecked()
    {
        return (GetMenuState(g_app.mainMenu, CMD_WORD_WRAP, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
};

// Edit windows made as children of the main window.
int g_editsMade;

LRESULT CALLBACK CountEdits(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t name[8] = L"";
    if (code == HCBT_CREATEWND && GetClassNameW((HWND)wParam, name, 8) &&
        lstrcmpiW(name, L"EDIT") == 0 &&
        ((CBT_CREATEWNDW*)lParam)->lpcs->hwndParent == g_app.mainWindow)
        ++g_editsMade;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Edit windows destroyed while their document was still in the list.
int g_destroyedListed;

LRESULT CALLBACK CountListedDestructions(int code, WPARAM wParam, LPARAM lParam)
{
    for (int i = 0; code == HCBT_DESTROYWND && i < g_app.documents.count; ++i) {
        if (g_app.documents[i]->edit == (HWND)wParam)
            ++g_destroyedListed;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}

// A document leaves the list before it is destroyed: what its edit window's
// end sets off (the focus moving to the main window, which gives it to the
// current document) never finds it there, closed alone or at the end.
TEST_F(DocumentList, ADocumentLeavesTheListBeforeItIsDestroyed)
{
    ASSERT_TRUE(StartApp());
    Command(CMD_WINDOW_NEW);
    Command(CMD_WINDOW_NEW);
    g_destroyedListed = 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, CountListedDestructions, nullptr, GetCurrentThreadId());
    Command(CMD_WINDOW_CLOSE);
    EXPECT_EQ(2, g_app.documents.count);
    EXPECT_EQ(GetFocus(), CurrentDocument()->edit);
    DestroyWindow(g_app.mainWindow);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0, g_destroyedListed);
}

TEST_F(DocumentList, TheWordWrapCheckFollowsTheCurrentDocument)
{
    ASSERT_TRUE(StartApp());
    Command(CMD_WORD_WRAP);
    Command(CMD_WINDOW_NEW);
    Command(CMD_WORD_WRAP);
    EXPECT_FALSE(WrapChecked());
    Command(CMD_TAB_CHOSEN, 0);
    EXPECT_TRUE(WrapChecked());
    Command(CMD_WINDOW_NEXT);
    EXPECT_FALSE(WrapChecked());
    Command(CMD_WINDOW_PREVIOUS);
    Command(CMD_WINDOW_CLOSE);
    EXPECT_FALSE(WrapChecked());
}

TEST_F(DocumentList, ACancelledCloseChangesNothing)
{
    ASSERT_TRUE(StartApp());
    Command(CMD_WINDOW_NEW);
    Command(CMD_WINDOW_NEW);
    Doc(0)->SetText(L"A");
    Doc(2)->SetText(L"C");
    // C was current before the first document, which is modified.
    Command(CMD_TAB_CHOSEN, 0);
    Doc(0)->SetModified(true);
    {
        MessageBoxAnswerer answerer({ IDCANCEL });
        Command(CMD_WINDOW_CLOSE);
    }
    EXPECT_EQ(3, g_app.documents.count);
    // Closing it now still returns to C.
    Doc(0)->modified = 0;
    Command(CMD_WINDOW_CLOSE);
    EXPECT_EQ(L"C", DocText(g_app.current));
}

TEST_F(DocumentList, NoMemoryForADocumentAddsNoneAndKeepsTheText)
{
    ASSERT_TRUE(StartApp());
    Doc(0)->SetText(L"kept");
    std::wstring path = temp.Path(L"handed.txt");
    WriteBytes(path, "handed over");
    COPYDATASTRUCT data = { 0, (DWORD)((path.size() + 1) * 2), (void*)path.c_str() };
    MessageBoxAnswerer answerer;
    // A new tab, a new document in place of this one, a handed-over file.
    FailAllocationsOfSize(sizeof(CDocument), 3);
    Command(CMD_WINDOW_NEW);
    Command(CMD_NEW);
    SendMessageW(g_app.mainWindow, WM_COPYDATA, 0, (LPARAM)&data);
    ASSERT_EQ(3u, answerer.seen.size());
    EXPECT_EQ(L"Недостаточно памяти!", answerer.seen[2].text);
    EXPECT_EQ(1, g_app.documents.count);
    EXPECT_EQ(L"kept", DocText(0));
    TearDown();
    // Without its first document the program does not start.
    FailAllocationsOfSize(sizeof(CDocument), 1);
    EXPECT_FALSE(StartApp());
    EXPECT_EQ(4u, answerer.seen.size());
}

TEST_F(DocumentList, FailedLoadsAndSavesGoToTheRecentList)
{
    std::wstring locked = temp.Path(L"locked.txt");
    WriteBytes(locked, "text");
    ASSERT_TRUE(StartApp());
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    MessageBoxAnswerer answerer;
    EXPECT_FALSE(Doc(0)->Load(locked.c_str(), ENC_AUTO));
    CloseHandle(holder);
    EXPECT_EQ(locked, g_recent.At(0));
    std::wstring nowhere = temp.Path(L"missing\\out.txt");
    EXPECT_FALSE(Doc(0)->Save(nowhere.c_str(), ENC_UTF8, 0));
    EXPECT_EQ(nowhere, g_recent.At(0));
}

TEST_F(DocumentList, TheFirstDocumentWrapsFromTheStart)
{
    std::wstring path = temp.Path(L"long.txt");
    WriteBytes(path, std::string(5000, 'w'));
    HHOOK hook = SetWindowsHookExW(WH_CBT, CountEdits, nullptr, GetCurrentThreadId());
    g_editsMade = 0;
    bool started = StartApp(L"\"" + path + L"\"", L"WordWrap=1\r\n");
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(started);
    EXPECT_EQ(1, g_editsMade);
    EXPECT_TRUE(WrapChecked());
    EXPECT_EQ(std::wstring(5000, L'w'), DocText(0));
}

TEST_F(DocumentList, NoMemoryForAPartOfTheWindowIsToldAndTheProgramRuns)
{
    // The quick-insert list, the tab panel.
    for (size_t size : { sizeof(CQuickInsertList), sizeof(CTabPanel) }) {
        MessageBoxAnswerer answerer;
        FailAllocationsOfSize(size, 1);
        ASSERT_TRUE(StartApp()) << size;
        ASSERT_EQ(1u, answerer.seen.size()) << size;
        EXPECT_EQ(L"Недостаточно памяти!", answerer.seen[0].text);
        Command(CMD_WINDOW_NEW);
        EXPECT_EQ(2, g_app.documents.count);
        TearDown();
    }
    // A find-bar button: other records of its size are made earlier, with
    // the bar, so the buttons are attached again with the failure armed.
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(EnsureFindBar());
    for (CPicBtn*& button : g_app.findButtons) {
        delete button;
        button = nullptr;
    }
    MessageBoxAnswerer answerer;
    FailAllocationsOfSize(sizeof(CPicBtn), 1);
    AttachFindBarButtons();
    ASSERT_EQ(1u, answerer.seen.size());
    EXPECT_EQ(L"Недостаточно памяти!", answerer.seen[0].text);
    EXPECT_EQ(nullptr, g_app.findButtons[0]);
    EXPECT_NE(nullptr, g_app.findButtons[5]);
}
