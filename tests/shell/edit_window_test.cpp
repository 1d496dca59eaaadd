#include "tests/shell/app_fixture.h"

#include <functional>

#include "editor/document_search.h"
#include "lists/quick_insert.h"
#include "resources/resource.h"
#include "storage/encodings.h"
#include "tests/shell/heap_probe.h"

namespace {

class EditWindow : public AppFixture {
protected:
    static void PutOnClipboard(const std::wstring& text)
    {
        EditHost host;
        host.SetText(text);
        SendMessageW(host.edit, EM_SETSEL, 0, -1);
        SendMessageW(host.edit, WM_COPY, 0, 0);
    }
    // `units` units of lines of one letter.
    static std::wstring Lines(size_t units, wchar_t letter)
    {
        std::wstring text;
        while (text.size() < units)
            text += std::wstring(78, letter) + L"\r\n";
        return text.substr(0, units);
    }
    // Whether `message` at document 0's edit window marks the document.
    static bool Marks(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        Doc(0)->modified = 0;
        SendMessageW(Doc(0)->edit, message, wParam, lParam);
        return Doc(0)->modified != 0;
    }
};

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    EndMenu();
}

}

TEST_F(EditWindow, EveryChangeOfTheTextMarksTheDocumentModified)
{
    std::wstring path = temp.Path(L"note.txt");
    WriteBytes(path, "first line");
    ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
    EXPECT_EQ(0, Doc(0)->modified);
    // Ctrl+V, Ctrl+X and Ctrl+Z as the edit control gets them (characters
    // after a key held with Ctrl), and the platform menu's Delete and Undo.
    PutOnClipboard(L"pasted ");
    EXPECT_TRUE(Marks(WM_CHAR, 0x16));
    Doc(0)->SetSelection(0, 7, false);
    EXPECT_TRUE(Marks(WM_CHAR, 0x18));
    EXPECT_TRUE(Marks(WM_CHAR, 0x1A));
    EXPECT_EQ(L"pasted first line", DocText(0));
    Doc(0)->SetSelection(0, 7, false);
    EXPECT_TRUE(Marks(WM_CLEAR));
    EXPECT_TRUE(Marks(EM_UNDO));
    EXPECT_FALSE(Marks(WM_COPY));

    // A right click opens the program's edit popup, not the platform's menu
    // (which the watcher cannot see: a fallback closes it).
    PopupMenuWatcher watcher;
    UINT_PTR fallback = SetTimer(nullptr, 0, 3000, EndAnyMenu);
    PostMessageW(Doc(0)->edit, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
    PostMessageW(Doc(0)->edit, WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
    bool opened = watcher.WaitForMenu(5000);
    KillTimer(nullptr, fallback);
    ASSERT_TRUE(opened);
    EXPECT_EQ(L"0 Вставить #32772", watcher.lines.back());

    // The program's own putting of text is no edit.
    Doc(0)->SetText(L"kept");
    Doc(0)->modified = 0;
    Command(CMD_SAVE);
    Command(CMD_REOPEN_AUTO);
    Command(CMD_WORD_WRAP);
    EXPECT_EQ(0, Doc(0)->modified);
    EXPECT_EQ(L"kept", DocText(0));
}

TEST_F(EditWindow, EachEditWindowMarksItsOwnDocumentAndSearchesSeeItsChanges)
{
    ASSERT_TRUE(StartApp());
    Command(CMD_WINDOW_NEW);
    ASSERT_EQ(2, g_app.documents.count);
    for (int typedIn : { 0, 1 }) {
        Doc(0)->modified = Doc(1)->modified = 0;
        SendMessageW(Doc(typedIn)->edit, WM_CHAR, 'x', 1);
        EXPECT_EQ(typedIn == 0, Doc(0)->modified != 0);
        EXPECT_EQ(typedIn == 1, Doc(1)->modified != 0);
    }

    // A search after any kind of change reads the changed text.
    PutOnClipboard(L"x");
    struct Case {
        const char* name;
        const wchar_t* before;
        std::function<void(CDocument*)> change;
        int found;
    } cases[] = {
        { "typing", L"аб", [](CDocument* d) { d->SendToEdit(WM_CHAR, 'x', 1); }, 1 },
        { "pasting", L"аб", [](CDocument* d) { d->SendToEdit(WM_PASTE, 0, 0); }, 1 },
        { "replacing", L"аб",
          [](CDocument* d) { d->SendToEdit(EM_REPLACESEL, TRUE, (LPARAM)L"x"); }, 1 },
        { "putting text in", L"аб", [](CDocument* d) { d->SetText(L"бx"); }, 1 },
        { "cutting", L"абx",
          [](CDocument* d) { d->SetSelection(2, 3, false); d->SendToEdit(WM_CUT, 0, 0); }, 0 },
        { "undoing", L"абx",
          [](CDocument* d) { d->SendToEdit(EM_UNDO, 0, 0); }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDocument* document = Doc(1);
        document->SetText(L"");
        document->SetSelection(0, 0, false);
        document->SendToEdit(EM_REPLACESEL, TRUE, (LPARAM)c.before);   // undone by "undoing"
        document->SetSelection(0, 0, false);
        EXPECT_EQ(1 - c.found, FindInDocument(document, L"x", true, true, false, FIND_SILENT));
        document->SetSelection(0, 0, false);
        c.change(document);
        document->SetSelection(0, 0, false);
        EXPECT_EQ(c.found, FindInDocument(document, L"x", true, true, false, FIND_SILENT));
    }
}

TEST_F(EditWindow, TextsBeyondTheLoadingLimit)
{
    std::wstring path = temp.Path(L"big.txt");
    WriteBytes(path, Encode(Lines(40000, L'a'), CP_ACP));
    MessageBoxAnswerer tooBig;
    ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
    ASSERT_EQ(30000, Doc(0)->GetTextLength());
    // Loaded at its limit, the text still takes typing and pasting.
    SendMessageW(Doc(0)->edit, WM_CHAR, 'x', 0);
    PutOnClipboard(Lines(40000, L'b'));
    Command(CMD_PASTE);
    std::wstring whole = L"x" + Lines(40000, L'b') + Lines(30000, L'a');
    // Text copies, the word-wrap switch and saving take all of it.
    int length = 0;
    wchar_t* copy = Doc(0)->CopyText(&length);
    EXPECT_EQ(whole, std::wstring(copy, length));
    delete[] copy;
    Command(CMD_WORD_WRAP);
    EXPECT_EQ(whole, DocText(0));
    ASSERT_TRUE(Doc(0)->Save(temp.Path(L"whole.txt").c_str(), ENC_UTF16, 0));
    EXPECT_EQ(whole, FromUtf16Bytes(ReadBytes(temp.Path(L"whole.txt"))));
}

TEST_F(EditWindow, CommandsThatRemoveTheirOwnEditWindow)
{
    // Any use of a closed document after the command faults.
    GuardAllocationsOfSize(sizeof(CDocument));
    ASSERT_TRUE(StartApp());
    Command(CMD_WINDOW_NEW);
    // Ctrl+K closes, Ctrl+N replaces, Ctrl+W rebuilds, Ctrl+Q ends.
    SendMessageW(Doc(1)->edit, WM_COMMAND, CMD_WINDOW_CLOSE, 0);
    EXPECT_EQ(1, g_app.documents.count);
    SendMessageW(Doc(0)->edit, WM_COMMAND, CMD_NEW, 0);
    SendMessageW(Doc(0)->edit, WM_COMMAND, CMD_WORD_WRAP, 0);
    SendMessageW(Doc(0)->edit, WM_CHAR, 'z', 0);
    EXPECT_EQ(L"z", DocText(0));
    Doc(0)->modified = 0;
    SendMessageW(Doc(0)->edit, WM_COMMAND, CMD_EXIT, 0);
    EXPECT_FALSE(IsWindow(g_app.mainWindow));
    GuardAllocationsOfSize(0);
}

TEST_F(EditWindow, QuickInsertInsertsAllOrNothing)
{
    ASSERT_TRUE(StartApp());
    std::wstring list = temp.Path(L"QInsert.lst");
    WriteBytes(list, "\xFF\xFE" + Utf16Bytes(L"Tag|<b>%!</b>\r\nMark|%!\r\n"));
    g_app.quickInsert->Release();
    ASSERT_TRUE(g_app.quickInsert->LoadQuickInsertFrom(list.c_str()));
    Doc(0)->SetText(L"слово");
    // Room for the tag pair without its closing half, then for all of it.
    for (int room : { 3, 7 }) {
        SendMessageW(Doc(0)->edit, EM_LIMITTEXT, 5 + room, 0);
        Doc(0)->SetSelection(0, 5, false);
        Command(CMD_QUICK_INSERT_FIRST);
        EXPECT_EQ(room == 7 ? L"<b>слово</b>" : L"слово", DocText(0));
        EXPECT_EQ(room == 7 ? 1 : 0, Doc(0)->modified);
    }
    // An insert that changes nothing does not mark the document.
    Doc(0)->modified = 0;
    Command(CMD_QUICK_INSERT_FIRST + 1);
    EXPECT_EQ(0, Doc(0)->modified);
}

TEST_F(EditWindow, QuickInsertWithoutMemoryIsToldAndChangesNothing)
{
    ASSERT_TRUE(StartApp());
    std::wstring item(300, L'q');
    std::wstring list = temp.Path(L"QInsert.lst");
    WriteBytes(list, "\xFF\xFE" + Utf16Bytes(L"Long|" + item + L"\r\n"));
    g_app.quickInsert->Release();
    ASSERT_TRUE(g_app.quickInsert->LoadQuickInsertFrom(list.c_str()));
    Doc(0)->SetText(L"слово");
    MessageBoxAnswerer answerer;
    // The first step of the expansion.
    FailAllocationsOfSize((item.size() + 1) * sizeof(wchar_t), 1);
    Command(CMD_QUICK_INSERT_FIRST);
    ASSERT_EQ(1u, answerer.seen.size());
    EXPECT_EQ(L"Недостаточно памяти!", answerer.seen[0].text);
    EXPECT_EQ(L"слово", DocText(0));
    EXPECT_EQ(0, Doc(0)->modified);
}
