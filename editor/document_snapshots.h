#ifndef QUILLEX_EDITOR_DOCUMENT_SNAPSHOTS_H
#define QUILLEX_EDITOR_DOCUMENT_SNAPSHOTS_H

#include "platform/pocketpc.h"

class CDocument;

// Unsaved text survives a crash: a few seconds after a document's text
// changes, every changed modified document is written (whole, by the
// program's one way of replacing a file) to a snapshot file of its own in
// the snapshot folder, with its path, encoding, flags and tab order. A
// snapshot goes when its document is saved, loaded over or closed; a clean
// end leaves no snapshot behind, so snapshots found at start-up are what a
// crash left.

// Snapshots go into this folder from now on; an empty one turns them off.
void SetSnapshotFolder(const wchar_t* folder);
const wchar_t* SnapshotFolder();

// Longest wait between a change and its snapshot.
const UINT SNAPSHOT_DELAY_MS = 2000;

// A change of the document's text: a snapshot follows within the delay.
// Cheap: a timer is started, nothing is written here.
void NoteDocumentChange(CDocument* document);
// Writes now the snapshots whose documents changed since their last one, or
// whose place among the tabs moved.
void WriteDueSnapshots();
// Brings the document's snapshot up to date at once (before its save, so
// that a crash during the save never leaves an older snapshot than the file).
void RefreshSnapshot(CDocument* document);
// The document was saved, loaded over or closed: its snapshot goes.
void DropSnapshot(CDocument* document);
// A clean end: every snapshot and the folder go.
void DropAllSnapshots();
// Snapshots kept, for checks.
int SnapshotCount();

// A snapshot as read back from its file.
struct Snapshot {
    Snapshot();
    ~Snapshot();
    wchar_t file[MAX_PATH];
    wchar_t path[MAX_PATH];
    int order;
    int encoding;
    DWORD flags;
    bool truncated;
    wchar_t* text;
    int units;

    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
};

// Whether a file name in the folder is a snapshot's.
bool IsSnapshotFileName(const wchar_t* name);
// False when the file is no whole snapshot.
bool ReadSnapshot(const wchar_t* file, Snapshot* snapshot);
// A document restored from a snapshot keeps that file as its own until the
// next snapshot replaces it, so a second crash still finds it.
void AdoptSnapshot(CDocument* document, const Snapshot& snapshot);

#endif
