#ifndef QUILLEX_PLATFORM_DEVICE_CLOCK_H
#define QUILLEX_PLATFORM_DEVICE_CLOCK_H

#include <windows.h>

// The device's local time. Everything that stamps a date (the ".LOG" stamp,
// the quick-insert macros) reads it through GetLocalTime, which lands here,
// so tests can fix the clock instead of racing the real one.
void DeviceGetLocalTime(SYSTEMTIME* time);

// Fixes the clock at the given time; a null pointer returns to the real clock.
void SetDeviceLocalTime(const SYSTEMTIME* time);

#define GetLocalTime DeviceGetLocalTime

#endif
