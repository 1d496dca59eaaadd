#include "tests/shell/app_fixture.h"

#include "resources/resource.h"
#include "storage/settings.h"

namespace {

class SettingsCommand : public AppFixture {
protected:
    // Runs the settings command (Ctrl+M) with `script` in its dialog and,
    // when given, `advanced` in the advanced settings opened from it.
    void RunSettings(DialogDriver::Script script, DialogDriver::Script advanced = nullptr)
    {
        DialogDriver driver;
        driver.Then(script);
        if (advanced)
            driver.Then(advanced);
        Command(CMD_SETTINGS);
        EXPECT_EQ(advanced ? 2 : 1, driver.ran);
        EXPECT_EQ(0, driver.leftOpen);
    }
    static int ButtonOf(int command)
    {
        return (int)SendMessageW(g_app.menuBar, TB_COMMANDTOINDEX, command, 0);
    }
    static std::wstring FirstMenuItem()
    {
        wchar_t text[64] = L"";
        GetMenuStringW(g_app.menuPopup, 0, text, 64, MF_BYPOSITION);
        return text;
    }
    static int EditFontHeight()
    {
        LOGFONTW font = {};
        GetObjectW((HFONT)SendMessageW(Doc(0)->edit, WM_GETFONT, 0, 0), sizeof(font), &font);
        return font.lfHeight;
    }
    static void PressKeys(std::initializer_list<WORD> keys)
    {
        std::vector<INPUT> input;
        for (WORD key : keys) {
            INPUT down = {};
            down.type = INPUT_KEYBOARD;
            down.ki.wVk = key;
            input.push_back(down);
        }
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
            INPUT up = {};
            up.type = INPUT_KEYBOARD;
            up.ki.wVk = *key;
            up.ki.dwFlags = KEYEVENTF_KEYUP;
            input.push_back(up);
        }
        SendInput((UINT)input.size(), input.data(), sizeof(INPUT));
        for (int i = 0; i < 5; ++i) {
            Sleep(20);
            Pump();
        }
    }
};

}

TEST_F(SettingsCommand, TheDialogChangesTheBarTheLanguageAndTheFont)
{
    ASSERT_TRUE(StartApp());
    Doc(0)->SetText(L"текст");
    HWND bar = g_app.menuBar;
    ASSERT_GE(ButtonOf(CMD_SAVE), 0);

    // The same bar without the Save button; the font keeps to a usable size.
    RunSettings([](DialogView& dialog) {
        EXPECT_EQ(L"Russian", dialog.ComboText(IDC_SET_LANGUAGE));
        EXPECT_EQ(L"Отмена", dialog.Text(IDCANCEL));
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Сохранить"));
        dialog.Type(IDC_SET_FONT_SIZE, L"0");
        EXPECT_TRUE(dialog.Press(IDOK));
    });
    EXPECT_EQ(bar, g_app.menuBar);
    EXPECT_EQ(-1, ButtonOf(CMD_SAVE));
    EXPECT_GE(ButtonOf(CMD_OPEN), 0);
    EXPECT_EQ(12, EditFontHeight());
    EXPECT_EQ(L"текст", DocText(0));

    // English at once, and back.
    RunSettings([](DialogView& dialog) {
        EXPECT_TRUE(dialog.Pick(IDC_SET_LANGUAGE, L"English"));
        dialog.Type(IDC_SET_FONT_SIZE, L"5000");
        EXPECT_TRUE(dialog.Press(IDOK));
    });
    EXPECT_EQ(L"File", FirstMenuItem());
    EXPECT_EQ(144, EditFontHeight());
    RunSettings([](DialogView& dialog) {
        EXPECT_EQ(L"Cancel", dialog.Text(IDCANCEL));
        EXPECT_EQ(L"Save", dialog.ListBoxItems(IDC_SET_TOOLBAR)[3]);
        EXPECT_TRUE(dialog.Pick(IDC_SET_LANGUAGE, L"Russian"));
        EXPECT_TRUE(dialog.Press(IDOK));
    });
    EXPECT_EQ(L"Файл", FirstMenuItem());

    // The standard menu: a bar of its own with two soft keys.
    RunSettings([](DialogView& dialog) {
        EXPECT_TRUE(dialog.Press(IDC_SET_WM5_MENU));
        EXPECT_TRUE(dialog.Press(IDOK));
    });
    EXPECT_NE(bar, g_app.menuBar);
    EXPECT_EQ(2, (int)SendMessageW(g_app.menuBar, TB_BUTTONCOUNT, 0, 0));

    // Back to the toolbar with another look of the soft key.
    RunSettings(
        [](DialogView& dialog) {
            EXPECT_TRUE(dialog.Press(IDC_SET_WM5_MENU));
            EXPECT_TRUE(dialog.Press(IDC_SET_ADVANCED));
            EXPECT_TRUE(dialog.Press(IDOK));
        },
        [](DialogView& advanced) {
            EXPECT_TRUE(advanced.Pick(IDC_ADV_SHOW_TYPE, L"Текст"));
            EXPECT_TRUE(advanced.Press(IDOK));
        });
    TBBUTTON key = {};
    SendMessageW(g_app.menuBar, TB_GETBUTTON, 0, (LPARAM)&key);
    EXPECT_EQ(I_IMAGENONE, key.iBitmap);
    EXPECT_GE(ButtonOf(CMD_NEW), 0);
    EXPECT_EQ(-1, ButtonOf(CMD_SAVE));
    EXPECT_EQ(L"текст", DocText(0));
}

TEST_F(SettingsCommand, HardwareButtonWorksWhileTheWindowIsActive)
{
    // Button 0xC3 toggles word wrap; its desktop combination is Ctrl+Alt+3.
    ASSERT_TRUE(StartApp(L"", L"HardKeyEvent2=12\r\n"));
    SetForegroundWindow(g_app.mainWindow);
    Pump();
    ASSERT_EQ(g_app.mainWindow, GetActiveWindow());
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 500, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 0xC3, MOD_WIN, 0xC3));

    bool wrap = Doc(0)->IsWordWrap();
    PressKeys({ VK_CONTROL, VK_MENU, '3' });
    EXPECT_NE(wrap, Doc(0)->IsWordWrap());
    // A button without an action is not taken.
    EXPECT_TRUE(RegisterHotKey(other, 0xC4, MOD_WIN, 0xC4));
    UnregisterHotKey(other, 0xC4);

    // Another window active: the button is given back.
    ShowWindow(other, SW_SHOW);
    SetForegroundWindow(other);
    Pump();
    EXPECT_TRUE(RegisterHotKey(other, 0xC3, MOD_WIN, 0xC3));
    UnregisterHotKey(other, 0xC3);
    DestroyWindow(other);
}
