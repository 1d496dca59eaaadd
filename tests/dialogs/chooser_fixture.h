#ifndef QUILLEX_TESTS_DIALOGS_CHOOSER_FIXTURE_H
#define QUILLEX_TESTS_DIALOGS_CHOOSER_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "dialogs/file_chooser.h"
#include "lists/recent_files.h"
#include "resources/resource.h"
#include "app/app_state.h"
#include "storage/encodings.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "storage/wide_text.h"
#include "tests/test_support.h"

const wchar_t kChooserCaption[] = L"Выбор файла";
const wchar_t kNoFileText[] = L"Указан не существующий файл!";
const wchar_t kBadNameText[] = L"Недопустимое имя файла!";
const wchar_t kRewriteText[] = L"Указанный файл уже существует! Перезаписать его?";
const wchar_t kNoticeCaption[] = L"Внимание";

// A temporary folder tree, a settings store of its own, a VGA screen and a
// chooser as a fresh run of the program has it.
//
//   docs: folders alpha, sub.d, Zeta;
//         a.nfo b.txt data.csv hidden.txt (hidden) image.png index.htm
//         NOTES.TXT page.HTML readme setup.ini sys.cfg
class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDeviceScreen(480, 640);
        INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_LISTVIEW_CLASSES };
        InitCommonControlsEx(&controls);
        g_app.mainWindow = nullptr;

        settingsPath = temp.Path(L"Settings.ini");
        g_settings.LoadFrom(settingsPath.c_str());
        g_settings.SetString(L"LastFolder", L"");
        g_settings.SetInt(L"LastEncoding", 0);

        g_chooserMemory = ChooserMemory();
        g_recent.Clear();

        docs = temp.Path(L"docs");
        CreateDirectoryW(docs.c_str(), nullptr);
        for (const wchar_t* folder : { L"alpha", L"sub.d", L"Zeta" })
            CreateDirectoryW(Doc(folder).c_str(), nullptr);
        for (const wchar_t* file : { L"a.nfo", L"b.txt", L"data.csv", L"hidden.txt", L"image.png",
                                     L"index.htm", L"NOTES.TXT", L"page.HTML", L"readme",
                                     L"setup.ini", L"sys.cfg" })
            WriteBytes(Doc(file), "text");
        SetFileAttributesW(Doc(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }

    void TearDown() override
    {
        // Nothing of this test's store reaches a file at the end of the run.
        g_settings.path[0] = 0;
        g_recent.Clear();
    }

    std::wstring Doc(const std::wstring& name) const { return docs + L"\\" + name; }

    // Runs the chooser from `path` (and `choice.encoding` as set) with
    // `script`; `choice` holds what it answered.
    bool Run(bool openMode, const std::wstring& path, DialogDriver::Script script)
    {
        CopyUnits(choice.path, MAX_PATH, path.c_str());
        return RunDialogs([&] { return ChooseFile(openMode, &choice); }, { script });
    }
    bool RunRecent(DialogDriver::Script script)
    {
        return RunDialogs([&] { return ChooseRecentFile(&choice); }, { script });
    }

    TempFolder temp;
    ChooserResult choice = {};
    std::wstring settingsPath;
    std::wstring docs;
};

// `count` boxes were seen, each saying `text` under the notice caption with
// `icon`: as a question, with Yes and No and no Cancel; otherwise with OK.
inline void ExpectBoxes(const std::vector<SeenBox>& seen, size_t count, const wchar_t* text,
                        UINT icon)
{
    ASSERT_EQ(count, seen.size());
    for (const SeenBox& box : seen) {
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(kNoticeCaption, box.caption);
        EXPECT_EQ(icon, box.icon);
        if (icon == MB_ICONQUESTION) {
            EXPECT_TRUE(box.hasYes && box.hasNo);
            EXPECT_FALSE(box.hasCancel);
        } else {
            EXPECT_TRUE(box.hasOk);
        }
    }
}

inline std::vector<std::wstring> Names(std::initializer_list<const wchar_t*> names)
{
    return std::vector<std::wstring>(names.begin(), names.end());
}

#endif
