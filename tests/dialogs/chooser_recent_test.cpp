#include "tests/dialogs/chooser_fixture.h"

namespace {

class ChooserRecent : public ChooserTest {
protected:
    void SetUp() override
    {
        ChooserTest::SetUp();
        // Most recent first: b.txt, setup.ini, gone.txt (never existed), readme.
        for (const wchar_t* name : { L"readme", L"gone.txt", L"setup.ini", L"b.txt" })
            AddRecent(Doc(name).c_str());
    }
};

}

TEST_F(ChooserRecent, ListsExistingEntriesInOrderByType)
{
    bool chosen = RunRecent([&](DialogView& dialog) {
        EXPECT_EQ(L"All files", dialog.ComboText(IDC_CHOOSER_TYPE));
        EXPECT_EQ(Names({ L"All docs", L"Text", L"Configs", L"WEB", L"All files" }),
                  dialog.ComboItems(IDC_CHOOSER_TYPE));
        EXPECT_EQ(L"(Auto)", dialog.ComboText(IDC_CHOOSER_ENCODING));
        EXPECT_EQ(7u, dialog.ComboItems(IDC_CHOOSER_ENCODING).size());
        // The vanished entry is dropped; the rest keep their order, unsorted.
        EXPECT_EQ(Names({ L"b.txt", L"setup.ini", L"readme" }), dialog.ListItems(IDC_CHOOSER_LIST));
        EXPECT_EQ(std::vector<int>({ 0, 0, 0 }), dialog.ListImages(IDC_CHOOSER_LIST));
        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"Configs"));
        EXPECT_EQ(Names({ L"setup.ini" }), dialog.ListItems(IDC_CHOOSER_LIST));
        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"All docs"));
        EXPECT_EQ(Names({ L"b.txt", L"setup.ini" }), dialog.ListItems(IDC_CHOOSER_LIST));

        EXPECT_FALSE(dialog.IsShown(IDC_CHOOSER_LF));
        EXPECT_FALSE(dialog.IsShown(IDC_CHOOSER_BOM));
        EXPECT_FALSE(dialog.IsShown(IDC_CHOOSER_ROOT));
        EXPECT_TRUE(GetWindowLongW(dialog.Item(IDC_CHOOSER_NAME), GWL_STYLE) & ES_READONLY);
        EXPECT_FALSE(dialog.IsEnabled(IDOK));
        dialog.Press(IDCANCEL);
    });
    EXPECT_FALSE(chosen);
    ASSERT_EQ(3, g_recent.count);
    EXPECT_EQ(Doc(L"readme"), g_recent.At(2));
}

TEST_F(ChooserRecent, TapShowsTheEntryOkOpensIt)
{
    bool chosen = RunRecent([&](DialogView& dialog) {
        ASSERT_TRUE(dialog.Tap(IDC_CHOOSER_LIST, L"setup.ini"));
        EXPECT_EQ(L"setup.ini", dialog.Text(IDC_CHOOSER_NAME));
        EXPECT_EQ(docs + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_TRUE(dialog.IsEnabled(IDOK));
        EXPECT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_ENCODING, L"Win-1251"));
        EXPECT_TRUE(dialog.Press(IDOK));
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Doc(L"setup.ini"), choice.path);
    EXPECT_EQ(ENC_WIN1251, choice.encoding);
    // Picking a recent file is no new folder or encoding to remember.
    EXPECT_EQ(L"", Setting(L"LastFolder"));
    EXPECT_EQ(0, g_settings.GetInt(L"LastEncoding", -1));
}

TEST_F(ChooserRecent, DoubleTapOpens)
{
    bool chosen = RunRecent([&](DialogView& dialog) {
        ASSERT_TRUE(dialog.DoubleTap(IDC_CHOOSER_LIST, L"readme"));
        EXPECT_FALSE(dialog.IsOpen());
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Doc(L"readme"), choice.path);
    EXPECT_EQ(ENC_AUTO, choice.encoding);
}

TEST_F(ChooserRecent, VanishedEntryOrFolderIsNoFile)
{
    AddRecent(Doc(L"alpha").c_str());
    MessageBoxAnswerer answers;
    CopyUnits(choice.path, MAX_PATH, L"before");
    bool chosen = RunRecent([&](DialogView& dialog) {
        ASSERT_TRUE(dialog.Tap(IDC_CHOOSER_LIST, L"b.txt"));
        ASSERT_TRUE(DeleteFileW(Doc(L"b.txt").c_str()));
        ASSERT_TRUE(dialog.Press(IDOK));
        EXPECT_TRUE(dialog.IsOpen());
        ASSERT_TRUE(dialog.DoubleTap(IDC_CHOOSER_LIST, L"alpha"));
        EXPECT_TRUE(dialog.IsOpen());
        dialog.Press(IDCANCEL);
    });
    EXPECT_FALSE(chosen);
    EXPECT_STREQ(L"before", choice.path);
    ASSERT_EQ(2u, answers.seen.size());
    for (const SeenBox& box : answers.seen) {
        EXPECT_EQ(kNoFileText, box.text);
        EXPECT_EQ((UINT)MB_ICONSTOP, box.icon);
    }
}

TEST_F(ChooserRecent, FolderBoxSpansTheDialog)
{
    SetDeviceScreen(240, 320);
    RunRecent([&](DialogView& dialog) {
        RECT client;
        GetClientRect(dialog.window, &client);
        RECT box;
        GetWindowRect(dialog.Item(IDC_CHOOSER_FOLDER), &box);
        MapWindowPoints(nullptr, dialog.window, (POINT*)&box, 2);
        EXPECT_EQ(client.right - box.left - 4, box.right);
        dialog.Press(IDCANCEL);
    });
}
