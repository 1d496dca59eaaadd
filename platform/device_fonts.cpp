#include <windows.h>

#include "platform/device_fonts.h"

#undef GetStockObject

HGDIOBJ DeviceGetStockObject(int object)
{
    if (object != SYSTEM_FONT)
        return ::GetStockObject(object);
    // Made once and kept for the whole run, as a stock object is.
    static HFONT systemFont = [] {
        LOGFONTW font = {};
        font.lfHeight = -12;
        font.lfWeight = FW_BOLD;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfQuality = DEFAULT_QUALITY;
        font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
        return CreateFontIndirectW(&font);
    }();
    return systemFont;
}
