#include <gtest/gtest.h>

#include "app/app_state.h"
#include "tests/test_support.h"
#include "tests/widgets/widget_support.h"
#include "widgets/button_pictures.h"

namespace {

const COLORREF kMagenta = RGB(254, 0, 254);

// `count` pictures of `size` pixels, every pixel grey `level`.
void MakeGreyPictures(CImageStrip& strip, int size, int count, BYTE level)
{
    ASSERT_TRUE(strip.Create(size * count, size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size * count; ++x)
            SetStripPixel(strip, x, y, RGB(level, level, level));
}

// Column x and row r counted from the bottom, as the highlight counts them.
COLORREF FromBottom(const CImageStrip& strip, int x, int row)
{
    return StripPixel(strip, x, strip.height - 1 - row);
}

COLORREF Grey(int level)
{
    return RGB(level, level, level);
}

class ButtonPicturesFile : public testing::Test {
protected:
    void SetUp() override
    {
        SetDeviceScreen(240, 320);
        g_app.colours[THEME_BUTTON] = RGB(12, 34, 56);
    }
    void TearDown() override { SetDeviceScreen(480, 640); }
    TempFolder folder;
};

}

TEST(ButtonHighlight, SpotOfASixteenPixelPicture)
{
    CImageStrip normal, pressed;
    MakeGreyPictures(normal, 16, 2, 0);
    BuildPressedPictures(normal, 16, &pressed);
    ASSERT_EQ(32, pressed.width);
    ASSERT_EQ(16, pressed.height);
    // Centre: column 4, row 11 from the bottom: 3 * 144^2 / 255 = 243.
    EXPECT_EQ(Grey(243), FromBottom(pressed, 4, 11));
    EXPECT_EQ(Grey(243), FromBottom(pressed, 16 + 4, 11));   // every picture has one
    // One pixel off the centre: v = 143, (3 * 143^2) / 255 = 240.
    EXPECT_EQ(Grey(240), FromBottom(pressed, 5, 11));
    EXPECT_EQ(Grey(240), FromBottom(pressed, 4, 10));
    // Near the disc's edge: dx 11 adds 3 * 23^2 / 255 = 6; outside it nothing.
    EXPECT_EQ(Grey(6), FromBottom(pressed, 15, 11));
    EXPECT_EQ(Grey(0), FromBottom(pressed, 15, 4));
}

TEST(ButtonHighlight, BrightensAndAddsTheSpotInIntegers)
{
    CImageStrip normal, pressed;
    MakeGreyPictures(normal, 16, 1, 100);
    BuildPressedPictures(normal, 16, &pressed);
    // Far from the spot: 300 * 100 / 255 = 117.6, cut to 117.
    EXPECT_EQ(Grey(117), FromBottom(pressed, 15, 0));
    // dx 0, dy -11: v = 23, extra = 1587: (30000 + 1587) / 255 = 123.
    EXPECT_EQ(Grey(123), FromBottom(pressed, 4, 0));
    // dx -4, dy -8: v = 64, extra = 12288: 42288 / 255 = 165.
    EXPECT_EQ(Grey(165), FromBottom(pressed, 0, 3));
    // Near the centre the sum passes 255 and is capped.
    EXPECT_EQ(Grey(255), FromBottom(pressed, 4, 11));
}

TEST(ButtonHighlight, SpotOfAThirtyTwoPixelPicture)
{
    CImageStrip normal, pressed;
    MakeGreyPictures(normal, 32, 2, 0);
    BuildPressedPictures(normal, 32, &pressed);
    // Centre: column 8, row 22 from the bottom.
    EXPECT_EQ(Grey(243), FromBottom(pressed, 8, 22));
    EXPECT_EQ(Grey(243), FromBottom(pressed, 32 + 8, 22));
    EXPECT_EQ(Grey(240), FromBottom(pressed, 8, 23));
    // dx 11: v = 23, 3 * 529 / 255 = 6; dx 12: the edge, nothing.
    EXPECT_EQ(Grey(6), FromBottom(pressed, 19, 22));
    EXPECT_EQ(Grey(0), FromBottom(pressed, 20, 22));
    EXPECT_EQ(Grey(0), FromBottom(pressed, 8, 10));
    EXPECT_EQ(Grey(0), FromBottom(pressed, 31, 31));
}

TEST(ButtonHighlight, KeyPixelsStayKeyPixels)
{
    CImageStrip normal, pressed;
    MakeGreyPictures(normal, 16, 1, 100);
    normal.keyColour = RGB(0, 255, 0);
    SetStripPixel(normal, 4, 4, kMagenta);            // at the spot's centre
    SetStripPixel(normal, 0, 0, RGB(250, 5, 250));    // near magenta
    SetStripPixel(normal, 1, 0, RGB(250, 5, 249));    // red and blue differ
    SetStripPixel(normal, 2, 0, RGB(245, 0, 245));    // not above 245
    SetStripPixel(normal, 3, 0, RGB(250, 12, 250));   // green not below 12
    BuildPressedPictures(normal, 16, &pressed);
    EXPECT_EQ(RGB(0, 255, 0), pressed.keyColour);
    // Near-magenta pixels become the key, whatever the key is.
    EXPECT_EQ(RGB(0, 255, 0), StripPixel(pressed, 4, 4));
    EXPECT_EQ(RGB(0, 255, 0), StripPixel(pressed, 0, 0));
    EXPECT_NE(RGB(0, 255, 0), StripPixel(pressed, 1, 0));
    EXPECT_NE(RGB(0, 255, 0), StripPixel(pressed, 2, 0));
    EXPECT_NE(RGB(0, 255, 0), StripPixel(pressed, 3, 0));
}

TEST_F(ButtonPicturesFile, KeyIsTheTopRightPixelOfThePicture)
{
    std::wstring path = folder.Path(L"pictures.bmp");
    ASSERT_TRUE(WriteBitmapFile(path, 32, 16, [](int x, int y) {
        if (x == 31 && y == 0)
            return RGB(0, 255, 0);
        return x < 3 ? RGB(254, 0, 254) : RGB(100, 100, 100);
    }));
    MessageBoxAnswerer boxes;
    LoadButtonPictures(path.c_str());
    EXPECT_TRUE(boxes.seen.empty());
    const ButtonPictures& pictures = g_buttonPictures;
    EXPECT_EQ(16, pictures.pictureSize);
    EXPECT_EQ(RGB(0, 255, 0), pictures.normalPictures.keyColour);
    EXPECT_EQ(RGB(0, 255, 0), pictures.pressedPictures.keyColour);
    EXPECT_EQ(RGB(100, 100, 100), StripPixel(pictures.normalPictures, 15, 15));
    EXPECT_EQ(Grey(117), StripPixel(pictures.pressedPictures, 15, 15));
    // Magenta is no key here, but the pressed copy turns it into the key.
    EXPECT_EQ(kMagenta, StripPixel(pictures.normalPictures, 0, 5));
    EXPECT_EQ(RGB(0, 255, 0), StripPixel(pictures.pressedPictures, 0, 5));

    LOGBRUSH face = {};
    GetObjectW(pictures.faceBrush, sizeof(face), &face);
    EXPECT_EQ(RGB(12, 34, 56), face.lbColor);
}

TEST_F(ButtonPicturesFile, PictureSizeFollowsTheScreen)
{
    std::wstring path = folder.Path(L"pictures.bmp");
    ASSERT_TRUE(WriteBitmapFile(path, 64, 32, [](int, int) { return RGB(0, 0, 0); }));
    SetDeviceScreen(480, 640);
    LoadButtonPictures(path.c_str());
    EXPECT_EQ(32, g_buttonPictures.pictureSize);
    // A 32-pixel spot: column 8, row 22 from the bottom.
    EXPECT_EQ(Grey(243), FromBottom(g_buttonPictures.pressedPictures, 8, 22));
}

TEST_F(ButtonPicturesFile, MissingFileIsReportedOnceAndLeavesNoPictures)
{
    std::wstring path = folder.Path(L"pictures.bmp");
    ASSERT_TRUE(WriteBitmapFile(path, 32, 16, [](int, int) { return RGB(0, 0, 0); }));
    LoadButtonPictures(path.c_str());
    ASSERT_FALSE(g_buttonPictures.normalPictures.IsEmpty());

    MessageBoxAnswerer boxes;
    LoadButtonPictures(folder.Path(L"ListIconsQVGA.png").c_str());
    ASSERT_EQ(1u, boxes.seen.size());
    EXPECT_EQ(L"Не удаётся найти файл с изображением кнопок", boxes.seen[0].text);
    EXPECT_EQ(L"Внимание", boxes.seen[0].caption);
    EXPECT_EQ((UINT)MB_ICONERROR, boxes.seen[0].icon);
    EXPECT_TRUE(g_buttonPictures.normalPictures.IsEmpty());
    EXPECT_TRUE(g_buttonPictures.pressedPictures.IsEmpty());
    EXPECT_NE(nullptr, g_buttonPictures.faceBrush);
}
