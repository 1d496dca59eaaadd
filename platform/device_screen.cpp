#include <windows.h>

#include "platform/device_screen.h"

#undef GetSystemMetrics

namespace {
// 0 until chosen or first asked for.
int g_width = 0;
int g_height = 0;

// A screen no larger than a VGA handheld's is the handheld's own (a Wine
// virtual desktop made for it); on a larger desktop the device takes the VGA
// portrait corner.
void ChooseDefaultScreen()
{
    if (g_width)
        return;
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    bool handheld = width > 0 && height > 0 && width <= 480 && height <= 640;
    g_width = handheld ? width : 480;
    g_height = handheld ? height : 640;
}
}

int DeviceGetSystemMetrics(int index)
{
    ChooseDefaultScreen();
    switch (index) {
    case SM_CXVIRTUALSCREEN:
    case SM_CXSCREEN:
        return g_width;
    case SM_CYVIRTUALSCREEN:
    case SM_CYSCREEN:
        return g_height;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
        return 0;
    default:
        return ::GetSystemMetrics(index);
    }
}

void SetDeviceScreen(int width, int height)
{
    g_width = width;
    g_height = height;
}

int DeviceMenuBarHeight()
{
    ChooseDefaultScreen();
    int larger = g_width > g_height ? g_width : g_height;
    return larger > 400 ? 52 : 26;
}
