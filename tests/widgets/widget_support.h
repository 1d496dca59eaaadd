#ifndef QUILLEX_TESTS_WIDGETS_WIDGET_SUPPORT_H
#define QUILLEX_TESTS_WIDGETS_WIDGET_SUPPORT_H

#include <functional>
#include <string>
#include <vector>

#include "platform/pocketpc.h"
#include "tests/test_support.h"

class CImageStrip;

// A visible, topmost pop-up window that stands in for the main window or the
// find bar: it records every WM_COMMAND its children send and can act on it.
// By default it sits right of the emulated device screen, where other test
// programs' windows do not cover it (a covered window draws nothing there).
class CommandParent {
public:
    struct Command {
        WPARAM wParam;
        LPARAM lParam;
    };
    // At (x, y) of the desktop; the default place suits windows up to 500
    // pixels wide.
    CommandParent(int width, int height, int x = 500, int y = 400);
    ~CommandParent();
    CommandParent(const CommandParent&) = delete;
    CommandParent& operator=(const CommandParent&) = delete;

    // A visible child of the given class, style and id.
    HWND AddChild(const wchar_t* className, DWORD style, int id, int x, int y, int width,
                  int height);

    HWND window;
    std::vector<Command> commands;
    std::function<void(WPARAM, LPARAM)> onCommand;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The colour shown at (x, y) of the window's client area.
COLORREF WindowPixel(HWND window, int x, int y);

// A colour given as 0x00RRGGBB memory order turned into a COLORREF.
COLORREF FromMemory(DWORD pixel);
// The pixel at column x, row y counted from the top, read from the strip's
// memory; the fourth byte is left out.
COLORREF StripPixel(const CImageStrip& strip, int x, int y);
// Every pixel of the strip, row by row from the top, as StripPixel reads it.
std::vector<COLORREF> StripPixels(const CImageStrip& strip);
// Writes the pixel at (x, y) from the top into the strip's memory, fourth byte 0.
void SetStripPixel(CImageStrip& strip, int x, int y, COLORREF colour);

typedef std::function<COLORREF(int x, int y)> PixelSource;

// A 24-bit bitmap of that size with pixel (x, y) from the top-left corner.
HBITMAP MakeBitmap(int width, int height, const PixelSource& pixel);
// The same as a .bmp file, which the picture loader reads like a PNG.
bool WriteBitmapFile(const std::wstring& path, int width, int height, const PixelSource& pixel);

#endif
