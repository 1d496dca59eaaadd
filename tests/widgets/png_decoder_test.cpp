#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/aygshell.h"
#include "platform/gdiplus_picture.h"
#include "platform/png_decoder.h"
#include "tests/test_support.h"

// The fixtures come from make_png_fixtures.py. GDI+, the decoder the program
// used before, is the judge of what a good file holds.

namespace {

std::wstring FixtureFolder()
{
    return ProgramFolder() + L"png\\";
}

// The names of the fixture files matching `pattern`, e.g. "good_*.png".
std::vector<std::wstring> Fixtures(const wchar_t* pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((FixtureFolder() + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string Utf8(const std::wstring& text)
{
    return std::string(text.begin(), text.end());   // the names are ASCII
}

// The size and the 24-bit pixels of a bitmap, bottom row first, row padding
// left out; empty for a bitmap that is not a 24-bit DIB section.
struct Pixels {
    int width = 0, height = 0;
    std::vector<BYTE> bgr;
    bool operator==(const Pixels& other) const
    {
        return width == other.width && height == other.height && bgr == other.bgr;
    }
};

Pixels PixelsOf(HBITMAP bitmap)
{
    Pixels pixels;
    DIBSECTION dib = {};
    if (!bitmap || GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib) ||
        dib.dsBm.bmBitsPixel != 24 || dib.dsBmih.biHeight < 0)
        return pixels;
    pixels.width = dib.dsBm.bmWidth;
    pixels.height = dib.dsBm.bmHeight;
    for (int y = 0; y < pixels.height; ++y) {
        const BYTE* row = (const BYTE*)dib.dsBm.bmBits + (size_t)y * dib.dsBm.bmWidthBytes;
        pixels.bgr.insert(pixels.bgr.end(), row, row + pixels.width * 3);
    }
    return pixels;
}

// Decoded by `load`, the bitmap deleted.
template <typename Load> Pixels Decoded(Load load)
{
    HBITMAP bitmap = load();
    Pixels pixels = PixelsOf(bitmap);
    if (bitmap)
        DeleteObject(bitmap);
    return pixels;
}

Pixels DecodedBytes(const std::string& bytes, size_t size)
{
    return Decoded([&] { return DecodePng((const BYTE*)bytes.data(), size); });
}

Pixels ThroughGdiplus(const std::wstring& path)
{
    return Decoded([&] { return LoadPictureThroughGdiplus(path.c_str()); });
}

}

// First in this program, before GDI+ serves as the judge.
TEST(PictureLoad, PngNeedsNoGdiplus)
{
    Pixels pixels = Decoded([] {
        return SHLoadImageFile((FixtureFolder() + L"good_c2_d8.png").c_str());
    });
    EXPECT_EQ(17, pixels.width);
    EXPECT_EQ(nullptr, GetModuleHandleW(L"gdiplus.dll"));
}

TEST(PngDecoder, GoodFilesMatchGdiplus)
{
    std::vector<std::wstring> names = Fixtures(L"good_*.png");
    EXPECT_GE(names.size(), 40u);
    for (const std::wstring& name : names) {
        SCOPED_TRACE(Utf8(name));
        std::wstring path = FixtureFolder() + name;
        Pixels ours = Decoded([&] { return SHLoadImageFile(path.c_str()); });
        EXPECT_GT(ours.width, 0);
        EXPECT_TRUE(ours == ThroughGdiplus(path));
    }
}

TEST(PngDecoder, DamagedFilesGiveNothing)
{
    std::vector<std::wstring> names = Fixtures(L"bad_*.png");
    EXPECT_GE(names.size(), 30u);
    for (const std::wstring& name : names) {
        SCOPED_TRACE(Utf8(name));
        std::wstring path = FixtureFolder() + name;
        EXPECT_EQ(nullptr, SHLoadImageFile(path.c_str()));
        std::string bytes = ReadBytes(path);
        EXPECT_EQ(0, DecodedBytes(bytes, bytes.size()).width);
    }
}

// Every cut of a file, through all its chunks and blocks, is refused.
TEST(PngDecoder, EveryTruncationGivesNothing)
{
    for (const wchar_t* name : { L"good_block_dynamic.png", L"good_c3_d2_adam7.png" }) {
        SCOPED_TRACE(Utf8(name));
        std::string bytes = ReadBytes(FixtureFolder() + name);
        ASSERT_GT(DecodedBytes(bytes, bytes.size()).width, 0);
        for (size_t size = 0; size < bytes.size(); ++size) {
            // A copy of exactly that size, so reading past it is caught.
            std::string cut = bytes.substr(0, size);
            if (DecodedBytes(cut, cut.size()).width != 0)
                ADD_FAILURE() << "decoded when cut to " << size << " bytes";
        }
    }
}

TEST(PictureLoad, BmpMatchesGdiplus)
{
    for (const wchar_t* name : { L"good_24_bits.bmp", L"good_32_bits.bmp" }) {
        SCOPED_TRACE(Utf8(name));
        std::wstring path = FixtureFolder() + name;
        Pixels ours = Decoded([&] { return SHLoadImageFile(path.c_str()); });
        EXPECT_EQ(7, ours.width);
        EXPECT_TRUE(ours == ThroughGdiplus(path));
    }
}
