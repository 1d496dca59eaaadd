#include "tests/shell/app_fixture.h"

// The program in a folder of its own: it writes Settings.ini and Recent.lst
// beside itself when it ends.
TEST(Program, WritesSettingsAndRecentFilesAtExit)
{
    TempFolder temp;
    std::wstring program = temp.Path(L"Quillex.exe");
    ASSERT_TRUE(InstallProgram(temp.Folder()));
    std::wstring document = temp.Path(L"письмо.txt");
    WriteBytes(document, Encode(L"Здравствуйте!", 1251));

    std::wstring commandLine = L"\"" + program + L"\" \"" + document + L"\"";
    HANDLE process = StartProgram(commandLine, temp.Folder());
    ASSERT_NE(nullptr, process);
    HWND editor = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (editor = FindWindowW(L"QUILLEX", L"Quillex")) != nullptr; },
                          30000));
    PostMessageW(editor, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 30000));
    DWORD exitCode = 1;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    EXPECT_EQ(0u, exitCode);

    EXPECT_EQ(L"[Main]\r\nLastFileName=" + document + L"\r\n",
              FromUtf16Bytes(ReadBytes(temp.Path(L"Settings.ini"))));
    EXPECT_EQ(document + L"\r\n", FromUtf16Bytes(ReadBytes(temp.Path(L"Recent.lst"))));
}
