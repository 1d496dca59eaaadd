#include "shell/recovery.h"

#include <new>
#include <stdlib.h>
#include <wchar.h>

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/document_snapshots.h"
#include "lists/recent_files.h"
#include "shell/document_commands.h"
#include "shell/document_view.h"
#include "storage/atomic_file.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/settings.h"
#include "storage/wide_text.h"

namespace {

// Snapshots found in the folder, read whole, in tab order.
struct Found {
    Snapshot** items;
    int count;
};

int ByOrder(const void* a, const void* b)
{
    int x = (*(Snapshot* const*)a)->order, y = (*(Snapshot* const*)b)->order;
    return x < y ? -1 : (x > y ? 1 : 0);
}

void ReleaseFound(Found& found)
{
    for (int i = 0; i < found.count; ++i)
        delete found.items[i];
    delete[] found.items;
    found.items = nullptr;
    found.count = 0;
}

// Reads every snapshot of the folder. What a crash left half-made there
// (our own copies, files that are no whole snapshot) is removed; any other
// file is left alone.
Found FindSnapshots(const wchar_t* folder)
{
    Found found = { nullptr, 0 };
    wchar_t pattern[MAX_PATH];
    if (FAILED(StringCchPrintfW(pattern, MAX_PATH, L"%s\\*", folder)))
        return found;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern, &data);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    int capacity = 0;
    do {
        wchar_t file[MAX_PATH];
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            FAILED(StringCchPrintfW(file, MAX_PATH, L"%s\\%s", folder, data.cFileName)))
            continue;
        bool ours = IsSnapshotFileName(data.cFileName);
        bool copy = wcsncmp(data.cFileName, L"~qx", 3) == 0;
        if (!ours && !copy)
            continue;
        Snapshot* snapshot = ours ? new (std::nothrow) Snapshot() : nullptr;
        if (snapshot && ReadSnapshot(file, snapshot)) {
            if (found.count == capacity) {
                int grown = capacity ? capacity * 2 : 8;
                Snapshot** items = new (std::nothrow) Snapshot*[grown];
                if (!items) {
                    delete snapshot;
                    continue;
                }
                for (int i = 0; i < found.count; ++i)
                    items[i] = found.items[i];
                delete[] found.items;
                found.items = items;
                capacity = grown;
            }
            found.items[found.count++] = snapshot;
            continue;
        }
        // Without memory to read it the snapshot stays for the next start.
        if (ours && !snapshot)
            continue;
        delete snapshot;
        SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    if (found.count > 1)
        qsort(found.items, found.count, sizeof(Snapshot*), ByOrder);
    return found;
}

// The document a restored text goes into: the first, untouched empty one
// the program started with, else a new tab.
CDocument* DocumentToRestoreInto(bool* reused)
{
    CDocument* first = g_app.documents.count == 1 ? g_app.documents[0] : nullptr;
    *reused = first && !first->HasFileName() && !first->modified && first->GetTextLength() == 0;
    if (*reused)
        return first;
    return AddDocument(true) ? CurrentDocument() : nullptr;
}

void Restore(Found& found)
{
    int shown = g_app.current;
    bool shownFirst = false;
    for (int i = 0; i < found.count; ++i) {
        Snapshot& snapshot = *found.items[i];
        bool reused = false;
        CDocument* document = DocumentToRestoreInto(&reused);
        // Without memory for a tab the rest stays on disk for the next start.
        if (!document)
            break;
        if (reused)
            shownFirst = true;
        document->SetText(snapshot.text);
        CopyUnits(document->path, snapshot.path);
        document->encoding = snapshot.encoding;
        document->codecFlags = snapshot.flags;
        document->truncated = snapshot.truncated;
        document->SetModified(true);
        AdoptSnapshot(document, snapshot);
    }
    // The file the program was started with stays in front; otherwise the
    // first restored text.
    g_app.current = shownFirst ? 0 : shown;
    ShowCurrentDocument();
}

}

void StartRecovery()
{
    // Beside Settings.ini, as the program's other files.
    wchar_t folder[MAX_PATH];
    const wchar_t* slash = wcsrchr(g_settings.path, L'\\');
    if (!slash || FAILED(StringCchCopyNW(folder, MAX_PATH, g_settings.path,
                                         (size_t)(slash - g_settings.path))) ||
        FAILED(StringCchCatW(folder, MAX_PATH, L"\\Recovery"))) {
        SetSnapshotFolder(L"");
        return;
    }
    SetSnapshotFolder(folder);
    // Copies a crash left while the program's own files were written.
    RemoveLeftoverReplacement(g_settings.path);
    RemoveLeftoverReplacement(g_recent.file);

    Found found = FindSnapshots(folder);
    if (found.count == 0) {
        RemoveDirectoryW(folder);
        return;
    }
    for (int i = 0; i < found.count; ++i)
        RemoveLeftoverReplacement(found.items[i]->path);
    int answer = ShowNotice(g_app.mainWindow, L"restore_unsaved",
                            L"Программа была закрыта без сохранения изменений. "
                            L"Восстановить несохранённые тексты?",
                            MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
        Restore(found);
    } else {
        for (int i = 0; i < found.count; ++i)
            DeleteFileW(found.items[i]->file);
        RemoveDirectoryW(folder);
    }
    ReleaseFound(found);
}

void EndRecovery()
{
    DropAllSnapshots();
    SetSnapshotFolder(L"");
}
