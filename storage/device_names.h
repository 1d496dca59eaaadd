#ifndef QUILLEX_STORAGE_DEVICE_NAMES_H
#define QUILLEX_STORAGE_DEVICE_NAMES_H

// Whether a name of the path (separated by backslashes) is a device (NUL,
// CON, AUX, PRN, COM1, LPT1 and the like), with or without an extension:
// such a name opens the device in every folder, so nothing would be read or
// written as a file.
bool HoldsDeviceName(const wchar_t* path);

#endif
