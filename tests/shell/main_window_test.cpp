#include "tests/shell/app_fixture.h"

#include "editor/find_bar.h"
#include "resources/resource.h"
#include "storage/encodings.h"
#include "storage/settings.h"

namespace {

class MainWindow : public AppFixture {
protected:
    // A menu with the items the layout keeps up to date, standing in for the
    // menu bar's menu.
    void UseTestMenu()
    {
        menu = CreatePopupMenu();
        const int ids[] = { CMD_WINDOW_NEXT,  CMD_WINDOW_PREVIOUS, CMD_REOPEN_ANSI, CMD_REOPEN_1251,
                            CMD_REOPEN_866,   CMD_REOPEN_KOI8R,    CMD_REOPEN_UTF16, CMD_REOPEN_UTF8,
                            CMD_WORD_WRAP };
        for (int id : ids)
            AppendMenuW(menu, MF_STRING, id, L"item");
        g_app.mainMenu = menu;
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        if (menu)
            DestroyMenu(menu);
    }
    static UINT State(int id) { return GetMenuState(g_app.mainMenu, id, MF_BYCOMMAND); }
    HMENU menu = nullptr;
};

}

TEST_F(MainWindow, LayoutOfDocumentsTabsAndBar)
{
    for (auto screen : DeviceScreens()) {
        SCOPED_TRACE(screen.first);
        ASSERT_TRUE(StartApp(L"", L"", screen.first, screen.second));
        UseTestMenu();
        int scale = screen.first > 400 ? 2 : 1;
        RECT client;
        GetClientRect(g_app.mainWindow, &client);

        // One document: no tabs, next and previous both greyed.
        Command(CMD_WINDOW_CLOSE);   // replaces the only document, layout runs
        EXPECT_FALSE(IsWindowVisible(g_app.tabHost));
        EXPECT_EQ(0, WindowRectIn(Doc(0)->edit, g_app.mainWindow).top);
        EXPECT_TRUE(State(CMD_WINDOW_NEXT) & MF_GRAYED);
        EXPECT_TRUE(State(CMD_WINDOW_PREVIOUS) & MF_GRAYED);

        // Two documents: the tab strip is 12 or 24 pixels high.
        Command(CMD_WINDOW_NEW);
        ASSERT_EQ(2, g_app.documents.count);
        EXPECT_TRUE(IsWindowVisible(g_app.tabHost));
        RECT tabs = WindowRectIn(g_app.tabHost, g_app.mainWindow);
        EXPECT_EQ(0, tabs.top);
        EXPECT_EQ(12 * scale, tabs.bottom);
        EXPECT_EQ(client.right, tabs.right);
        // The shown document fills the area; the hidden one takes it when shown.
        for (int i : { 1, 0 }) {
            if (i == 0)
                Command(CMD_WINDOW_PREVIOUS);
            RECT edit = WindowRectIn(Doc(i)->edit, g_app.mainWindow);
            EXPECT_EQ(12 * scale, edit.top);
            EXPECT_EQ(client.bottom - 2, edit.bottom);
            EXPECT_TRUE(IsWindowVisible(Doc(i)->edit));
            EXPECT_FALSE(IsWindowVisible(Doc(1 - i)->edit));
            EXPECT_EQ(i == 1, (State(CMD_WINDOW_NEXT) & MF_GRAYED) != 0);
            EXPECT_EQ(i == 0, (State(CMD_WINDOW_PREVIOUS) & MF_GRAYED) != 0);
        }
        EXPECT_EQ(0, g_app.current);
        EXPECT_FALSE(State(CMD_WINDOW_NEXT) & MF_GRAYED);
        EXPECT_TRUE(State(CMD_WINDOW_PREVIOUS) & MF_GRAYED);

        // The bar: one row, then two rows; the edit windows give way.
        ASSERT_TRUE(EnsureFindBar());
        RECT box;
        GetClientRect(GetDlgItem(g_app.findBar, IDC_FIND_TEXT), &box);
        int e = box.bottom;
        int extra = scale == 2 ? 6 : 2;
        g_app.findShown = 1;
        SendMessageW(g_app.mainWindow, WM_SIZE, 0, 0);
        RECT bar = WindowRectIn(g_app.findBar, g_app.mainWindow);
        EXPECT_TRUE(IsWindowVisible(g_app.findBar));
        EXPECT_EQ(e + 2 * scale, bar.bottom - bar.top);
        EXPECT_EQ(client.bottom - 2 * scale, bar.bottom);
        EXPECT_EQ(client.bottom - (e + 2 * scale + extra) - 2,
                  WindowRectIn(Doc(0)->edit, g_app.mainWindow).bottom);
        g_app.findShown = 0;
        g_app.replaceShown = 1;
        SendMessageW(g_app.mainWindow, WM_SIZE, 0, 0);
        bar = WindowRectIn(g_app.findBar, g_app.mainWindow);
        EXPECT_EQ(2 * (e + 3 * scale), bar.bottom - bar.top);
        EXPECT_EQ(client.bottom - (2 * (e + 3 * scale) + extra) - 2,
                  WindowRectIn(Doc(0)->edit, g_app.mainWindow).bottom);
        g_app.replaceShown = 0;
        SendMessageW(g_app.mainWindow, WM_SIZE, 0, 0);
        EXPECT_FALSE(IsWindowVisible(g_app.findBar));
        TearDown();
    }
}

TEST_F(MainWindow, WordWrapKeepsTextSelectionAndModifiedFlag)
{
    ASSERT_TRUE(StartApp());
    UseTestMenu();
    std::wstring text = L"Первая строка довольно длинная, чтобы её было что переносить.\r\nВторая";
    Doc(0)->SetText(text.c_str());
    Doc(0)->SetSelection(7, 13, true);
    Doc(0)->SetModified(true);
    HWND before = Doc(0)->edit;

    Command(CMD_WORD_WRAP);
    EXPECT_TRUE(Doc(0)->IsWordWrap());
    EXPECT_NE(before, Doc(0)->edit);   // a new window without horizontal scrolling
    EXPECT_FALSE(GetWindowLongW(Doc(0)->edit, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(text, DocText(0));
    DWORD start = 0, end = 0;
    Doc(0)->GetSelection(&start, &end);
    EXPECT_EQ(7u, start);
    EXPECT_EQ(13u, end);
    EXPECT_EQ(1, Doc(0)->modified);
    EXPECT_TRUE(IsWindowVisible(Doc(0)->edit));
    EXPECT_TRUE(State(CMD_WORD_WRAP) & MF_CHECKED);
    EXPECT_TRUE(g_settings.GetBool(L"WordWrap", false));

    // A new window takes the current document's word wrap.
    Command(CMD_WINDOW_NEW);
    EXPECT_TRUE(Doc(1)->IsWordWrap());

    Command(CMD_WORD_WRAP);
    EXPECT_FALSE(Doc(1)->IsWordWrap());
    EXPECT_FALSE(State(CMD_WORD_WRAP) & MF_CHECKED);
    EXPECT_FALSE(g_settings.GetBool(L"WordWrap", true));
}

TEST_F(MainWindow, ReopenWithAnotherEncoding)
{
    std::wstring path = temp.Path(L"short.txt");
    // Too short for detection to find KOI8-R: it opens as ANSI.
    WriteBytes(path, Encode(L"Привет", 20866));
    ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
    UseTestMenu();
    EXPECT_EQ(ENC_ANSI, Doc(0)->encoding);

    Command(CMD_REOPEN_KOI8R);
    EXPECT_EQ(L"Привет", DocText(0));
    EXPECT_EQ(ENC_KOI8R, Doc(0)->encoding);
    EXPECT_TRUE(State(CMD_REOPEN_KOI8R) & MF_CHECKED);
    for (int other : { CMD_REOPEN_ANSI, CMD_REOPEN_1251, CMD_REOPEN_866, CMD_REOPEN_UTF16,
                       CMD_REOPEN_UTF8 })
        EXPECT_FALSE(State(other) & MF_CHECKED) << other;

    // Changes are asked about first; No reloads, losing them.
    Doc(0)->SetText(L"изменено");
    Doc(0)->SetModified(true);
    {
        MessageBoxAnswerer answerer({ IDNO });
        Command(CMD_REOPEN_1251);
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_EQ(L"Файл " + path + L" был изменён. Сохранить изменения?", answerer.seen[0].text);
        EXPECT_TRUE(answerer.seen[0].hasCancel);
    }
    EXPECT_EQ(ENC_WIN1251, Doc(0)->encoding);
    EXPECT_EQ(0, Doc(0)->modified);
    // Cancel keeps everything.
    Doc(0)->SetText(L"снова");
    Doc(0)->SetModified(true);
    {
        MessageBoxAnswerer answerer({ IDCANCEL });
        Command(CMD_REOPEN_UTF8);
    }
    EXPECT_EQ(L"снова", DocText(0));
    EXPECT_EQ(ENC_WIN1251, Doc(0)->encoding);

    // An untitled document cannot be reopened, even with text.
    Command(CMD_WINDOW_NEW);
    Doc(1)->SetText(L"текст");
    MessageBoxAnswerer answerer;
    Command(CMD_REOPEN_AUTO);
    ASSERT_EQ(1u, answerer.seen.size());
    EXPECT_EQ(L"Файл не сохранён, поэтому переоткрыть его невозможно.", answerer.seen[0].text);
    EXPECT_EQ((UINT)MB_ICONERROR, answerer.seen[0].icon);
    EXPECT_EQ(L"текст", DocText(1));
}

TEST_F(MainWindow, TypingAndClipboardMarkTheDocumentModified)
{
    ASSERT_TRUE(StartApp());
    HWND edit = Doc(0)->edit;
    SetFocus(edit);
    // Any key without Ctrl, arrows included.
    SendMessageW(edit, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(1, Doc(0)->modified);

    Doc(0)->modified = 0;
    // With Ctrl held down on the keyboard: a shortcut changes nothing.
    INPUT ctrl[2] = {};
    ctrl[0].type = ctrl[1].type = INPUT_KEYBOARD;
    ctrl[0].ki.wVk = ctrl[1].ki.wVk = VK_CONTROL;
    ctrl[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &ctrl[0], sizeof(INPUT));
    // The key reaches the system's key state a moment later; the Ctrl key's
    // own press is no shortcut and may count as a key without Ctrl.
    PumpUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }, 1000);
    Doc(0)->modified = 0;
    SendMessageW(edit, WM_KEYDOWN, 'C', 0);
    SendInput(1, &ctrl[1], sizeof(INPUT));
    PumpMessages();
    EXPECT_EQ(0, Doc(0)->modified);

    // Copy leaves the flag alone, cut and paste set it.
    Doc(0)->SetText(L"слово");
    Doc(0)->SetSelection(0, 5, false);
    Command(CMD_COPY);
    EXPECT_EQ(0, Doc(0)->modified);
    Command(CMD_CUT);
    EXPECT_EQ(1, Doc(0)->modified);
    EXPECT_EQ(L"", DocText(0));
    Doc(0)->modified = 0;
    Command(CMD_PASTE);
    EXPECT_EQ(1, Doc(0)->modified);
    EXPECT_EQ(L"слово", DocText(0));

    // Commands reaching the edit window go on to the main window.
    SendMessageW(edit, WM_COMMAND, CMD_SELECT_ALL, 0);
    DWORD start = 1, end = 0;
    Doc(0)->GetSelection(&start, &end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(5u, end);
}

TEST_F(MainWindow, CaretAndPageMoves)
{
    ASSERT_TRUE(StartApp());
    std::wstring text;
    for (int i = 0; i < 200; ++i)
        text += L"строка " + std::to_wstring(i) + L"\r\n";
    text += L"конец";
    Doc(0)->SetText(text.c_str());
    SetFocus(Doc(0)->edit);
    DWORD start = 0, end = 0;

    Command(CMD_FILE_END);
    Doc(0)->GetSelection(&start, &end);
    EXPECT_EQ(text.size(), start);
    EXPECT_EQ(text.size(), end);
    Command(CMD_LINE_START);
    Doc(0)->GetSelection(&start, &end);
    EXPECT_EQ(text.size() - 5, start);
    Command(CMD_LINE_END);
    Doc(0)->GetSelection(&start, &end);
    EXPECT_EQ(text.size(), start);

    // Page down on the last page: the simulated tap keeps the caret at the
    // end and opens no menu (no stylus is down).
    Command(CMD_PAGE_DOWN);
    Doc(0)->GetSelection(&start, &end);
    EXPECT_EQ(start, end);
    EXPECT_GE(start, text.size() - 5);

    Command(CMD_FILE_START);
    Doc(0)->GetSelection(&start, &end);
    EXPECT_EQ(0u, start);
    Command(CMD_PAGE_DOWN);
    Doc(0)->GetSelection(&start, &end);
    EXPECT_GT(start, 0u);
    EXPECT_EQ(start, end);
    int firstVisible = (int)Doc(0)->SendToEdit(EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(firstVisible, 0);
    Command(CMD_PAGE_UP);
    EXPECT_EQ(0, (int)Doc(0)->SendToEdit(EM_GETFIRSTVISIBLELINE, 0, 0));
}

TEST_F(MainWindow, FailedSaveKeepsTheDocumentModified)
{
    std::wstring path = temp.Path(L"held.txt");
    WriteBytes(path, "original");
    ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
    Doc(0)->SetText(L"changed");
    Doc(0)->SetModified(true);
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    {
        MessageBoxAnswerer answerer;
        Command(CMD_SAVE);
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_EQ(L"Файл открыт другой программой и не может быть заменён. Закройте его там и "
                  L"сохраните снова.",
                  answerer.seen[0].text);
    }
    CloseHandle(holder);
    EXPECT_EQ(1, Doc(0)->modified);
    EXPECT_EQ(path, Doc(0)->path);
    EXPECT_EQ("original", ReadBytes(path));

    // Save all: the same file, now writable.
    Command(CMD_SAVE_ALL);
    EXPECT_EQ(0, Doc(0)->modified);
    EXPECT_EQ("changed", ReadBytes(path));
}

TEST_F(MainWindow, ExitAsksAndStaysOnCancel)
{
    std::wstring path = temp.Path(L"doc.txt");
    WriteBytes(path, "text");
    ASSERT_TRUE(StartApp(L"\"" + path + L"\""));
    Doc(0)->SetModified(true);
    {
        MessageBoxAnswerer answerer({ IDCANCEL });
        SendMessageW(g_app.mainWindow, WM_CLOSE, 0, 0);
        EXPECT_EQ(1u, answerer.seen.size());
    }
    EXPECT_TRUE(IsWindow(g_app.mainWindow));
    EXPECT_TRUE(IsWindowVisible(Doc(0)->edit));
    {
        MessageBoxAnswerer answerer({ IDNO });
        Command(CMD_EXIT);
        EXPECT_EQ(1u, answerer.seen.size());
    }
    EXPECT_FALSE(IsWindow(g_app.mainWindow));
    EXPECT_EQ(path, Setting(L"LastFileName"));
    EXPECT_EQ("text", ReadBytes(path));
}

TEST_F(MainWindow, TheCloseButtonSettingGivesAnOkThatCloses)
{
    ASSERT_TRUE(StartApp());
    RECT done;
    EXPECT_FALSE(DeviceDoneButtonRect(g_app.mainWindow, &done));
    TearDown();

    ASSERT_TRUE(StartApp(L"", L"CloseButton=1\r\n"));
    ASSERT_TRUE(TapDoneButton(g_app.mainWindow));
    EXPECT_FALSE(IsWindow(g_app.mainWindow));
}

TEST_F(MainWindow, EditWindowsTakeTheThemeColours)
{
    ASSERT_TRUE(StartApp());
    HDC dc = GetDC(Doc(0)->edit);
    LRESULT brush = SendMessageW(g_app.mainWindow, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)Doc(0)->edit);
    EXPECT_EQ((LRESULT)g_app.editBrush, brush);
    EXPECT_EQ(g_app.colours[THEME_EDIT_TEXT], GetTextColor(dc));
    EXPECT_EQ(g_app.colours[THEME_EDIT_BACKGROUND], GetBkColor(dc));
    ReleaseDC(Doc(0)->edit, dc);
    LOGBRUSH fill;
    GetObjectW(g_app.editBrush, sizeof(fill), &fill);
    EXPECT_EQ(g_app.colours[THEME_EDIT_BACKGROUND], fill.lbColor);
}

namespace {

// The icon's pixels as drawn at its own size on white.
std::vector<COLORREF> IconPixels(HICON icon, int size)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT all = { 0, 0, size, size };
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}

// The title bar shows the small icon: the icon file's own image of that size,
// as the large one is its image of the large size.
TEST_F(MainWindow, TheWindowIconsAreTheIconFilesImagesOfTheirSizes)
{
    ASSERT_TRUE(StartApp());
    const struct {
        int classIcon;
        int size;
    } icons[] = {
        { GCLP_HICON, GetSystemMetrics(SM_CXICON) },
        { GCLP_HICONSM, GetSystemMetrics(SM_CXSMICON) },
    };
    for (const auto& icon : icons) {
        HICON shown = (HICON)GetClassLongPtrW(g_app.mainWindow, icon.classIcon);
        ASSERT_NE(nullptr, shown);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(shown, &info));
        BITMAP colour = {};
        GetObjectW(info.hbmColor, sizeof(colour), &colour);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        EXPECT_EQ(icon.size, colour.bmWidth);
        HICON image = (HICON)LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLEX),
                                        IMAGE_ICON, icon.size, icon.size, 0);
        ASSERT_NE(nullptr, image);
        EXPECT_TRUE(IconPixels(shown, icon.size) == IconPixels(image, icon.size)) << icon.size;
        DestroyIcon(image);
    }
}
