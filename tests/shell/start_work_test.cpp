#include "tests/shell/app_fixture.h"

#include "resources/resource.h"
#include "tools/process_windows.h"
#include "widgets/pic_btn.h"

// What the start leaves for later works on first use, and what it told the
// user it still tells at start.

typedef AppFixture LeftForLater;

TEST_F(LeftForLater, TheFindBarIsMadeWhenFirstShown)
{
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(nullptr, g_app.findBar);
    Command(CMD_SEARCH);
    ASSERT_TRUE(g_app.findBar && IsWindowVisible(g_app.findBar));
    for (CPicBtn* button : g_app.findButtons)
        EXPECT_TRUE(button && IsChild(g_app.findBar, button->window));
}

TEST(StartMessages, AMissingButtonPictureIsToldAtStart)
{
    TempFolder temp;
    ASSERT_TRUE(InstallProgram(temp.Folder()));
    for (const wchar_t* name : { L"ListIconsVGA.png", L"ListIconsQVGA.png" })
        DeleteFileW(temp.Path(name).c_str());
    HANDLE process = StartProgram(L"\"" + temp.Path(L"Quillex.exe") + L"\"", temp.Folder());
    DWORD id = GetProcessId(process);
    auto shown = [id](const wchar_t* kind) {
        return FirstTopLevelWindow([id, kind](HWND w) {
            return ProcessOfWindow(w) == id && HasWindowClass(w, kind) && IsWindowVisible(w);
        });
    };
    ASSERT_TRUE(PumpUntil([&] { return shown(L"#32770") != nullptr; }, 30000));
    EXPECT_EQ(L"Не удаётся найти файл с изображением кнопок",
              WindowText(GetDlgItem(shown(L"#32770"), 0xFFFF)));
    PostMessageW(shown(L"#32770"), WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return shown(L"QUILLEX") != nullptr; }, 30000));
    PostMessageW(shown(L"QUILLEX"), WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 30000));
    CloseHandle(process);
}
