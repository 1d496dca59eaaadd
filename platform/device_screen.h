#ifndef QUILLEX_PLATFORM_DEVICE_SCREEN_H
#define QUILLEX_PLATFORM_DEVICE_SCREEN_H

#include <windows.h>

// The emulated handheld screen. On the device SM_CXVIRTUALSCREEN and
// SM_CYVIRTUALSCREEN give the whole touch screen; here they give the
// emulated one, which sits at the top-left corner of the desktop: VGA
// portrait (480 x 640) unless the platform layer picks another, or the whole
// desktop when that is no larger (a Wine virtual desktop of the device's
// size, e.g. 240 x 320 for a QVGA handheld).
int DeviceGetSystemMetrics(int index);

// Chooses the emulated screen, e.g. 240 x 320 (QVGA) or 480 x 640 (VGA).
void SetDeviceScreen(int width, int height);

// Height of the handheld's menu bar along the bottom of the screen: 26
// pixels, doubled on a VGA screen.
int DeviceMenuBarHeight();

#define GetSystemMetrics DeviceGetSystemMetrics

#endif
