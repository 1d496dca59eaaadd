#ifndef QUILLEX_SHELL_RECOVERY_H
#define QUILLEX_SHELL_RECOVERY_H

#include "platform/pocketpc.h"

// Start and end of the crash recovery: the snapshot folder lies beside
// Settings.ini. Only the running program gets here: a second start hands
// its file over and never reads or removes a snapshot.

// Posted to the main window when snapshots begin to fail (wParam:
// ERROR_DISK_FULL for a full storage, else a folder that takes no files).
const UINT WM_SNAPSHOT_TROUBLE = WM_APP + 0x41;

// At start-up, once the main window and its documents are up: turns the
// snapshots on, clears what a crash left half-written, and when an earlier
// run ended without a clean exit (snapshots found) asks once whether to
// restore them. Yes opens each in a tab of its own, modified, with its
// path, encoding and flags; No removes those read whole. A damaged snapshot
// is set aside in the folder (never removed) and what could be read of it is
// offered too, the question saying so and where it lies; one that cannot be
// read now stays for the next start.
void StartRecovery();

// A clean end: the documents are gone and with them their snapshots; no
// more are written.
void EndRecovery();

// Tells the user that unsaved text cannot be kept safe, and why; while a
// question, dialog or menu is up, once it has ended.
void OnSnapshotTrouble(DWORD reason);
// Tells what waited for the device to be free, if anything did.
void ShowKeptSnapshotTrouble();

#endif
