#ifndef QUILLEX_PLATFORM_DEVICE_PROCESS_H
#define QUILLEX_PLATFORM_DEVICE_PROCESS_H

#include <windows.h>

// The handheld's command line holds only the arguments, never the program's
// own name; a desktop's starts with it. This gives the device's form.
LPWSTR DeviceGetCommandLine();

// Replaces the command line the program sees (tests start "the program" with
// a file of their choosing); null returns to the process's own.
void SetDeviceCommandLine(const wchar_t* arguments);

// On the handheld a window handle with its lowest bit set asks to bring the
// window's last active pop-up forward (a question or dialog it shows); a
// desktop handle must not carry the bit, and has no such flag.
BOOL DeviceSetForegroundWindow(HWND window);

// One running program: true when this start took the program's
// single-instance object (in the user's session, kept until
// ReleaseSingleInstance), so it is the running program; false when another
// start holds it, this process included.
bool TakeSingleInstance(const wchar_t* name);
void ReleaseSingleInstance();

#define GetCommandLineW DeviceGetCommandLine
#define SetForegroundWindow DeviceSetForegroundWindow

#endif
