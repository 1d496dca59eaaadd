#include "tests/shell/app_fixture.h"

#include "lists/quick_insert.h"
#include "resources/resource.h"
#include "storage/encodings.h"
#include "tests/shell/heap_probe.h"

namespace {

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    EndMenu();
}

class EditWindow : public AppFixture {
protected:
    static void PutOnClipboard(const std::wstring& text)
    {
        ASSERT_TRUE(OpenClipboard(g_app.mainWindow));
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }
    // Lines of 78 letters: `units` units with their CR LF.
    static std::wstring Lines(int units, wchar_t letter)
    {
        std::wstring text;
        while ((int)text.size() < units)
            text += std::wstring(78, letter) + L"\r\n";
        return text.substr(0, units);
    }
    // Sends `message` to document 0's edit window and answers whether the
    // document became modified (the flag is cleared first).
    static bool Marks(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        Doc(0)->modified = 0;
        SendMessageW(Doc(0)->edit, message, wParam, lParam);
        Pump();
        return Doc(0)->modified != 0;
    }
};

}

TEST_F(EditWindow, EveryChangeOfTheTextMarksTheDocumentModified)
{
    std::wstring path = temp.Path(L"note.txt");
    WriteBytes(path, "first line");
    ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
    EXPECT_EQ(0, Doc(0)->modified);
    SetFocus(Doc(0)->edit);

    // Ctrl+V, Ctrl+X and Ctrl+Z reach the edit control as their characters
    // after a key press with Ctrl held.
    PutOnClipboard(L"pasted ");
    Doc(0)->SetSelection(0, 0, false);
    EXPECT_TRUE(Marks(WM_CHAR, 0x16));
    EXPECT_EQ(L"pasted first line", DocText(0));
    Doc(0)->SetSelection(0, 7, false);
    EXPECT_TRUE(Marks(WM_CHAR, 0x18));
    EXPECT_EQ(L"first line", DocText(0));
    EXPECT_TRUE(Marks(WM_CHAR, 0x1A));
    EXPECT_EQ(L"pasted first line", DocText(0));
    // Deleting, undoing and pasting as the platform's own menu does.
    Doc(0)->SetSelection(0, 7, false);
    EXPECT_TRUE(Marks(WM_CLEAR));
    EXPECT_TRUE(Marks(EM_UNDO));
    EXPECT_TRUE(Marks(WM_PASTE));
    // Moving the selection and copying change nothing.
    EXPECT_FALSE(Marks(EM_SETSEL, 0, 3));
    EXPECT_FALSE(Marks(WM_COPY));

    // A right click opens the program's own edit menu, not the platform's.
    {
        PopupMenuWatcher watcher;
        // A menu the watcher cannot see (one that tells its owner nothing)
        // is closed all the same.
        UINT_PTR fallback = SetTimer(nullptr, 0, 3000, EndAnyMenu);
        PostMessageW(Doc(0)->edit, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
        PostMessageW(Doc(0)->edit, WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
        bool opened = watcher.WaitForMenu(5000);
        KillTimer(nullptr, fallback);
        ASSERT_TRUE(opened);
        std::vector<std::wstring> expected = { L"0 Выделить всё #32786", L"0 -",
                                               L"0 Вырезать #32773", L"0 Копировать #32771",
                                               L"0 Вставить #32772" };
        EXPECT_EQ(expected, watcher.lines);
    }

    // The program's own putting of text is no edit: saving, reopening and
    // switching word wrap leave the flag alone.
    Doc(0)->SetText(L"kept text");
    Doc(0)->modified = 0;
    Command(CMD_SAVE);
    Command(CMD_REOPEN_AUTO);
    Command(CMD_WORD_WRAP);
    EXPECT_EQ(0, Doc(0)->modified);
    EXPECT_EQ(L"kept text", DocText(0));
}

TEST_F(EditWindow, TextsBeyondTheLoadingLimit)
{
    std::wstring path = temp.Path(L"big.txt");
    WriteBytes(path, Encode(Lines(40000, L'a'), CP_ACP));
    {
        MessageBoxAnswerer answerer;
        ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
        EXPECT_EQ(1u, answerer.seen.size());
    }
    ASSERT_EQ(30000, Doc(0)->GetTextLength());

    // Loaded at its limit, the text still takes typing and pasting.
    SetFocus(Doc(0)->edit);
    Doc(0)->SetSelection(0, 0, false);
    SendMessageW(Doc(0)->edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(30001, Doc(0)->GetTextLength());
    std::wstring pasted = Lines(40000, L'b');
    PutOnClipboard(pasted);
    Command(CMD_PASTE);
    std::wstring whole = L"x" + pasted + Lines(30000, L'a');
    ASSERT_EQ(whole.size(), (size_t)Doc(0)->GetTextLength());

    // Whole-text copies take all of it, however long: the text copy and the
    // word-wrap switch, and a save.
    int length = 0;
    wchar_t* copy = Doc(0)->CopyText(&length);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(whole, std::wstring(copy, length));
    delete[] copy;
    Command(CMD_WORD_WRAP);
    EXPECT_EQ(whole, DocText(0));
    ASSERT_TRUE(Doc(0)->Save(temp.Path(L"whole.txt").c_str(), ENC_UTF16, 0));
    EXPECT_EQ(whole, FromUtf16Bytes(ReadBytes(temp.Path(L"whole.txt"))));
}

TEST_F(EditWindow, CommandsThatRemoveTheirOwnEditWindow)
{
    // A freed record's pages are given back, so any use of the closed
    // document after the command faults here.
    GuardAllocationsOfSize(sizeof(CDocument));
    ASSERT_TRUE(StartApp());
    Command(CMD_WINDOW_NEW);
    ASSERT_EQ(2, g_app.documents.count);
    // Ctrl+K at the edit window of the document it closes.
    SendMessageW(Doc(1)->edit, WM_COMMAND, CMD_WINDOW_CLOSE, 0);
    ASSERT_EQ(1, g_app.documents.count);
    // Ctrl+N replaces the document, Ctrl+W rebuilds its window.
    HWND old = Doc(0)->edit;
    SendMessageW(old, WM_COMMAND, CMD_NEW, 0);
    EXPECT_FALSE(IsWindow(old));
    old = Doc(0)->edit;
    SendMessageW(old, WM_COMMAND, CMD_WORD_WRAP, 0);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_TRUE(Doc(0)->IsWordWrap());
    SendMessageW(Doc(0)->edit, WM_CHAR, 'z', 0);
    EXPECT_EQ(L"z", DocText(0));
    // Ctrl+Q ends the program from there.
    Doc(0)->modified = 0;
    SendMessageW(Doc(0)->edit, WM_COMMAND, CMD_EXIT, 0);
    EXPECT_FALSE(IsWindow(g_app.mainWindow));
    EXPECT_EQ(0, g_app.documents.count);
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
    HWND edit = Doc(0)->edit;

    // Room for the pair only without its closing half: nothing goes in.
    SendMessageW(edit, EM_LIMITTEXT, 5 + 3, 0);
    Doc(0)->SetSelection(0, 5, false);
    Command(CMD_QUICK_INSERT_FIRST);
    EXPECT_EQ(L"слово", DocText(0));
    EXPECT_EQ(0, Doc(0)->modified);
    // Room for all of it.
    SendMessageW(edit, EM_LIMITTEXT, 5 + 7, 0);
    Doc(0)->SetSelection(0, 5, false);
    Command(CMD_QUICK_INSERT_FIRST);
    EXPECT_EQ(L"<b>слово</b>", DocText(0));
    EXPECT_EQ(1, Doc(0)->modified);
    // An insert that changes nothing does not mark the document.
    Doc(0)->modified = 0;
    Command(CMD_QUICK_INSERT_FIRST + 1);
    EXPECT_EQ(L"<b>слово</b>", DocText(0));
    EXPECT_EQ(0, Doc(0)->modified);
}
