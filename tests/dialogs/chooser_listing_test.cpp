#include "tests/dialogs/chooser_fixture.h"

namespace {

class ChooserListing : public ChooserTest {};

const int kFile = 0;
const int kFolder = 1;

}

TEST_F(ChooserListing, FolderFirstThenFilesOfTheType)
{
    bool chosen = Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        EXPECT_EQ(docs + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(L"All docs", dialog.ComboText(IDC_CHOOSER_TYPE));
        // " .. ", the folders, then the files, each run sorted without regard to case.
        EXPECT_EQ(Names({ L" .. ", L"alpha", L"sub.d", L"Zeta", L"a.nfo", L"b.txt", L"data.csv",
                          L"hidden.txt", L"index.htm", L"NOTES.TXT", L"page.HTML", L"setup.ini" }),
                  dialog.ListItems(IDC_CHOOSER_LIST));
        EXPECT_EQ(std::vector<int>({ kFolder, kFolder, kFolder, kFolder, kFile, kFile, kFile, kFile,
                                     kFile, kFile, kFile, kFile }),
                  dialog.ListImages(IDC_CHOOSER_LIST));

        // The key is lower-cased before the search: NOTES.TXT is text.
        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"Text"));
        EXPECT_EQ(Names({ L" .. ", L"alpha", L"sub.d", L"Zeta", L"a.nfo", L"b.txt", L"hidden.txt",
                          L"NOTES.TXT" }),
                  dialog.ListItems(IDC_CHOOSER_LIST));

        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"Configs"));
        EXPECT_EQ(Names({ L" .. ", L"alpha", L"sub.d", L"Zeta", L"setup.ini", L"sys.cfg" }),
                  dialog.ListItems(IDC_CHOOSER_LIST));

        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"WEB"));
        EXPECT_EQ(Names({ L" .. ", L"alpha", L"sub.d", L"Zeta", L"index.htm", L"page.HTML" }),
                  dialog.ListItems(IDC_CHOOSER_LIST));

        // Only here a name without a dot: its key is the whole name.
        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"All files"));
        EXPECT_EQ(Names({ L" .. ", L"alpha", L"sub.d", L"Zeta", L"a.nfo", L"b.txt", L"data.csv",
                          L"hidden.txt", L"image.png", L"index.htm", L"NOTES.TXT", L"page.HTML",
                          L"readme", L"setup.ini", L"sys.cfg" }),
                  dialog.ListItems(IDC_CHOOSER_LIST));
        EXPECT_TRUE(dialog.IsEnabled(IDC_CHOOSER_LIST));
        EXPECT_EQ(dialog.Item(IDC_CHOOSER_LIST), GetFocus());
        dialog.Press(IDCANCEL);
    });
    EXPECT_FALSE(chosen);
}

TEST_F(ChooserListing, UpItemAndTheRootOfDrives)
{
    std::wstring drive = docs.substr(0, 2);   // "C:"
    Run(true, Doc(L"alpha\\x.txt"), [&](DialogView& dialog) {
        // An empty folder lists only the way up.
        EXPECT_EQ(Doc(L"alpha\\"), dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(Names({ L" .. " }), dialog.ListItems(IDC_CHOOSER_LIST));

        // A tap on " .. " does nothing; a double tap goes up.
        ASSERT_TRUE(dialog.Tap(IDC_CHOOSER_LIST, L" .. "));
        EXPECT_EQ(Doc(L"alpha\\"), dialog.Text(IDC_CHOOSER_FOLDER));
        ASSERT_TRUE(dialog.DoubleTap(IDC_CHOOSER_LIST, L" .. "));
        EXPECT_EQ(docs + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(L"alpha", dialog.ListItems(IDC_CHOOSER_LIST)[1]);

        // The backslash button shows the root: the drives as folders, no way up.
        ASSERT_TRUE(dialog.Press(IDC_CHOOSER_ROOT));
        EXPECT_EQ(L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        std::vector<std::wstring> drives = dialog.ListItems(IDC_CHOOSER_LIST);
        ASSERT_FALSE(drives.empty());
        for (const std::wstring& item : drives) {
            EXPECT_EQ(2u, item.size()) << item;
            EXPECT_EQ(L':', item.back()) << item;
        }
        EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
        EXPECT_NE(drives.end(), std::find(drives.begin(), drives.end(), drive));
        for (int image : dialog.ListImages(IDC_CHOOSER_LIST))
            EXPECT_EQ(kFolder, image);

        // A drive opens at its top folder; " .. " there leads back to the drives.
        ASSERT_TRUE(dialog.DoubleTap(IDC_CHOOSER_LIST, drive));
        EXPECT_EQ(drive + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(L" .. ", dialog.ListItems(IDC_CHOOSER_LIST)[0]);
        ASSERT_TRUE(dialog.DoubleTap(IDC_CHOOSER_LIST, L" .. "));
        EXPECT_EQ(L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(drives, dialog.ListItems(IDC_CHOOSER_LIST));
        dialog.Press(IDCANCEL);
    });
}

TEST_F(ChooserListing, FoldersOpenByDoubleTapOrEnterOnly)
{
    Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
        ASSERT_TRUE(dialog.Tap(IDC_CHOOSER_LIST, L"Zeta"));
        EXPECT_EQ(docs + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(L"", dialog.Text(IDC_CHOOSER_NAME));

        ASSERT_TRUE(dialog.DoubleTap(IDC_CHOOSER_LIST, L"sub.d"));
        EXPECT_EQ(Doc(L"sub.d\\"), dialog.Text(IDC_CHOOSER_FOLDER));

        // Enter on the list reaches the list, not the (disabled) default button.
        ASSERT_TRUE(dialog.Select(IDC_CHOOSER_LIST, L" .. "));
        dialog.Key(IDC_CHOOSER_LIST, VK_RETURN);
        EXPECT_EQ(docs + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        ASSERT_TRUE(dialog.Select(IDC_CHOOSER_LIST, L"alpha"));
        dialog.Key(IDC_CHOOSER_LIST, VK_RETURN);
        EXPECT_EQ(Doc(L"alpha\\"), dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_TRUE(dialog.IsOpen());
        dialog.Press(IDCANCEL);
    });
}

TEST_F(ChooserListing, VanishedFolderListsOnlyTheWayUp)
{
    std::wstring gone = temp.Path(L"gone");
    Run(true, gone + L"\\x.txt", [&](DialogView& dialog) {
        EXPECT_EQ(gone + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(Names({ L" .. " }), dialog.ListItems(IDC_CHOOSER_LIST));
        ASSERT_TRUE(dialog.DoubleTap(IDC_CHOOSER_LIST, L" .. "));
        EXPECT_EQ(temp.Folder() + L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        EXPECT_EQ(Names({ L" .. ", L"docs" }), dialog.ListItems(IDC_CHOOSER_LIST));
        dialog.Press(IDCANCEL);
    });
}

TEST_F(ChooserListing, StartWithoutDriveShowsTheDrives)
{
    // A folder remembered from the handheld names no drive.
    g_settings.SetString(L"LastFolder", L"\\My Documents");
    Run(true, L"", [&](DialogView& dialog) {
        EXPECT_EQ(L"\\", dialog.Text(IDC_CHOOSER_FOLDER));
        std::vector<std::wstring> items = dialog.ListItems(IDC_CHOOSER_LIST);
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(L':', items[0].back());
        dialog.Press(IDCANCEL);
    });
}

TEST_F(ChooserListing, ListFillsTheScreenOnEitherSize)
{
    for (int width : { 240, 480 }) {
        SetDeviceScreen(width, width * 4 / 3);
        Run(true, Doc(L"b.txt"), [&](DialogView& dialog) {
            RECT client;
            GetClientRect(dialog.window, &client);
            RECT list;
            GetWindowRect(dialog.Item(IDC_CHOOSER_LIST), &list);
            MapWindowPoints(nullptr, dialog.window, (POINT*)&list, 2);
            EXPECT_EQ(client.right - list.left - 4, list.right) << width;
            EXPECT_EQ(client.bottom - 4, list.bottom) << width;
            // The one column fits beside the vertical scroll bar.
            LONG style = GetWindowLongW(dialog.Item(IDC_CHOOSER_LIST), GWL_STYLE);
            EXPECT_FALSE(style & WS_HSCROLL) << width;
            // The window covers the screen above the menu bar.
            RECT frame;
            GetWindowRect(dialog.window, &frame);
            EXPECT_EQ(width, frame.right - frame.left);
            EXPECT_EQ(width * 4 / 3 - DeviceMenuBarHeight(), frame.bottom - frame.top);

            // The list follows the dialog's size (a turned screen).
            SetWindowPos(dialog.window, nullptr, 0, 0, width * 4 / 3, width, SWP_NOZORDER);
            GetClientRect(dialog.window, &client);
            GetWindowRect(dialog.Item(IDC_CHOOSER_LIST), &list);
            MapWindowPoints(nullptr, dialog.window, (POINT*)&list, 2);
            EXPECT_EQ(client.right - list.left - 4, list.right) << width;
            EXPECT_EQ(client.bottom - 4, list.bottom) << width;
            dialog.Press(IDCANCEL);
        });
    }
}

TEST_F(ChooserListing, CyrillicNamesSortWithoutRegardToCase)
{
    std::wstring ru = temp.Path(L"ru");
    CreateDirectoryW(ru.c_str(), nullptr);
    for (const wchar_t* name : { L"Яблоко.TXT", L"арбуз.txt", L"Банан.txt" })
        WriteBytes(ru + L"\\" + name, "x");
    Run(true, ru + L"\\x", [&](DialogView& dialog) {
        ASSERT_TRUE(dialog.Pick(IDC_CHOOSER_TYPE, L"Text"));
        EXPECT_EQ(Names({ L" .. ", L"арбуз.txt", L"Банан.txt", L"Яблоко.TXT" }),
                  dialog.ListItems(IDC_CHOOSER_LIST));
        dialog.Press(IDCANCEL);
    });
}
