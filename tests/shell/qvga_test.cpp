#include "tests/shell/app_fixture.h"

#include "resources/resource.h"

// The QVGA handheld at its own DPI (96): what is laid out for it fits it.

namespace {

class Qvga : public AppFixture {
protected:
    void SetUp() override { ASSERT_TRUE(StartApp(L"", L"", 240, 320)); }
};

}

TEST_F(Qvga, TheFindBarAndMessagesFitTheScreenAtItsDpi)
{
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(96, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    // Every control of the two-row bar lies within the bar and the screen.
    Command(CMD_REPLACE);
    RECT bar;
    GetClientRect(g_app.findBar, &bar);
    EXPECT_LE(bar.right, 240);
    for (int id : { IDC_FIND_PREVIOUS, IDC_FIND_TEXT, IDC_FIND_NEXT, IDC_MATCH_CASE,
                    IDC_WHOLE_WORD, IDC_REPLACE_TEXT, IDC_REPLACE, IDC_REPLACE_ALL }) {
        RECT r = WindowRectIn(GetDlgItem(g_app.findBar, id), g_app.findBar);
        EXPECT_GE(r.left, 0) << id;
        EXPECT_LE(r.right, bar.right) << id;
        EXPECT_GT(r.right - r.left, 8) << id;
    }

    // A question's three buttons stand within its box on the screen.
    SetWindowTextW(Doc(0)->edit, L"text");
    Doc(0)->SetModified(true);
    MessageBoxAnswerer answers({ IDCANCEL });
    Command(CMD_NEW);
    ASSERT_EQ(1u, answers.seen.size());
    const SeenBox& box = answers.seen[0];
    EXPECT_GE(box.rect.left, 0);
    EXPECT_LE(box.rect.right, 240);
    for (const RECT& r : box.buttonRects) {
        EXPECT_GE(r.left, box.rect.left);
        EXPECT_LE(r.right, box.rect.right);
    }
}
