#include "tests/shell/app_fixture.h"

#include "resources/resource.h"

// The QVGA handheld at its own DPI (96): what is laid out for it fits it.

namespace {

class Qvga : public AppFixture {
protected:
    void SetUp() override { ASSERT_TRUE(StartApp(L"", L"", 240, 320)); }
};

}

TEST_F(Qvga, TheFindBarFitsTheScreenAtItsDpi)
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
}
