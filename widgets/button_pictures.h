#ifndef QUILLEX_WIDGETS_BUTTON_PICTURES_H
#define QUILLEX_WIDGETS_BUTTON_PICTURES_H

#include "widgets/image_strip.h"

// What every picture button draws with: the list-icon picture as loaded, a
// brightened copy with a soft highlight for the pressed look, and the face
// brush. Loaded once at start-up, kept for the whole run.
struct ButtonPictures {
    int pictureSize;             // S: pictures are S x S, picture k at x = k * S
    HBRUSH faceBrush;
    CImageStrip normalPictures;
    CImageStrip pressedPictures;
};

extern ButtonPictures g_buttonPictures;

// Loads the list-icon picture at `path` for the buttons, after the theme
// palette is known. A missing file is reported to the user once; the buttons
// then show only their face and edge.
void LoadButtonPictures(const wchar_t* path);

// Fills `pressed` with the highlighted copy of `normal` (pictures of
// `pictureSize` pixels), computed in pixel memory; it takes `normal`'s key.
void BuildPressedPictures(const CImageStrip& normal, int pictureSize, CImageStrip* pressed);

#endif
