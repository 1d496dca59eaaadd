#ifndef QUILLEX_WIDGETS_BUTTON_PICTURES_H
#define QUILLEX_WIDGETS_BUTTON_PICTURES_H

#include "widgets/image_strip.h"

// What every picture button draws with: the pictures of the list-icon
// picture the buttons use, a brightened copy with a soft highlight for the
// pressed look, and the face brush. Made once at start-up, kept for the
// whole run.
struct ButtonPictures {
    int pictureSize;             // S: pictures are S x S, picture k at x = (k - first) * S
    int firstPicture;            // the number of the strips' first picture
    HBRUSH faceBrush;
    CImageStrip normalPictures;
    CImageStrip pressedPictures;
};

extern ButtonPictures g_buttonPictures;

// Loads the list-icon picture at `path` for the buttons, after the theme
// palette is known. A missing file is reported to the user once; the buttons
// then show only their face and edge.
void LoadButtonPictures(const wchar_t* path);

// The buttons' pictures from the list-icon picture already decoded: only
// pictures `first` to `first + count - 1` are kept (what the buttons draw),
// with the key the whole picture names. `picture` stays the caller's and
// unchanged (make the pictures before an image list masks it); when it is
// null the strips are left empty, and nobody is told.
void MakeButtonPictures(HBITMAP picture, int first, int count);

// The face brush in the theme's button colour, once the palette is known.
void MakeButtonFace();

// Fills `pressed` with the highlighted copy of `normal` (pictures of
// `pictureSize` pixels), computed in pixel memory; it takes `normal`'s key.
void BuildPressedPictures(const CImageStrip& normal, int pictureSize, CImageStrip* pressed);

#endif
