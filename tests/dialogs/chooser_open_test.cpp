#include "tests/dialogs/chooser_fixture.h"

namespace {

class ChooserOpen : public ChooserTest {};

}

TEST_F(ChooserOpen, BoxesOfOpenMode)
{
    Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        EXPECT_EQ(kChooserCaption, dialog.Caption());
        EXPECT_EQ(Names({ L"All docs", L"Text", L"Configs", L"WEB", L"All files" }),
                  dialog.ComboItems(IDC_CHOOSER_TYPE));
        EXPECT_EQ(Names({ L"(Auto)", L"ANSI", L"Win-1251", L"Unicode", L"KOI8-R", L"DOS RUS",
                          L"UTF-8" }),
                  dialog.ComboItems(IDC_CHOOSER_ENCODING));
        EXPECT_EQ(L"(Auto)", dialog.ComboText(IDC_CHOOSER_ENCODING));
        // No line-end or mark choice when reading; no name offered.
        EXPECT_FALSE(dialog.IsShown(IDC_CHOOSER_LF));
        EXPECT_FALSE(dialog.IsShown(IDC_CHOOSER_BOM));
        EXPECT_TRUE(dialog.IsShown(IDC_CHOOSER_ROOT));
        EXPECT_EQ(L"\\", dialog.Text(IDC_CHOOSER_ROOT));
        EXPECT_EQ(L"", dialog.Text(IDC_CHOOSER_NAME));
        EXPECT_FALSE(dialog.IsEnabled(IDOK));
        EXPECT_EQ(L"Отмена", dialog.Text(IDCANCEL));
        // The chooser frees the icons itself: the list must only borrow them.
        HWND list = dialog.Item(IDC_CHOOSER_LIST);
        EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & LVS_SHAREIMAGELISTS);
        EXPECT_NE(0, SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));

        // OK follows the name box.
        dialog.Type(IDC_CHOOSER_NAME, L"x");
        EXPECT_TRUE(dialog.IsEnabled(IDOK));
        dialog.Type(IDC_CHOOSER_NAME, L"");
        EXPECT_FALSE(dialog.IsEnabled(IDOK));
        dialog.Press(IDCANCEL);
    });
}

TEST_F(ChooserOpen, TapFillsTheNameDoubleTapOpens)
{
    bool chosen = Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        ASSERT_TRUE(dialog.Tap(IDC_CHOOSER_LIST, L"NOTES.TXT"));
        EXPECT_EQ(L"NOTES.TXT", dialog.Text(IDC_CHOOSER_NAME));
        EXPECT_TRUE(dialog.IsEnabled(IDOK));
        EXPECT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_ENCODING, L"KOI8-R"));
        ASSERT_TRUE(dialog.DoubleTap(IDC_CHOOSER_LIST, L"a.nfo"));
        EXPECT_FALSE(dialog.IsOpen());
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Doc(L"a.nfo"), choice.path);
    EXPECT_EQ(ENC_KOI8R, choice.encoding);
    EXPECT_EQ(docs, Setting(L"LastFolder"));
    EXPECT_EQ(ENC_KOI8R, g_settings.GetInt(L"LastEncoding", -1));
}

TEST_F(ChooserOpen, EnterOnAFileOpensIt)
{
    bool chosen = Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        ASSERT_TRUE(dialog.Select(IDC_CHOOSER_LIST, L"setup.ini"));
        dialog.Key(IDC_CHOOSER_LIST, VK_RETURN);
        EXPECT_FALSE(dialog.IsOpen());
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Doc(L"setup.ini"), choice.path);
    // "(Auto)" asks for detection, and is remembered as such.
    EXPECT_EQ(ENC_AUTO, choice.encoding);
    EXPECT_EQ(ENC_AUTO, g_settings.GetInt(L"LastEncoding", -1));
}

TEST_F(ChooserOpen, MissingNameOrFolderIsNoFile)
{
    MessageBoxAnswerer answers;
    bool chosen = Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        // A missing name, a device (no file either) and a folder.
        for (const wchar_t* name : { L"missing.txt", L"NUL", L"alpha" }) {
            dialog.Type(IDC_CHOOSER_NAME, name);
            ASSERT_TRUE(dialog.Press(IDOK));
            EXPECT_TRUE(dialog.IsOpen()) << name;
        }
        EXPECT_EQ(docs + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        // A typed sub-folder path reaches the file.
        dialog.Type(IDC_CHOOSER_NAME, L"..\\docs\\readme");
        ASSERT_TRUE(dialog.Press(IDOK));
        EXPECT_FALSE(dialog.IsOpen());
    });
    ExpectBoxes(answers.seen, 3, kNoFileText, MB_ICONSTOP);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(docs + L"\\..\\docs\\readme", choice.path);
}

TEST_F(ChooserOpen, CancelLeavesPathAndNextStart)
{
    std::wstring start = Doc(L"alpha\\x.txt");
    // The second showing, given no path, starts where the first did.
    for (const std::wstring& given : { start, std::wstring() }) {
        bool chosen = Run(true, given, [&](DialogView& dialog) {
            EXPECT_EQ(Doc(L"alpha\\"), dialog.Text(IDC_CHOOSER_FOLDER));
            dialog.DoubleTap(IDC_CHOOSER_LIST, L" .. ");
            dialog.Type(IDC_CHOOSER_NAME, L"b.txt");
            dialog.Press(IDCANCEL);
        });
        EXPECT_FALSE(chosen);
        EXPECT_EQ(given, choice.path);
        EXPECT_EQ(L"", Setting(L"LastFolder"));
    }
    EXPECT_EQ(L"(Auto)", std::wstring(g_chooserMemory.encodingName));
}

TEST_F(ChooserOpen, EmptyPathStartsInLastFolder)
{
    g_settings.SetString(L"LastFolder", docs.c_str());
    Run(true, L"", [&](DialogView& dialog) {
        EXPECT_EQ(docs + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        dialog.Press(IDCANCEL);
    });
    // A path given wins over it.
    Run(true, Doc(L"alpha\\x"), [&](DialogView& dialog) {
        EXPECT_EQ(Doc(L"alpha\\"), dialog.Text(IDC_CHOOSER_FOLDER));
        dialog.Press(IDCANCEL);
    });
}

TEST_F(ChooserOpen, CaptionOkWithEmptyNameDoesNothing)
{
    MessageBoxAnswerer answers;
    bool chosen = Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        ASSERT_FALSE(dialog.IsEnabled(IDOK));
        EXPECT_FALSE(dialog.Press(IDOK));
        // The caption's OK is not the disabled button: it posts IDOK anyway.
        PostMessageW(dialog.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        dialog.ProcessMessages();
        EXPECT_TRUE(dialog.IsOpen());
        dialog.Press(IDCANCEL);
    });
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(answers.seen.empty());
}

TEST_F(ChooserOpen, CloseEndsWithoutChoice)
{
    bool chosen = Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        dialog.Tap(IDC_CHOOSER_LIST, L"b.txt");
        SendMessageW(dialog.window, WM_CLOSE, 0, 0);
        EXPECT_FALSE(dialog.IsOpen());
    });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(Doc(L"b.txt"), choice.path);
}

TEST_F(ChooserOpen, CancelTextFromTheCatalogue)
{
    std::wstring catalogue = temp.Path(L"test.lng");
    WriteBytes(catalogue, "\xFF\xFE" + Utf16Bytes(L"cancel=Abbrechen\r\n"));
    g_lang.LoadFrom(catalogue.c_str());
    Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        EXPECT_EQ(L"Abbrechen", dialog.Text(IDCANCEL));
        dialog.Press(IDCANCEL);
    });
    // The text is fetched each time the chooser opens: with no catalogue
    // (as the other tests want it) the built-in text is back.
    g_lang.LoadFrom(L"");
    Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        EXPECT_EQ(L"Отмена", dialog.Text(IDCANCEL));
        dialog.Press(IDCANCEL);
    });
}
