#ifndef QUILLEX_PLATFORM_DEVICE_FONTS_H
#define QUILLEX_PLATFORM_DEVICE_FONTS_H

#include <windows.h>

// The handheld's stock objects. Its system font is Tahoma with no fixed
// character width, so a LOGFONT taken from it and given another height keeps
// its proportions; a desktop's "System" font has a fixed width that would
// squeeze every letter. Other stock objects are the desktop's own.
HGDIOBJ DeviceGetStockObject(int object);

#define GetStockObject DeviceGetStockObject

#endif
