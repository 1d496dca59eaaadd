#include "widgets/list_icons.h"

#include "app/app_state.h"
#include "storage/program_folder.h"
#include "widgets/button_pictures.h"
#include "widgets/image_strip.h"

namespace {

// The defaults of the twelve theme colours; the menu bar's stays unset.
const COLORREF kDefaultColours[THEME_COLOUR_COUNT] = {
    0x00F0C8C8, THEME_UNSET, 0x00E6C8C8, 0x00FFAA05, 0x00FAAAAA, 0x00E19628,
    0x00FFFAFA, 0x00000000,  0x00000000, 0x00FAD2D2, 0x00FFFFFF, 0x00000000,
};

const int kSwatchRow = 5;

int IconSize()
{
    return IsVgaScreen() ? 32 : 16;
}

// Reads the swatch through a magenta scratch surface, so its transparent
// pixels come out as "unset".
void ReadSwatch(HIMAGELIST icons, COLORREF* colours)
{
    CImageStrip scratch;
    if (!scratch.Create(32, 32))
        return;
    scratch.Clear(-1, 0);
    ImageList_Draw(icons, LIST_ICON_SWATCH, scratch.dc, 0, 0, ILD_NORMAL);
    for (int x = 0; x < THEME_COLOUR_COUNT; ++x)
        colours[x] = GetPixel(scratch.dc, x, kSwatchRow);
}

void ReplaceBrush(HBRUSH* brush, COLORREF colour)
{
    if (*brush)
        DeleteObject(*brush);
    *brush = CreateSolidBrush(colour);
}

}

bool ListIconsPath(wchar_t* path, int capacity)
{
    wchar_t folder[MAX_PATH];
    if (!GetProgramFolder(folder, MAX_PATH) ||
        FAILED(StringCchPrintfW(path, capacity, IsVgaScreen() ? L"%sListIconsVGA.png"
                                                               : L"%sListIconsQVGA.png",
                                folder))) {
        if (capacity > 0)
            path[0] = 0;
        return false;
    }
    return true;
}

namespace {

// The list-icon picture decoded; null when it is missing or unreadable.
HBITMAP DecodeListIcons()
{
    wchar_t path[MAX_PATH];
    return ListIconsPath(path, MAX_PATH) ? SHLoadImageFile(path) : nullptr;
}

// The image list of `picture`'s icons; masking turns the picture's key
// pixels black.
HIMAGELIST ListIconsOf(HBITMAP picture)
{
    int size = IconSize();
    HIMAGELIST icons = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 50, 0);
    if (icons && picture)
        ImageList_AddMasked(icons, picture, THEME_UNSET);
    return icons;
}

}

HIMAGELIST LoadListIcons()
{
    HBITMAP picture = DecodeListIcons();
    HIMAGELIST icons = ListIconsOf(picture);
    if (picture)
        DeleteObject(picture);
    return icons;
}

void ReadThemePalette(HIMAGELIST icons)
{
    for (int i = 0; i < THEME_COLOUR_COUNT; ++i)
        g_app.colours[i] = THEME_UNSET;
    if (icons && ImageList_GetImageCount(icons) > LIST_ICON_SWATCH)
        ReadSwatch(icons, g_app.colours);
    for (int i = 0; i < THEME_COLOUR_COUNT; ++i) {
        if (g_app.colours[i] == THEME_UNSET)
            g_app.colours[i] = kDefaultColours[i];
    }
    ReplaceBrush(&g_app.windowBrush, g_app.colours[THEME_WINDOW]);
    ReplaceBrush(&g_app.editBrush, g_app.colours[THEME_EDIT_BACKGROUND]);
}

void LoadThemeAndIcons()
{
    HBITMAP picture = DecodeListIcons();
    MakeButtonPictures(picture, LIST_ICON_FIND_BAR, LIST_ICON_FIND_BAR_COUNT);
    g_app.listIcons = ListIconsOf(picture);
    if (picture)
        DeleteObject(picture);
    ReadThemePalette(g_app.listIcons);
    MakeButtonFace();
}
