#include "tests/shell/app_fixture.h"

#include "resources/resource.h"
#include "tests/shell/heap_probe.h"

namespace {

class SettingsCommand : public AppFixture {
protected:
    // Ctrl+M with one script for each dialog that opens.
    static void Settings(std::initializer_list<DialogDriver::Script> scripts)
    {
        RunDialogs([] { return Command(CMD_SETTINGS); }, scripts);
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
    static int FontHeight()
    {
        LOGFONTW font = {};
        GetObjectW((HFONT)SendMessageW(Doc(0)->edit, WM_GETFONT, 0, 0), sizeof(font), &font);
        return font.lfHeight;
    }
};

}

TEST_F(SettingsCommand, TheDialogChangesTheBarTheLanguageAndTheFont)
{
    ASSERT_TRUE(StartApp());
    HWND bar = g_app.menuBar;
    // The same bar without Save; a size of 0 is stored but not applied.
    Settings({ [](DialogView& dialog) {
        EXPECT_EQ(L"Russian", dialog.ComboText(IDC_SET_LANGUAGE));
        EXPECT_TRUE(dialog.Toggle(IDC_SET_TOOLBAR, L"Сохранить"));
        dialog.Type(IDC_SET_FONT_SIZE, L"0");
        EXPECT_TRUE(dialog.Press(IDOK));
    } });
    EXPECT_EQ(bar, g_app.menuBar);
    EXPECT_EQ(-1, ButtonOf(CMD_SAVE));
    EXPECT_EQ(12, FontHeight());

    // English at once, and back.
    Settings({ [](DialogView& dialog) {
        EXPECT_TRUE(dialog.Pick(IDC_SET_LANGUAGE, L"English"));
        dialog.Type(IDC_SET_FONT_SIZE, L"5000");
        EXPECT_TRUE(dialog.Press(IDOK));
    } });
    EXPECT_EQ(L"File", FirstMenuItem());
    EXPECT_EQ(144, FontHeight());
    Settings({ [](DialogView& dialog) {
        EXPECT_EQ(L"Cancel", dialog.Text(IDCANCEL));
        EXPECT_TRUE(dialog.Pick(IDC_SET_LANGUAGE, L"Russian"));
        EXPECT_TRUE(dialog.Press(IDOK));
    } });
    EXPECT_EQ(L"Файл", FirstMenuItem());

    // The standard menu is a bar of its own; back to the toolbar with the
    // soft key's look changed in the advanced settings.
    Settings({ [](DialogView& dialog) {
        EXPECT_TRUE(dialog.Press(IDC_SET_WM5_MENU));
        EXPECT_TRUE(dialog.Press(IDOK));
    } });
    EXPECT_NE(bar, g_app.menuBar);
    EXPECT_EQ(-1, ButtonOf(CMD_NEW));
    Settings({ [](DialogView& dialog) {
                  EXPECT_TRUE(dialog.Press(IDC_SET_WM5_MENU));
                  EXPECT_TRUE(dialog.Press(IDC_SET_ADVANCED));
                  EXPECT_TRUE(dialog.Press(IDOK));
              },
               [](DialogView& advanced) {
                   EXPECT_TRUE(advanced.Pick(IDC_ADV_SHOW_TYPE, L"Текст"));
                   EXPECT_TRUE(advanced.Press(IDOK));
               } });
    TBBUTTON key = {};
    SendMessageW(g_app.menuBar, TB_GETBUTTON, 0, (LPARAM)&key);
    EXPECT_EQ(I_IMAGENONE, key.iBitmap);
    EXPECT_GE(ButtonOf(CMD_NEW), 0);
}

TEST_F(SettingsCommand, HardwareButtonWorksWhileTheWindowIsActive)
{
    // Button 0xC3 toggles word wrap; the emulated device presses it with
    // Ctrl+Alt+3 and names its buttons.
    ASSERT_TRUE(StartApp(L"", L"HardKeyEvent2=12\r\n"));
    EXPECT_EQ(L"Запись",
              RegText(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shell\\Keys\\40C5", L"Name"));
    SetForegroundWindow(g_app.mainWindow);
    PumpMessages();
    ASSERT_EQ(g_app.mainWindow, GetActiveWindow());
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 500, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 0xC3, MOD_WIN, 0xC3));

    bool wrap = Doc(0)->IsWordWrap();
    INPUT keys[6] = {};
    const WORD codes[6] = { VK_CONTROL, VK_MENU, '3', '3', VK_MENU, VK_CONTROL };
    for (int i = 0; i < 6; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i >= 3 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(6, keys, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return Doc(0)->IsWordWrap() != wrap; }, 2000));

    // Another window active: the button is given back.
    ShowWindow(other, SW_SHOW);
    SetForegroundWindow(other);
    PumpMessages();
    EXPECT_TRUE(RegisterHotKey(other, 0xC3, MOD_WIN, 0xC3));
    DestroyWindow(other);
}

TEST_F(SettingsCommand, AWindowThatCannotBeRebuiltIsTold)
{
    ASSERT_TRUE(StartApp());
    std::wstring text(777, L'w');
    Doc(0)->SetText(text.c_str());
    MessageBoxAnswerer answerer;
    // The copy of the text the new window would take.
    FailAllocationsOfSize((text.size() + 1) * sizeof(wchar_t), 1);
    Settings({ [](DialogView& dialog) { EXPECT_TRUE(dialog.Press(IDOK)); } });
    ASSERT_EQ(1u, answerer.seen.size());
    EXPECT_EQ(L"Не удалось применить новые настройки к окну документа: оно осталось прежним.",
              answerer.seen[0].text);
    EXPECT_EQ(text, DocText(0));
}
