#include <windows.h>

#include "platform/device_clock.h"

#undef GetLocalTime

namespace {
bool g_fixed = false;
SYSTEMTIME g_fixedTime;
}

void DeviceGetLocalTime(SYSTEMTIME* time)
{
    if (g_fixed)
        *time = g_fixedTime;
    else
        ::GetLocalTime(time);
}

void SetDeviceLocalTime(const SYSTEMTIME* time)
{
    g_fixed = time != nullptr;
    if (time)
        g_fixedTime = *time;
}
