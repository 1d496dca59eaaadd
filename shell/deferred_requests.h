#ifndef QUILLEX_SHELL_DEFERRED_REQUESTS_H
#define QUILLEX_SHELL_DEFERRED_REQUESTS_H

#include "platform/pocketpc.h"

// Requests from outside (a close, a file handed over by a second start) that
// arrive while a question, a dialog, a menu or a hold owns the device.
// Carried out at once they would change the documents under the code waiting
// for it; they are kept and carried out once nothing is above the main window
// (the modal stack then posts WM_MODAL_ENDED).

void DeferClose();
// False, after telling the user, when the path could not be kept (no memory).
bool DeferHandOver(const wchar_t* path);

// Runs the kept requests, hand-overs first (each in a tab of its own), then
// the close. Does nothing while the device is still owned.
void RunDeferredRequests();

// The main window goes: what was kept goes with it.
void ForgetDeferredRequests();

// Opens a handed-over file in a new tab of its own.
void OpenHandedOverFile(const wchar_t* path);

#endif
