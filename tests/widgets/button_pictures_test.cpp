#include <gtest/gtest.h>

#include <algorithm>

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

// Every pixel of every picture, at both sizes and on black and grey: each
// channel c becomes (300 c + 3 v^2) / 255 in integers, capped at 255, where
// v = 144 - d^2 within the spot's disc and 0 outside it, d the distance in
// pixels from the spot's centre (a quarter of the width from the left, 11/16
// of the height from the bottom).
TEST(ButtonHighlight, BrightensEveryPictureAndAddsItsSpot)
{
    for (int size : { 16, 32 }) {
        for (int level : { 0, 100 }) {
            CImageStrip normal, pressed;
            MakeGreyPictures(normal, size, 2, (BYTE)level);
            BuildPressedPictures(normal, size, &pressed);
            ASSERT_EQ(2 * size, pressed.width);
            ASSERT_EQ(size, pressed.height);
            for (int x = 0; x < 2 * size; ++x) {
                for (int row = 0; row < size; ++row) {
                    int dx = x % size - size / 4, dy = row - size * 11 / 16;
                    int v = std::max(0, 144 - dx * dx - dy * dy);
                    int expected = std::min(255, (300 * level + 3 * v * v) / 255);
                    ASSERT_EQ(Grey(expected), FromBottom(pressed, x, row))
                        << size << " pixels, grey " << level << ", at " << x << "," << row;
                }
            }
        }
    }
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
