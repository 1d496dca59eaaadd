#include "tests/dialogs/chooser_fixture.h"

namespace {

class ChooserSave : public ChooserTest {
protected:
    // Saves in an empty folder under `type` with `typed` as the name; the
    // file name the chooser hands back.
    std::wstring SavedName(const wchar_t* type, const wchar_t* typed)
    {
        std::wstring out = temp.Path(L"out");
        CreateDirectoryW(out.c_str(), nullptr);
        bool chosen = Run(false, out + L"\\preset", [&](DialogView& dialog) {
            EXPECT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, type));
            dialog.Type(IDC_CHOOSER_NAME, typed);
            EXPECT_TRUE(dialog.Press(IDOK));
        });
        EXPECT_TRUE(chosen) << type << L" " << typed;
        std::wstring path = choice.path;
        EXPECT_EQ(out + L"\\", path.substr(0, out.size() + 1));
        return path.substr(out.size() + 1);
    }
};

}

TEST_F(ChooserSave, BoxesOfSaveMode)
{
    choice.encoding = ENC_KOI8R;
    Run(false, Doc(L"b.txt"), [&](DialogView& dialog) {
        EXPECT_EQ(Names({ L"Text", L"Configs", L"WEB", L"All files" }),
                  dialog.ComboItems(IDC_CHOOSER_TYPE));
        EXPECT_EQ(Names({ L"ANSI", L"Win-1251", L"Unicode", L"KOI8-R", L"DOS RUS", L"UTF-8" }),
                  dialog.ComboItems(IDC_CHOOSER_ENCODING));
        // The document's own name and encoding; a mark, but no bare line feeds.
        EXPECT_EQ(L"KOI8-R", dialog.ComboText(IDC_CHOOSER_ENCODING));
        EXPECT_EQ(L"b.txt", dialog.Text(IDC_CHOOSER_NAME));
        EXPECT_TRUE(dialog.IsEnabled(IDOK));
        EXPECT_TRUE(dialog.IsShown(IDC_CHOOSER_LF));
        EXPECT_TRUE(dialog.IsShown(IDC_CHOOSER_BOM));
        EXPECT_TRUE(dialog.IsChecked(IDC_CHOOSER_BOM));
        EXPECT_FALSE(dialog.IsChecked(IDC_CHOOSER_LF));
        EXPECT_EQ(Names({ L" .. ", L"alpha", L"sub.d", L"Zeta", L"a.nfo", L"b.txt", L"hidden.txt",
                          L"NOTES.TXT" }),
                  dialog.ListItems(IDC_CHOOSER_LIST));
        dialog.Press(IDCANCEL);
    });
}

TEST_F(ChooserSave, DefaultExtensionsByType)
{
    EXPECT_EQ(L"a.txt", SavedName(L"Text", L"a"));
    EXPECT_EQ(L"a.txt", SavedName(L"Text", L"a.txt"));
    EXPECT_EQ(L"a.TXT.txt", SavedName(L"Text", L"a.TXT"));
    EXPECT_EQ(L"a.txt.bak.txt", SavedName(L"Text", L"a.txt.bak"));
    EXPECT_EQ(L"a.nfo.txt", SavedName(L"Text", L"a.nfo"));
    EXPECT_EQ(L"c.ini", SavedName(L"Configs", L"c"));
    EXPECT_EQ(L"c.ini", SavedName(L"Configs", L"c.ini"));
    EXPECT_EQ(L"c.cfg.ini", SavedName(L"Configs", L"c.cfg"));
    EXPECT_EQ(L"page.html", SavedName(L"WEB", L"page.html"));
    EXPECT_EQ(L"page.htm", SavedName(L"WEB", L"page.htm"));
    EXPECT_EQ(L"page.htm", SavedName(L"WEB", L"page"));
    EXPECT_EQ(L"page.HTM.htm", SavedName(L"WEB", L"page.HTM"));
    EXPECT_EQ(L"a", SavedName(L"All files", L"a"));
    EXPECT_EQ(L"a.TXT", SavedName(L"All files", L"a.TXT"));
}

TEST_F(ChooserSave, ChoicesComeBackWithThePath)
{
    bool chosen = Run(false, Doc(L"old.txt"), [&](DialogView& dialog) {
        dialog.Type(IDC_CHOOSER_NAME, L"new");
        EXPECT_TRUE(dialog.Pick(IDC_CHOOSER_ENCODING, L"UTF-8"));
        EXPECT_TRUE(dialog.Press(IDC_CHOOSER_BOM));
        EXPECT_TRUE(dialog.Press(IDC_CHOOSER_LF));
        EXPECT_TRUE(dialog.Press(IDOK));
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Doc(L"new.txt"), choice.path);
    EXPECT_EQ(ENC_UTF8, choice.encoding);
    EXPECT_EQ((DWORD)CODEC_BARE_LF, choice.flags);
    EXPECT_EQ(docs, Setting(L"LastFolder"));
    EXPECT_EQ(ENC_UTF8, g_settings.GetInt(L"LastEncoding", -1));

    // The mark alone is the default.
    chosen = Run(false, Doc(L"old.txt"), [&](DialogView& dialog) { dialog.Press(IDOK); });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Doc(L"old.txt"), choice.path);
    EXPECT_EQ((DWORD)CODEC_BOM, choice.flags);
}

TEST_F(ChooserSave, OverwriteAskedForFileAndFolder)
{
    MessageBoxAnswerer answers({ IDNO, IDNO, IDYES });
    bool chosen = Run(false, Doc(L"untitled"), [&](DialogView& dialog) {
        dialog.Type(IDC_CHOOSER_NAME, L"b");
        ASSERT_TRUE(dialog.Press(IDOK));
        // No keeps the dialog and everything in it.
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_EQ(L"b", dialog.Text(IDC_CHOOSER_NAME));
        EXPECT_EQ(L"Text", dialog.ComboText(IDC_CHOOSER_TYPE));

        EXPECT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"All files"));
        dialog.Type(IDC_CHOOSER_NAME, L"alpha");
        ASSERT_TRUE(dialog.Press(IDOK));
        EXPECT_TRUE(dialog.IsOpen());

        dialog.Type(IDC_CHOOSER_NAME, L"readme");
        ASSERT_TRUE(dialog.Press(IDOK));
        EXPECT_FALSE(dialog.IsOpen());
    });
    ExpectBoxes(answers.seen, 3, kRewriteText, MB_ICONQUESTION);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Doc(L"readme"), choice.path);
}

TEST_F(ChooserSave, NewDocumentStartsFromLastFolderAndEncoding)
{
    g_settings.SetString(L"LastFolder", docs.c_str());
    g_settings.SetInt(L"LastEncoding", ENC_DOS866);
    choice.encoding = ENC_UTF8;
    bool chosen = Run(false, L"", [&](DialogView& dialog) {
        EXPECT_EQ(docs + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(L"DOS RUS", dialog.ComboText(IDC_CHOOSER_ENCODING));
        dialog.Type(IDC_CHOOSER_NAME, L"fresh");
        dialog.Press(IDOK);
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(ENC_DOS866, choice.encoding);
}

TEST_F(ChooserSave, UnwritableEncodingKeepsLastChoiceOrAnsi)
{
    // Detection is no way of writing: "ANSI" when nothing was chosen before...
    g_settings.SetInt(L"LastEncoding", ENC_AUTO);
    CopyUnits(g_chooserMemory.encodingName, CHOOSER_ENCODING_NAME_UNITS, L"(Auto)");
    Run(false, L"", [&](DialogView& dialog) {
        EXPECT_EQ(L"ANSI", dialog.ComboText(IDC_CHOOSER_ENCODING));
        EXPECT_TRUE(dialog.Pick(IDC_CHOOSER_ENCODING, L"Unicode"));
        dialog.Press(IDCANCEL);
    });
    // ...else the choice the previous showing left.
    Run(false, L"", [&](DialogView& dialog) {
        EXPECT_EQ(L"Unicode", dialog.ComboText(IDC_CHOOSER_ENCODING));
        dialog.Press(IDCANCEL);
    });
}

TEST_F(ChooserSave, NamesThatMakeNoPathAreRefused)
{
    MessageBoxAnswerer answers;
    std::wstring deep = temp.Path(std::wstring(150, L'd'));
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    bool chosen = Run(false, deep + L"\\x", [&](DialogView& dialog) {
        // Longer than a path may be, whole or with the folder.
        dialog.Type(IDC_CHOOSER_NAME, std::wstring(300, L'n'));
        ASSERT_TRUE(dialog.Press(IDOK));
        dialog.Type(IDC_CHOOSER_NAME, std::wstring(120, L'n'));
        ASSERT_TRUE(dialog.Press(IDOK));
        // A colon would write into a hidden stream of another file.
        dialog.Type(IDC_CHOOSER_NAME, L"a:b");
        ASSERT_TRUE(dialog.Press(IDOK));
        // The drives hold no files of their own.
        ASSERT_TRUE(dialog.Press(IDC_CHOOSER_ROOT));
        dialog.Type(IDC_CHOOSER_NAME, L"a");
        ASSERT_TRUE(dialog.Press(IDOK));
        EXPECT_TRUE(dialog.IsOpen());
        dialog.Press(IDCANCEL);
    });
    EXPECT_FALSE(chosen);
    ASSERT_EQ(4u, answers.seen.size());
    for (const SeenBox& box : answers.seen)
        EXPECT_EQ(kBadNameText, box.text);
    EXPECT_EQ(deep + L"\\x", choice.path);
    EXPECT_EQ(L"", Setting(L"LastFolder"));
}

TEST_F(ChooserSave, DeviceNamesAreRefused)
{
    MessageBoxAnswerer answers({ IDYES });
    bool chosen = Run(false, Doc(L"x"), [&](DialogView& dialog) {
        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"All files"));
        for (const wchar_t* device : { L"nul", L"AUX", L"NUL.txt", L"con .log", L"Com1",
                                       L"lpt9.ini", L"prn.", L"alpha\\Nul.txt" }) {
            dialog.Type(IDC_CHOOSER_NAME, device);
            ASSERT_TRUE(dialog.Press(IDOK));
        }
        // Names that only begin like a device are files.
        dialog.Type(IDC_CHOOSER_NAME, L"nullify.com1");
        ASSERT_TRUE(dialog.Press(IDOK));
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(Doc(L"nullify.com1"), choice.path);
    ASSERT_EQ(8u, answers.seen.size());
    for (const SeenBox& box : answers.seen)
        EXPECT_EQ(kBadNameText, box.text);
}

TEST_F(ChooserSave, LongNameIsNotOfferedCut)
{
    std::wstring longName(120, L'q');
    Run(false, Doc(longName), [&](DialogView& dialog) {
        EXPECT_EQ(L"", dialog.Text(IDC_CHOOSER_NAME));
        EXPECT_FALSE(dialog.IsEnabled(IDOK));
        dialog.Press(IDCANCEL);
    });
    // A name that fits is offered.
    Run(false, Doc(std::wstring(99, L'q')), [&](DialogView& dialog) {
        EXPECT_EQ(std::wstring(99, L'q'), dialog.Text(IDC_CHOOSER_NAME));
        dialog.Press(IDCANCEL);
    });
}
