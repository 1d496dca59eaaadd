#ifndef QUILLEX_SHELL_RECOVERY_H
#define QUILLEX_SHELL_RECOVERY_H

// Start and end of the crash recovery: the snapshot folder lies beside
// Settings.ini. Only the instance that keeps running gets here: a second
// start that hands its file over never restores anything.

// At start-up, once the main window and its documents are up: turns the
// snapshots on, clears what a crash left half-written, and when an earlier
// run ended without a clean exit (snapshots found) asks once whether to
// restore them. Yes opens each in a tab of its own, modified, with its
// path, encoding and flags; No removes them.
void StartRecovery();

// A clean end: the documents are gone and with them their snapshots; no
// more are written.
void EndRecovery();

#endif
