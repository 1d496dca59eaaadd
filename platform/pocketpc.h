#ifndef QUILLEX_PLATFORM_POCKETPC_H
#define QUILLEX_PLATFORM_POCKETPC_H

// The one header the program includes for the operating system. On the
// handheld it would be <windows.h> plus the shell's headers; on a desktop it
// adds our stand-ins for what the handheld has and the desktop lacks.

#include <windows.h>
#include <commctrl.h>
#include <strsafe.h>

#include "platform/ce_gdi.h"
#include "platform/device_buttons.h"
#include "platform/device_clock.h"
#include "platform/device_edit.h"
#include "platform/device_fonts.h"
#include "platform/device_process.h"
#include "platform/device_screen.h"
#include "platform/device_windows.h"

#endif
