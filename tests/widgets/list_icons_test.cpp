#include <gtest/gtest.h>

#include "app/app_state.h"
#include "tests/widgets/widget_support.h"
#include "widgets/image_strip.h"
#include "widgets/list_icons.h"

namespace {

const COLORREF kMagenta = RGB(254, 0, 254);

const COLORREF kDefaults[THEME_COLOUR_COUNT] = {
    0x00F0C8C8, THEME_UNSET, 0x00E6C8C8, 0x00FFAA05, 0x00FAAAAA, 0x00E19628,
    0x00FFFAFA, 0x00000000,  0x00000000, 0x00FAD2D2, 0x00FFFFFF, 0x00000000,
};

// Colours of a swatch row: distinct and far from the defaults.
COLORREF SwatchColour(int x)
{
    return RGB(10 * x + 5, 100, 200 - x);
}

// An image list of `count` icons of `size` pixels; icon 24, when there, has
// row 5 from `row5` and every other pixel a colour of its own.
HIMAGELIST MakeIcons(int size, int count, const std::function<COLORREF(int)>& row5)
{
    HIMAGELIST icons = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 50, 0);
    HBITMAP picture = MakeBitmap(size * count, size, [&](int x, int y) {
        if (x / size == LIST_ICON_SWATCH && y == 5 && x % size < THEME_COLOUR_COUNT)
            return row5(x % size);
        return RGB(x % 251, y * 7, 33);
    });
    ImageList_AddMasked(icons, picture, kMagenta);
    DeleteObject(picture);
    return icons;
}

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH log = {};
    GetObjectW(brush, sizeof(log), &log);
    return log.lbColor;
}

void ExpectDefaults()
{
    for (int i = 0; i < THEME_COLOUR_COUNT; ++i)
        EXPECT_EQ(kDefaults[i], g_app.colours[i]) << "theme colour " << i;
}

class ListIcons : public testing::Test {
protected:
    void TearDown() override { SetDeviceScreen(480, 640); }
};

}

TEST(ThemePalette, FewerThanTwentyFiveIconsGiveTheDefaults)
{
    HIMAGELIST icons = MakeIcons(16, 24, SwatchColour);
    ReadThemePalette(icons);
    ExpectDefaults();
    ImageList_Destroy(icons);

    ReadThemePalette(nullptr);
    ExpectDefaults();
}

TEST(ThemePalette, AFullSwatchSetsAllTwelveColours)
{
    HIMAGELIST icons = MakeIcons(16, 25, SwatchColour);
    ReadThemePalette(icons);
    for (int i = 0; i < THEME_COLOUR_COUNT; ++i)
        EXPECT_EQ(SwatchColour(i), g_app.colours[i]) << "theme colour " << i;
    EXPECT_EQ(SwatchColour(THEME_WINDOW), BrushColour(g_app.windowBrush));
    EXPECT_EQ(SwatchColour(THEME_EDIT_BACKGROUND), BrushColour(g_app.editBrush));
    ImageList_Destroy(icons);
}

TEST(ThemePalette, TransparentSwatchPixelsKeepTheirDefaults)
{
    HIMAGELIST icons = MakeIcons(16, 25, [](int) { return kMagenta; });
    ReadThemePalette(icons);
    ExpectDefaults();
    EXPECT_EQ(kDefaults[THEME_WINDOW], BrushColour(g_app.windowBrush));
    ImageList_Destroy(icons);

    icons = MakeIcons(16, 25, [](int x) {
        return x == 1 || x == 3 || x == 11 ? kMagenta : SwatchColour(x);
    });
    ReadThemePalette(icons);
    for (int i = 0; i < THEME_COLOUR_COUNT; ++i) {
        COLORREF expected = i == 1 || i == 3 || i == 11 ? kDefaults[i] : SwatchColour(i);
        EXPECT_EQ(expected, g_app.colours[i]) << "theme colour " << i;
    }
    ImageList_Destroy(icons);
}

TEST(ThemePalette, ThirtyTwoPixelIconsUseRowFiveToo)
{
    HIMAGELIST icons = MakeIcons(32, 25, SwatchColour);
    ReadThemePalette(icons);
    EXPECT_EQ(SwatchColour(0), g_app.colours[0]);
    EXPECT_EQ(SwatchColour(9), g_app.colours[9]);
    ImageList_Destroy(icons);
}

TEST_F(ListIcons, PathFollowsTheScreen)
{
    wchar_t path[MAX_PATH];
    SetDeviceScreen(240, 320);
    ASSERT_TRUE(ListIconsPath(path, MAX_PATH));
    EXPECT_EQ(ProgramFolder() + L"ListIconsQVGA.png", path);
    SetDeviceScreen(480, 640);
    ASSERT_TRUE(ListIconsPath(path, MAX_PATH));
    EXPECT_EQ(ProgramFolder() + L"ListIconsVGA.png", path);
    EXPECT_FALSE(ListIconsPath(path, 5));
    EXPECT_EQ(L'\0', path[0]);
}

TEST_F(ListIcons, LoadsTwentyFiveIconsOfTheScreensSize)
{
    for (int vga = 0; vga < 2; ++vga) {
        SetDeviceScreen(vga ? 480 : 240, vga ? 640 : 320);
        HIMAGELIST icons = LoadListIcons();
        ASSERT_NE(nullptr, icons);
        int width = 0, height = 0;
        ImageList_GetIconSize(icons, &width, &height);
        EXPECT_EQ(vga ? 32 : 16, width);
        EXPECT_EQ(vga ? 32 : 16, height);
        EXPECT_EQ(25, ImageList_GetImageCount(icons));
        ImageList_Destroy(icons);
    }
}

// The shipped pictures: 25 icons on the key, each with something drawn, and
// the same palette in both sizes, read as the program reads it.
TEST_F(ListIcons, ShippedPicturesFollowTheLayout)
{
    COLORREF palettes[2][THEME_COLOUR_COUNT];
    for (int vga = 0; vga < 2; ++vga) {
        int size = vga ? 32 : 16;
        CImageStrip picture;
        std::wstring name = vga ? L"ListIconsVGA.png" : L"ListIconsQVGA.png";
        ASSERT_TRUE(picture.LoadFromFile((ProgramFolder() + name).c_str()));
        ASSERT_EQ(25 * size, picture.width);
        ASSERT_EQ(size, picture.height);
        EXPECT_EQ(kMagenta, StripPixel(picture, picture.width - 1, 0));
        for (int icon = 0; icon < 25; ++icon) {
            int key = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    key += StripPixel(picture, icon * size + x, y) == kMagenta;
            EXPECT_GT(key, 0) << "icon " << icon;
            EXPECT_GE(size * size - key, 2 * size) << "icon " << icon;   // a drawing, not a dot
        }
        // The swatch sets every theme colour but the menu bar's.
        for (int x = 0; x < THEME_COLOUR_COUNT; ++x) {
            COLORREF colour = StripPixel(picture, LIST_ICON_SWATCH * size + x, 5);
            EXPECT_EQ(x == THEME_MENU_BAR, colour == kMagenta) << "swatch column " << x;
        }

        SetDeviceScreen(vga ? 480 : 240, vga ? 640 : 320);
        HIMAGELIST icons = LoadListIcons();
        ReadThemePalette(icons);
        ImageList_Destroy(icons);
        for (int x = 0; x < THEME_COLOUR_COUNT; ++x) {
            palettes[vga][x] = g_app.colours[x];
            if (x != THEME_MENU_BAR) {
                EXPECT_EQ(StripPixel(picture, LIST_ICON_SWATCH * size + x, 5), g_app.colours[x]);
            }
        }
    }
    for (int x = 0; x < THEME_COLOUR_COUNT; ++x)
        EXPECT_EQ(palettes[0][x], palettes[1][x]) << "theme colour " << x;
    EXPECT_EQ(THEME_UNSET, palettes[0][THEME_MENU_BAR]);
}
