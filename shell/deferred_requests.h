#ifndef QUILLEX_SHELL_DEFERRED_REQUESTS_H
#define QUILLEX_SHELL_DEFERRED_REQUESTS_H

#include "platform/pocketpc.h"

// Requests from outside (a close, a file handed over by a second start) that
// arrive while a question, a dialog or the chooser owns the device, that is
// while the main window is disabled. Carried out at once they would change
// the documents under the code waiting for the answer; they are kept and
// carried out once the main window is enabled again.

// Posted to the main window when kept requests may run.
const UINT WM_RUN_DEFERRED = WM_APP + 1;

void DeferClose();
// False, after telling the user, when the path could not be kept (no memory).
bool DeferHandOver(const wchar_t* path);

// The main window was enabled again: lets the kept requests run after the
// code that ended the modal wait has finished.
void ScheduleDeferredRequests(HWND mainWindow);

// Runs the kept requests, hand-overs first (each in a tab of its own), then
// the close. Does nothing while the main window is still disabled.
void RunDeferredRequests();

// The main window goes: what was kept goes with it.
void ForgetDeferredRequests();

// Opens a handed-over file in a new tab of its own.
void OpenHandedOverFile(const wchar_t* path);

#endif
