#include "widgets/button_pictures.h"

#include <limits.h>

#include "app/app_state.h"
#include "platform/aygshell.h"
#include "storage/notice.h"

ButtonPictures g_buttonPictures;

namespace {

// Key pixels that a picture editor nudged off exact magenta still count.
bool IsNearMagenta(BYTE red, BYTE green, BYTE blue)
{
    return red > 245 && green < 12 && blue > 245 && red == blue;
}

}

void BuildPressedPictures(const CImageStrip& normal, int pictureSize, CImageStrip* pressed)
{
    if (normal.IsEmpty() || pictureSize <= 0 || !pressed->Create(normal.width, normal.height)) {
        pressed->Release();
        return;
    }
    pressed->keyColour = normal.keyColour;
    GdiFlush();
    const BYTE key[3] = { GetBValue(normal.keyColour), GetGValue(normal.keyColour),
                          GetRValue(normal.keyColour) };
    // A soft spot in the upper left quarter of each picture: memory starts
    // with the bottom row, so row y counts from the bottom.
    const int spotX = pictureSize / 4;
    const int spotY = pictureSize - pictureSize / 3;
    const BYTE* from = normal.bits;
    BYTE* to = pressed->bits;
    for (int y = 0; y < normal.height; ++y) {
        int dy = y - spotY;
        for (int x = 0; x < normal.width; ++x, from += 4, to += 4) {
            to[3] = 0;
            if (IsNearMagenta(from[2], from[1], from[0])) {
                to[0] = key[0];
                to[1] = key[1];
                to[2] = key[2];
                continue;
            }
            int dx = x % pictureSize - spotX;
            int v = 144 - dx * dx - dy * dy;
            int extra = v > 0 ? 3 * v * v : 0;
            for (int c = 0; c < 3; ++c) {
                int value = (300 * from[c] + extra) / 255;
                to[c] = (BYTE)(value < 255 ? value : 255);
            }
        }
    }
}

void MakeButtonPictures(HBITMAP picture, int first, int count)
{
    ButtonPictures& pictures = g_buttonPictures;
    pictures.pictureSize = IsVgaScreen() ? 32 : 16;
    pictures.firstPicture = first;
    pictures.pressedPictures.Release();
    if (count <= 0 || !pictures.normalPictures.CopyBand(picture, first * pictures.pictureSize,
                                                        count * pictures.pictureSize))
        return;
    // The picture names its own key: the colour of its top-right pixel.
    BITMAP size = {};
    GetObjectW(picture, sizeof(size), &size);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, picture);
    pictures.normalPictures.keyColour = GetPixel(dc, size.bmWidth - 1, 0);
    SelectObject(dc, previous);
    DeleteDC(dc);
    BuildPressedPictures(pictures.normalPictures, pictures.pictureSize,
                         &pictures.pressedPictures);
}

void MakeButtonFace()
{
    ButtonPictures& pictures = g_buttonPictures;
    if (pictures.faceBrush)
        DeleteObject(pictures.faceBrush);
    pictures.faceBrush = CreateSolidBrush(g_app.colours[THEME_BUTTON]);
}

void LoadButtonPictures(const wchar_t* path)
{
    MakeButtonFace();
    HBITMAP picture = nullptr;
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        ShowNotice(g_app.mainWindow, L"err_load_btnpic",
                   L"Не удаётся найти файл с изображением кнопок", MB_ICONERROR);
    } else {
        picture = SHLoadImageFile(path);
    }
    MakeButtonPictures(picture, 0, INT_MAX / 64);
    if (picture)
        DeleteObject(picture);
}
