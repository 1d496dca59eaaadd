#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "platform/aygshell.h"
#include "tests/test_support.h"
#include "tests/widgets/widget_support.h"
#include "widgets/image_strip.h"

namespace {

const COLORREF kKey = RGB(254, 0, 254);

// Every byte of the strip's memory.
std::string Bytes(const CImageStrip& strip)
{
    GdiFlush();
    return std::string((const char*)strip.bits, (size_t)strip.width * strip.height * 4);
}

// Fills the strip's memory with a pattern that uses all four bytes.
void FillPattern(CImageStrip& strip)
{
    GdiFlush();
    for (int i = 0; i < strip.width * strip.height * 4; ++i)
        strip.bits[i] = (BYTE)(i * 37 + 11);
}

}

TEST(ImageStrip, StartsEmptyWithMagentaKey)
{
    CImageStrip strip;
    EXPECT_TRUE(strip.IsEmpty());
    EXPECT_EQ(kKey, strip.keyColour);
    strip.Release();   // nothing to release: no harm
    EXPECT_TRUE(strip.IsEmpty());
}

// The memory is GDI's own surface: bottom-up rows of blue, green, red and a
// fourth byte. Clear fills it with the key and the given fourth byte, or
// zeroes every byte in mode 1 (the strip's own mode when -1 is given).
TEST(ImageStrip, MemoryIsTheBottomUpSurfaceThatClearFills)
{
    CImageStrip strip;
    strip.clearMode = 1;
    ASSERT_TRUE(strip.Create(3, 2));
    EXPECT_EQ(0, strip.clearMode);   // so -1 means "fill with the key"
    struct { int stripMode, mode; COLORREF key; BYTE fourth; bool zeroes; } clears[] = {
        { 0, -1, kKey, 0x7F, false },
        { 1, -1, kKey, 0x55, true },
        { 1, 2, RGB(1, 2, 3), 0x55, false },   // any mode but 1 fills with the key
        { 0, 1, kKey, 0, true },
    };
    for (auto& c : clears) {
        FillPattern(strip);
        strip.clearMode = c.stripMode;
        strip.keyColour = c.key;
        strip.Clear(c.mode, c.fourth);
        const char pixel[4] = { (char)GetBValue(c.key), (char)GetGValue(c.key),
                                (char)GetRValue(c.key), (char)c.fourth };
        std::string expected;
        for (int i = 0; i < 6; ++i)
            expected += c.zeroes ? std::string(4, '\0') : std::string(pixel, 4);
        EXPECT_EQ(expected, Bytes(strip)) << c.stripMode << " " << c.mode;
    }
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SetPixel(strip.dc, x, y, RGB(10 + x, 20 + y, 30));
            GdiFlush();
            const BYTE* at = strip.bits + ((1 - y) * 3 + x) * 4;
            EXPECT_EQ(RGB(10 + x, 20 + y, 30), RGB(at[2], at[1], at[0])) << x << "," << y;
        }
    }
}

TEST(ImageStrip, CreateOnAFullStripReplacesItsSurface)
{
    CImageStrip strip;
    ASSERT_TRUE(strip.Create(8, 8));
    ASSERT_TRUE(strip.Create(3, 5));
    EXPECT_EQ(3, strip.width);
    EXPECT_EQ(5, strip.height);
    BITMAP size = {};
    GetObjectW(strip.bitmap, sizeof(size), &size);
    EXPECT_EQ(3, size.bmWidth);
    EXPECT_EQ(5, size.bmHeight);
    strip.Release();
    EXPECT_TRUE(strip.IsEmpty());
    EXPECT_FALSE(strip.Create(0, 4));
    EXPECT_TRUE(strip.IsEmpty());
}

TEST(ImageStripDraw, AllKeySurfaceLeavesTargetUnchanged)
{
    CImageStrip target, source;
    ASSERT_TRUE(target.Create(6, 4));
    ASSERT_TRUE(source.Create(6, 4));
    FillPattern(target);
    std::string before = Bytes(target);
    // An opaque alpha byte must not make the key visible.
    source.Clear(-1, 0xFF);
    source.Draw(target.dc, 0, 0, 0, 0, 6, 4);
    EXPECT_EQ(before, Bytes(target));
}

TEST(ImageStripDraw, CopiesColoursAndLeavesOutTheKey)
{
    // A two-pixel source, cleared to its key (alpha bytes opaque) and then
    // given `pixels` (CLR_INVALID: left as cleared), drawn at `at` onto a
    // row of `fill`.
    const COLORREF G = RGB(0, 200, 0), D = RGB(1, 1, 1), kGreen = RGB(0, 255, 0);
    struct { const char* what; COLORREF key; std::vector<COLORREF> pixels; std::vector<COLORREF> row;
             int at; std::vector<COLORREF> expected; } cases[] = {
        { "the key pixel is left out", kKey, { CLR_INVALID, RGB(200, 10, 20) }, { G, G, G, G }, 1,
          { G, G, RGB(200, 10, 20), G } },
        // The old key is not the key now: drawn.
        { "other key colours are left out too", kGreen, { kGreen, kKey }, { D, D }, 0, { D, kKey } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CImageStrip target, source;
        ASSERT_TRUE(target.Create((int)c.row.size(), 1));
        ASSERT_TRUE(source.Create(2, 1));
        for (size_t x = 0; x < c.row.size(); ++x)
            SetStripPixel(target, (int)x, 0, c.row[x]);
        source.keyColour = c.key;
        source.Clear(-1, 0xFF);
        for (size_t x = 0; x < c.pixels.size(); ++x) {
            if (c.pixels[x] != CLR_INVALID)
                SetStripPixel(source, (int)x, 0, c.pixels[x]);
        }
        source.Draw(target.dc, c.at, 0, 0, 0, 2, 1);
        EXPECT_EQ(c.expected, StripPixels(target));
    }
}

TEST(ImageStripDraw, DrawsOnlyWhatLiesOnTheSurface)
{
    CImageStrip target, source;
    ASSERT_TRUE(target.Create(6, 2));
    ASSERT_TRUE(source.Create(4, 2));
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y)
            SetStripPixel(target, x, y, RGB(9, 9, 9));
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            SetStripPixel(source, x, y, RGB(100 + x, 0, 0));
    // Columns 2 and 3 exist; 4 to 7 do not.
    source.Draw(target.dc, 0, 0, 2, 0, 6, 2);
    EXPECT_EQ(RGB(102, 0, 0), StripPixel(target, 0, 1));
    EXPECT_EQ(RGB(103, 0, 0), StripPixel(target, 1, 1));
    for (int x = 2; x < 6; ++x)
        EXPECT_EQ(RGB(9, 9, 9), StripPixel(target, x, 1)) << x;
}

TEST(ImageStripDraw, EmptyStripDrawsNothing)
{
    CImageStrip target, empty;
    ASSERT_TRUE(target.Create(2, 2));
    FillPattern(target);
    std::string before = Bytes(target);
    empty.Draw(target.dc, 0, 0, 0, 0, 2, 2);
    EXPECT_EQ(before, Bytes(target));
}

TEST(TransparentImageStandIn, TakesABitmapAndStretches)
{
    CImageStrip target;
    ASSERT_TRUE(target.Create(4, 2));
    target.Clear(1, 0);
    HBITMAP picture = MakeBitmap(2, 1, [](int x, int) {
        return x == 0 ? RGB(254, 0, 254) : RGB(0, 0, 250);
    });
    ASSERT_TRUE(TransparentImage(target.dc, 0, 0, 4, 2, picture, 0, 0, 2, 1, RGB(254, 0, 254)));
    EXPECT_EQ(RGB(0, 0, 0), StripPixel(target, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), StripPixel(target, 1, 1));
    EXPECT_EQ(RGB(0, 0, 250), StripPixel(target, 2, 0));
    EXPECT_EQ(RGB(0, 0, 250), StripPixel(target, 3, 1));
    DeleteObject(picture);
}

TEST(ImageStripLoad, ReadsEveryPixelOfThePicture)
{
    TempFolder folder;
    std::wstring path = folder.Path(L"picture.bmp");
    auto colour = [](int x, int y) { return RGB(x * 40 + 1, y * 90 + 2, 254 - x); };
    ASSERT_TRUE(WriteBitmapFile(path, 5, 2, colour));
    CImageStrip strip;
    strip.keyColour = RGB(1, 2, 3);
    ASSERT_TRUE(strip.LoadFromFile(path.c_str()));
    EXPECT_EQ(5, strip.width);
    EXPECT_EQ(2, strip.height);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(colour(x, y), StripPixel(strip, x, y)) << x << "," << y;
    EXPECT_EQ(RGB(1, 2, 3), strip.keyColour);   // the caller's to set
}

TEST(ImageStripLoad, ReadsAPngFileExactly)
{
    // A 3 x 2 PNG: key, (10, 20, 30), white / black, (200, 100, 50), (254, 0, 253).
    static const char kPng[] =
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x03"
        "\x00\x00\x00\x02\x08\x02\x00\x00\x00\x12\x16\xf1\x4d\x00\x00\x00\x1b\x49\x44\x41"
        "\x54\x78\xda\x63\xf8\xc7\xf0\x8f\x4b\x44\xee\xff\xff\xff\x0c\x40\x70\x22\xc5\xe8"
        "\x1f\xc3\x5f\x00\x56\x7b\x08\x8f\xe7\x06\x93\x4b\x00\x00\x00\x00\x49\x45\x4e\x44"
        "\xae\x42\x60\x82";
    TempFolder folder;
    std::wstring path = folder.Path(L"small.png");
    ASSERT_TRUE(WriteBytes(path, std::string(kPng, sizeof(kPng) - 1)));
    CImageStrip strip;
    ASSERT_TRUE(strip.LoadFromFile(path.c_str()));
    ASSERT_EQ(3, strip.width);
    ASSERT_EQ(2, strip.height);
    EXPECT_EQ((std::vector<COLORREF>{ RGB(254, 0, 254), RGB(10, 20, 30), RGB(255, 255, 255),
                                      RGB(0, 0, 0), RGB(200, 100, 50), RGB(254, 0, 253) }),
              StripPixels(strip));
}

TEST(ImageStripLoad, ReadsTheShippedPicture)
{
    CImageStrip strip;
    std::wstring path = ProgramFolder() + L"ListIconsQVGA.png";
    ASSERT_TRUE(strip.LoadFromFile(path.c_str()));
    EXPECT_EQ(25 * 16, strip.width);
    EXPECT_EQ(16, strip.height);
    EXPECT_EQ(RGB(254, 0, 254), StripPixel(strip, strip.width - 1, 0));
    EXPECT_EQ(RGB(254, 0, 254), GetPixel(strip.dc, 0, 0));
}

TEST(ImageStripLoad, UnreadableFileLeavesTheStripEmpty)
{
    TempFolder folder;
    std::wstring path = folder.Path(L"broken.png");
    ASSERT_TRUE(WriteBytes(path, "not a picture"));
    CImageStrip strip;
    ASSERT_TRUE(strip.Create(2, 2));
    EXPECT_FALSE(strip.LoadFromFile(path.c_str()));
    EXPECT_TRUE(strip.IsEmpty());
    EXPECT_FALSE(strip.LoadFromFile(folder.Path(L"missing.png").c_str()));
    EXPECT_EQ(nullptr, SHLoadImageFile(folder.Path(L"missing.png").c_str()));
}
