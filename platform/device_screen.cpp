#include <windows.h>

#include "platform/device_screen.h"

#undef GetSystemMetrics

namespace {
int g_width = 480;
int g_height = 640;
}

int DeviceGetSystemMetrics(int index)
{
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
    int larger = g_width > g_height ? g_width : g_height;
    return larger > 400 ? 52 : 26;
}
