#include "shell/recovery.h"

#include <new>
#include <stdlib.h>
#include <wchar.h>

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/document_snapshots.h"
#include "lists/recent_files.h"
#include "platform/modal_stack.h"
#include "shell/document_commands.h"
#include "shell/document_view.h"
#include "storage/atomic_file.h"
#include "storage/grow_array.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/program_folder.h"
#include "storage/settings.h"
#include "storage/wide_text.h"

namespace {

// A snapshot found in the folder and whether it read whole.
struct FoundSnapshot {
    Snapshot* snapshot;
    bool whole;
};

// What the folder held: the snapshots to offer, in tab order, and how many
// were damaged (renamed aside there).
// The snapshots are owned here and deleted with it.
struct Found {
    ~Found()
    {
        for (int i = 0; i < items.count; ++i)
            delete items[i].snapshot;
    }
    CGrowArray<FoundSnapshot> items;
    int damaged = 0;
};

// Snapshot trouble waiting for the device to be free, and whether one is
// waiting.
DWORD g_keptTrouble = 0;
bool g_troubleKept = false;

int ByOrder(const void* a, const void* b)
{
    int x = ((const FoundSnapshot*)a)->snapshot->order;
    int y = ((const FoundSnapshot*)b)->snapshot->order;
    return x < y ? -1 : (x > y ? 1 : 0);
}

// Moves a damaged snapshot aside in its folder ("Document3.damaged"), where
// no later snapshot takes its name; false when it could not be moved.
bool SetAside(Snapshot& snapshot)
{
    wchar_t aside[MAX_PATH];
    const wchar_t* dot = wcsrchr(snapshot.file, L'.');
    int stem = dot ? (int)(dot - snapshot.file) : (int)wcslen(snapshot.file);
    for (int n = 1; n < 1000; ++n) {
        HRESULT made =
            n == 1 ? StringCchPrintfW(aside, MAX_PATH, L"%.*s.damaged", stem, snapshot.file)
                   : StringCchPrintfW(aside, MAX_PATH, L"%.*s-%d.damaged", stem, snapshot.file, n);
        if (FAILED(made))
            return false;
        if (MoveFileW(snapshot.file, aside)) {
            CopyUnits(snapshot.file, aside);
            return true;
        }
        if (GetFileAttributesW(aside) == INVALID_FILE_ATTRIBUTES)
            return false;
    }
    return false;
}

// Reads every snapshot of the folder. A snapshot that cannot be read now
// stays as it is for the next start; a damaged one is set aside, and what
// could be read of it is offered. Copies a crash left half-made there are
// removed; any other file is left alone.
void FindSnapshots(const wchar_t* folder, Found& found)
{
    wchar_t pattern[MAX_PATH];
    if (FAILED(StringCchPrintfW(pattern, MAX_PATH, L"%s\\*", folder)))
        return;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern, &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        wchar_t file[MAX_PATH];
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            FAILED(StringCchPrintfW(file, MAX_PATH, L"%s\\%s", folder, data.cFileName)))
            continue;
        if (wcsncmp(data.cFileName, L"~qx", 3) == 0) {
            SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(file);
            continue;
        }
        if (!IsSnapshotFileName(data.cFileName))
            continue;
        Snapshot* snapshot = new (std::nothrow) Snapshot();
        SnapshotRead read = snapshot ? ReadSnapshot(file, snapshot) : SNAPSHOT_UNREADABLE;
        bool whole = read == SNAPSHOT_WHOLE;
        if (read == SNAPSHOT_DAMAGED) {
            // One that cannot be moved aside now stays where it is, read
            // again at the next start.
            if (!SetAside(*snapshot))
                read = SNAPSHOT_UNREADABLE;
            else
                found.damaged++;
        }
        bool offered = read != SNAPSHOT_UNREADABLE &&
                       (whole || snapshot->units > 0 || snapshot->path[0]);
        if (!offered || found.items.Append(FoundSnapshot{ snapshot, whole }) < 0)
            delete snapshot;
    } while (FindNextFileW(search, &data));
    FindClose(search);
    if (found.items.count > 1)
        qsort(found.items.items, found.items.count, sizeof(FoundSnapshot), ByOrder);
}

// The path as the file system names it, for comparing.
void FullName(const wchar_t* path, wchar_t* full)
{
    if (!GetFullPathNameW(path, MAX_PATH, full, nullptr) ||
        !GetLongPathNameW(full, full, MAX_PATH))
        CopyUnits(full, MAX_PATH, path);
}

bool SameFile(const wchar_t* a, const wchar_t* b)
{
    if (!a[0] || !b[0])
        return false;
    wchar_t x[MAX_PATH], y[MAX_PATH];
    FullName(a, x);
    FullName(b, y);
    return lstrcmpiW(x, y) == 0;
}

// A file of the program itself, never a document's: its settings, lists,
// language files and snapshots.
bool IsProgramFile(const wchar_t* path)
{
    if (SameFile(path, g_settings.path) || SameFile(path, g_recent.file))
        return true;
    wchar_t full[MAX_PATH], folder[MAX_PATH], own[MAX_PATH];
    FullName(path, full);
    wchar_t* slash = wcsrchr(full, L'\\');
    if (!slash)
        return true;
    const wchar_t* name = slash + 1;
    CopyUnits(folder, full, (int)(slash - full));
    if (SameFile(folder, SnapshotFolder()))
        return true;
    if (!GetProgramFolder(own, MAX_PATH))
        return false;
    static const wchar_t* const kOwnNames[] = { L"Settings.ini", L"Recent.lst", L"QInsert.lst" };
    wchar_t candidate[MAX_PATH];
    for (const wchar_t* ownName : kOwnNames) {
        if (lstrcmpiW(name, ownName) == 0 &&
            SUCCEEDED(StringCchPrintfW(candidate, MAX_PATH, L"%s%s", own, ownName)) &&
            SameFile(full, candidate))
            return true;
    }
    return SUCCEEDED(StringCchPrintfW(candidate, MAX_PATH, L"%sLanguages", own)) &&
           SameFile(folder, candidate);
}

// A restored text that names a file it must not write (the program's own)
// or that an earlier restored text already names comes back untitled: Save
// then asks for a name.
void CheckPaths(Found& found)
{
    for (int i = 0; i < found.items.count; ++i) {
        wchar_t* path = found.items[i].snapshot->path;
        bool taken = IsProgramFile(path);
        for (int j = 0; j < i && !taken; ++j)
            taken = SameFile(path, found.items[j].snapshot->path);
        if (taken)
            path[0] = 0;
    }
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
    for (int i = 0; i < found.items.count; ++i) {
        bool reused = false;
        CDocument* document = DocumentToRestoreInto(&reused);
        // Without memory for a tab the rest stays on disk for the next start.
        if (!document)
            break;
        if (reused)
            shownFirst = true;
        document->RestoreFrom(*found.items[i].snapshot);
        AdoptSnapshot(document, *found.items[i].snapshot, found.items[i].whole);
    }
    // The file the program was started with stays in front; otherwise the
    // first restored text.
    g_app.current = shownFirst ? 0 : shown;
    ShowCurrentDocument();
}

int TabIndexOf(const SnapshotSubject* document)
{
    for (int i = 0; i < g_app.documents.count; ++i) {
        if (static_cast<const SnapshotSubject*>(g_app.documents[i]) == document)
            return i;
    }
    return -1;
}

// "Damaged copies were left in <folder>", after `text` when there is one.
void AddDamagedFolder(const Found& found, wchar_t* text, int capacity)
{
    if (found.damaged == 0)
        return;
    wchar_t line[600];
    SubstituteFirst(
        g_lang.Lookup(L"snapshots_damaged_at", L"Повреждённые копии оставлены в папке %s."), L"%s",
        SnapshotFolder(), line, ARRAYSIZE(line));
    if (text[0])
        StringCchCatW(text, capacity, L"\n\n");
    StringCchCatW(text, capacity, line);
}

// Asks whether to restore what was found; tells where damaged snapshots lie.
bool AskToRestore(const Found& found)
{
    wchar_t text[1600] = L"";
    if (found.items.count == 0) {
        CopyUnits(text, g_lang.Lookup(L"snapshots_damaged",
                                      L"Несохранённые тексты прошлого запуска повреждены, "
                                      L"восстановить их нельзя."));
        AddDamagedFolder(found, text, ARRAYSIZE(text));
        ShowNotice(g_app.mainWindow, nullptr, text, MB_ICONWARNING);
        return false;
    }
    CopyUnits(text, g_lang.Lookup(L"restore_unsaved",
                                  L"Программа была закрыта без сохранения изменений. "
                                  L"Восстановить несохранённые тексты?"));
    int partial = 0;
    for (int i = 0; i < found.items.count; ++i)
        partial += found.items[i].whole ? 0 : 1;
    if (partial > 0) {
        wchar_t count[16], line[400];
        StringCchPrintfW(count, ARRAYSIZE(count), L"%d", partial);
        SubstituteFirst(g_lang.Lookup(L"restore_partial",
                                      L"Только частично можно восстановить текстов: %d."),
                        L"%d", count, line, ARRAYSIZE(line));
        StringCchCatW(text, ARRAYSIZE(text), L"\n\n");
        StringCchCatW(text, ARRAYSIZE(text), line);
    }
    AddDamagedFolder(found, text, ARRAYSIZE(text));
    return ShowNotice(g_app.mainWindow, nullptr, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
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
    SetSnapshotTabOrder(TabIndexOf);
    SetSnapshotTroubleNotice(g_app.mainWindow, WM_SNAPSHOT_TROUBLE);
    // Copies a crash left while the program's own files were written.
    RemoveLeftoverReplacement(g_settings.path);
    RemoveLeftoverReplacement(g_recent.file);

    Found found;
    FindSnapshots(folder, found);
    if (found.items.count == 0 && found.damaged == 0) {
        RemoveDirectoryW(folder);
        return;
    }
    CheckPaths(found);
    for (int i = 0; i < found.items.count; ++i)
        RemoveLeftoverReplacement(found.items[i].snapshot->path);
    if (AskToRestore(found)) {
        Restore(found);
    } else {
        // Only what was read whole goes: a damaged snapshot stays aside,
        // one unread stays for the next start.
        for (int i = 0; i < found.items.count; ++i) {
            if (found.items[i].whole)
                DeleteFileW(found.items[i].snapshot->file);
        }
        RemoveDirectoryW(folder);
    }
}

void EndRecovery()
{
    DropAllSnapshots();
    SetSnapshotFolder(L"");
    SetSnapshotTroubleNotice(nullptr, 0);
    g_troubleKept = false;
}

void OnSnapshotTrouble(DWORD reason)
{
    // Never over a question or dialog: told once the device is free.
    if (ModalBusy()) {
        g_keptTrouble = reason;
        g_troubleKept = true;
        NotifyWhenModalEnds();
        return;
    }
    g_troubleKept = false;
    wchar_t text[800];
    if (reason == ERROR_DISK_FULL)
        CopyUnits(text, g_lang.Lookup(L"snapshot_full",
                                      L"Недостаточно места: несохранённые тексты не удаётся "
                                      L"сохранить на случай сбоя. Освободите место или сохраните "
                                      L"документы."));
    else
        SubstituteFirst(g_lang.Lookup(L"snapshot_denied",
                                      L"Папка %s недоступна для записи: несохранённые тексты не "
                                      L"удаётся сохранить на случай сбоя. Сохраните документы."),
                        L"%s", SnapshotFolder(), text, ARRAYSIZE(text));
    ShowNotice(g_app.mainWindow, nullptr, text, MB_ICONWARNING);
}

void ShowKeptSnapshotTrouble()
{
    if (g_troubleKept)
        OnSnapshotTrouble(g_keptTrouble);
}
