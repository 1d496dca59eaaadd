#include "tests/shell/app_fixture.h"

#include "lists/recent_files.h"
#include "shell/startup.h"
#include "storage/encodings.h"
#include "storage/settings.h"
#include "tests/storage/russian_text.h"

namespace {

class Startup : public AppFixture {};

std::wstring QuotedArgument(const std::wstring& path)
{
    return L" \"" + path + L"\" ";
}


}

TEST(CommandLine, NormalisedOnce)
{
    wchar_t path[256];
    EXPECT_TRUE(NormaliseCommandLine(L" \"C:\\My Documents\\a.txt\" ", path, 256));
    EXPECT_STREQ(L"C:\\My Documents\\a.txt", path);
    NormaliseCommandLine(L"\"\"", path, 256);
    EXPECT_STREQ(L"", path);
    NormaliseCommandLine(L"C:\\with spaces\\no quotes.txt", path, 256);
    EXPECT_STREQ(L"C:\\with spaces\\no quotes.txt", path);
    // Only one of each is removed.
    NormaliseCommandLine(L"  \"\"x\"\"  ", path, 256);
    EXPECT_STREQ(L" \"\"x\"\" ", path);
    NormaliseCommandLine(L"", path, 256);
    EXPECT_STREQ(L"", path);
    // Too long for the buffer: ignored, never cut into another path.
    std::wstring longLine = L" C:\\" + std::wstring(300, L'a') + L".txt";
    EXPECT_FALSE(NormaliseCommandLine(longLine.c_str(), path, 256));
    EXPECT_STREQ(L"", path);
}

TEST_F(Startup, OpensTheCommandLineFileInItsEncodingOnBothScreens)
{
    std::wstring text = RussianProse(800);
    std::wstring path = temp.Path(L"заметки koi8.txt");
    WriteBytes(path, Encode(text, 20866));
    for (auto screen : DeviceScreens()) {
        SCOPED_TRACE(screen.first);
        ASSERT_TRUE(StartApp(QuotedArgument(path), L"", screen.first, screen.second));
        ASSERT_EQ(1, g_app.documents.count);
        EXPECT_EQ(path, Doc(0)->path);
        EXPECT_EQ(ENC_KOI8R, Doc(0)->encoding);
        EXPECT_EQ(0, Doc(0)->modified);
        wchar_t shown[2000];
        GetWindowTextW(Doc(0)->edit, shown, 2000);
        EXPECT_TRUE(text == shown);
        // The main window is the device screen less the menu bar.
        RECT frame;
        GetWindowRect(g_app.mainWindow, &frame);
        EXPECT_EQ(0, frame.left);
        EXPECT_EQ(0, frame.top);
        EXPECT_EQ(screen.first, frame.right);
        EXPECT_EQ(screen.second - DeviceMenuBarHeight(), frame.bottom);
        // The edit window fills the client area, shown, with the focus.
        RECT client;
        GetClientRect(g_app.mainWindow, &client);
        RECT edit = WindowRectIn(Doc(0)->edit, g_app.mainWindow);
        EXPECT_EQ(1, edit.left);
        EXPECT_EQ(0, edit.top);
        EXPECT_EQ(client.right - 1, edit.right);
        EXPECT_EQ(client.bottom - 2, edit.bottom);
        EXPECT_TRUE(IsWindowVisible(Doc(0)->edit));
        EXPECT_EQ(Doc(0)->edit, GetFocus());
        // The font height follows the screen.
        LOGFONTW font;
        GetObjectW(Doc(0)->font, sizeof(font), &font);
        EXPECT_EQ(screen.first > 400 ? 22 : 14, font.lfHeight);
        TearDown();
    }
}

TEST_F(Startup, MissingCommandLineFileGivesAnEmptyDocument)
{
    ASSERT_TRUE(StartApp(QuotedArgument(temp.Path(L"gone.txt"))));
    EXPECT_EQ(L"", std::wstring(Doc(0)->path));
    EXPECT_EQ(0, Doc(0)->GetTextLength());
}

TEST_F(Startup, LastFileIsReopenedOnlyWhenNothingElseCame)
{
    std::wstring last = temp.Path(L"last.txt");
    std::wstring given = temp.Path(L"given.txt");
    WriteBytes(last, "last file");
    WriteBytes(given, "given file");
    std::wstring settings = L"LoadLastFile=1\r\nLastFileName=" + last + L"\r\n";

    ASSERT_TRUE(StartApp(L"", settings));
    EXPECT_EQ(last, Doc(0)->path);
    TearDown();

    ASSERT_TRUE(StartApp(QuotedArgument(given), settings));
    EXPECT_EQ(given, Doc(0)->path);
    TearDown();

    // Off: not reopened.
    ASSERT_TRUE(StartApp(L"", L"LoadLastFile=0\r\nLastFileName=" + last + L"\r\n"));
    EXPECT_EQ(L"", std::wstring(Doc(0)->path));
    TearDown();

    // A deleted last file: an empty untitled document.
    DeleteFileW(last.c_str());
    ASSERT_TRUE(StartApp(L"", settings));
    EXPECT_EQ(L"", std::wstring(Doc(0)->path));
}

TEST_F(Startup, WordWrapSettingAppliesToTheFirstDocument)
{
    ASSERT_TRUE(StartApp(L"", L"WordWrap=1\r\n"));
    EXPECT_TRUE(Doc(0)->IsWordWrap());
    EXPECT_FALSE(GetWindowLongW(Doc(0)->edit, GWL_STYLE) & WS_HSCROLL);
    TearDown();
    ASSERT_TRUE(StartApp(L"", L""));
    EXPECT_FALSE(Doc(0)->IsWordWrap());
    EXPECT_TRUE(GetWindowLongW(Doc(0)->edit, GWL_STYLE) & WS_HSCROLL);
}

TEST_F(Startup, CopyDataFromAnotherProcessIsCheckedBeforeUse)
{
    ASSERT_TRUE(StartApp());
    std::wstring path = temp.Path(L"handed.txt");
    WriteBytes(path, "handed over");

    auto send = [](const void* data, DWORD bytes) {
        COPYDATASTRUCT copy = { 0, bytes, (void*)data };
        SendMessageW(g_app.mainWindow, WM_COPYDATA, 0, (LPARAM)&copy);
    };
    // No terminator inside the data, too long, empty: ignored.
    send(path.c_str(), (DWORD)(path.size() * sizeof(wchar_t)));
    std::wstring tooLong(300, L'x');
    send(tooLong.c_str(), (DWORD)((tooLong.size() + 1) * sizeof(wchar_t)));
    send(nullptr, 0);
    EXPECT_EQ(1, g_app.documents.count);

    // A proper path opens in a new document, even though the first is empty.
    send(path.c_str(), (DWORD)((path.size() + 1) * sizeof(wchar_t)));
    ASSERT_EQ(2, g_app.documents.count);
    EXPECT_EQ(1, g_app.current);
    EXPECT_EQ(path, Doc(1)->path);
    EXPECT_TRUE(IsWindowVisible(Doc(1)->edit));
    EXPECT_FALSE(IsWindowVisible(Doc(0)->edit));
}

TEST_F(Startup, SecondInstanceHandsItsFileOver)
{
    ASSERT_TRUE(StartApp());
    std::wstring path = temp.Path(L"second.txt");
    WriteBytes(path, "from the second start");

    std::wstring commandLine = L"\"" + BuiltProgramFolder() + L"Quillex.exe" + L"\" \"" + path + L"\"";
    HANDLE process = StartProgram(commandLine);
    ASSERT_NE(nullptr, process);
    // The second start sends its file synchronously: keep answering messages.
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 30000));
    DWORD exitCode = 1;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    EXPECT_EQ(0u, exitCode);

    ASSERT_EQ(2, g_app.documents.count);
    EXPECT_EQ(path, Doc(1)->path);
    EXPECT_EQ(1, g_app.current);
}

TEST_F(Startup, ACloseWhileAMessageIsUpWaits)
{
    // A file too big for a document: its warning shows during start-up.
    std::wstring path = temp.Path(L"big.txt");
    std::string big;
    while (big.size() < 31000)
        big += std::string(60, 'q') + "\r\n";
    WriteBytes(path, big);
    // A close comes from "outside" while the message is up.
    bool started;
    {
        MessageBoxAnswerer answerer;
        answerer.onShown = [](const SeenBox&) { PostMessageW(g_app.mainWindow, WM_CLOSE, 0, 0); };
        started = StartApp(QuotedArgument(path));
        EXPECT_EQ(1u, answerer.seen.size());
    }
    ASSERT_TRUE(started);
    EXPECT_TRUE(IsWindow(g_app.mainWindow));
    EXPECT_EQ(path, Doc(0)->path);
    EXPECT_EQ(30000, Doc(0)->GetTextLength());
}

TEST_F(Startup, TheStartUpDocumentIsTheMostRecentFile)
{
    // A full list beside the program (the test program's folder).
    std::wstring listPath = ProgramFolder() + L"Recent.lst";
    std::wstring lines;
    for (int i = 0; i < 20; ++i) {
        std::wstring older = temp.Path(L"older" + std::to_wstring(i) + L".txt");
        WriteBytes(older, "older");
        lines += older + L"\r\n";
    }
    std::wstring given = temp.Path(L"given.txt");
    std::wstring last = temp.Path(L"last.txt");
    WriteBytes(given, "given");
    WriteBytes(last, "last");
    for (const std::wstring& opened : { given, last }) {
        SCOPED_TRACE(opened);
        ASSERT_TRUE(WriteBytes(listPath, Utf16Bytes(lines)));
        if (opened == given)
            ASSERT_TRUE(StartApp(QuotedArgument(given)));
        else
            ASSERT_TRUE(StartApp(L"", L"LoadLastFile=1\r\nLastFileName=" + last + L"\r\n"));
        EXPECT_EQ(opened, Doc(0)->path);
        ASSERT_EQ(20, g_recent.count);
        EXPECT_EQ(opened, g_recent.At(0));
        EXPECT_EQ(temp.Path(L"older19.txt"), g_recent.At(1));
        TearDown();
    }
    WriteBytes(listPath, "");
}
