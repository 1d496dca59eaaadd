#ifndef QUILLEX_EDITOR_DOCUMENT_SNAPSHOTS_H
#define QUILLEX_EDITOR_DOCUMENT_SNAPSHOTS_H

#include "platform/pocketpc.h"

// Unsaved text survives a crash: a few seconds after a document's text
// changes, every changed modified document is written (whole, by the
// program's one way of replacing a file) to a snapshot file of its own in
// the snapshot folder, with its path, encoding, flags and tab order, under a
// format version and a checksum. A snapshot goes when its document is saved,
// loaded over or closed; a clean end leaves no snapshot behind, so snapshots
// found at start-up are what a crash left.

// What a snapshot keeps besides the text.
struct SnapshotFields {
    const wchar_t* path;
    int encoding;
    DWORD flags;
    bool truncated;
};

// What the snapshots need of a document; the document gives it.
class SnapshotSubject {
public:
    // Modified, and more than an untitled document emptied completely.
    virtual bool NeedsSnapshot() = 0;
    virtual SnapshotFields SnapshotHeader() = 0;
    // The whole text in a new[] buffer the caller deletes; null without memory.
    virtual wchar_t* SnapshotText(int* units) = 0;

protected:
    ~SnapshotSubject() {}
};

// The tab a document stands in (from 0), or -1.
typedef int (*SnapshotTabOrder)(const SnapshotSubject* document);

// Snapshots go into this folder from now on; an empty one turns them off.
void SetSnapshotFolder(const wchar_t* folder);
const wchar_t* SnapshotFolder();
// Where the documents stand among the tabs, written with each snapshot.
void SetSnapshotTabOrder(SnapshotTabOrder tabOrder);
// Snapshots that cannot be written are tried again on the timer; the first
// failure after a success posts `message` to `window` (wParam: the error),
// never showing anything itself: the timer fires inside every modal loop.
void SetSnapshotTroubleNotice(HWND window, UINT message);

// Longest wait between a change and its snapshot.
const UINT SNAPSHOT_DELAY_MS = 2000;
// Longest wait between two tries of a snapshot that failed.
const UINT SNAPSHOT_RETRY_MS = 10000;

// A change of the document's text: a snapshot follows within the delay.
// Cheap: a timer is started, nothing is written here.
void NoteDocumentChange(SnapshotSubject* document);
// Writes now the snapshots whose documents changed since their last one, or
// whose place among the tabs moved. False when one of them failed (it is
// tried again on the timer).
bool WriteDueSnapshots();
// Brings the document's snapshot up to date at once (before its save, so
// that a crash during the save never leaves an older snapshot than the file).
void RefreshSnapshot(SnapshotSubject* document);
// The document was saved, loaded over or closed: its snapshot goes.
void DropSnapshot(SnapshotSubject* document);
// A clean end: every snapshot and the folder go, and the timer stops.
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

// How a snapshot file read.
enum SnapshotRead {
    SNAPSHOT_WHOLE,        // every field and unit as written
    SNAPSHOT_UNREADABLE,   // not now (refused, shared, no memory): left as it is
    SNAPSHOT_DAMAGED,      // what could be read of it is in the snapshot
};

// Whether a file name in the folder is a snapshot's.
bool IsSnapshotFileName(const wchar_t* name);
// Reads and checks a snapshot file. Its fields come back within their
// ranges: an unknown encoding as UTF-8, flags cut to the known ones, a path
// that is not a full path to a file (a drive or a network name, no device)
// empty. A damaged snapshot's text is what came before the damage; a path
// it names is marked as only partly held, so that no save writes over that
// file unasked.
SnapshotRead ReadSnapshot(const wchar_t* file, Snapshot* snapshot);
// A document restored from a whole snapshot keeps that file as its own until
// the next snapshot replaces it, so a second crash still finds it; one from a
// damaged snapshot gets a new one soon.
void AdoptSnapshot(SnapshotSubject* document, const Snapshot& snapshot, bool whole);

#endif
