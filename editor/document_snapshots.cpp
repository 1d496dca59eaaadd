#include "editor/document_snapshots.h"

#include <new>
#include <stdlib.h>
#include <wchar.h>

#include "app/app_state.h"
#include "editor/document.h"
#include "storage/atomic_file.h"
#include "storage/file_io.h"
#include "storage/grow_array.h"
#include "storage/wide_text.h"

namespace {

// A snapshot file: UTF-16 LE, the header lines, an empty line, the text.
const wchar_t kMagic[] = L"Quillex snapshot";
const wchar_t kPrefix[] = L"Document";
const wchar_t kSuffix[] = L".snapshot";
// No document holds more (the edit windows' limit), with room for a header.
const DWORD kMostBytes = 8u << 20;

struct Record {
    CDocument* document;
    wchar_t file[MAX_PATH];
    bool dirty;
    int writtenOrder;
};

wchar_t g_folder[MAX_PATH];
CGrowArray<Record> g_records;
UINT_PTR g_timer = 0;
int g_nextNumber = 1;

int FindRecord(CDocument* document)
{
    for (int i = 0; i < g_records.count; ++i) {
        if (g_records[i].document == document)
            return i;
    }
    return -1;
}

int TabOrder(CDocument* document)
{
    for (int i = 0; i < g_app.documents.count; ++i) {
        if (g_app.documents[i] == document)
            return i;
    }
    return -1;
}

void CALLBACK OnSnapshotTimer(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(nullptr, g_timer);
    g_timer = 0;
    WriteDueSnapshots();
}

void ArmTimer()
{
    if (!g_timer)
        g_timer = SetTimer(nullptr, 0, SNAPSHOT_DELAY_MS, OnSnapshotTimer);
}

// A file name no snapshot uses yet.
bool NewSnapshotFile(wchar_t* file)
{
    for (int tries = 0; tries < 10000; ++tries) {
        int number = g_nextNumber++;
        if (FAILED(StringCchPrintfW(file, MAX_PATH, L"%s\\%s%d%s", g_folder, kPrefix, number,
                                    kSuffix)))
            return false;
        if (GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES)
            return true;
    }
    return false;
}

void RemoveRecord(int index)
{
    DeleteFileW(g_records[index].file);
    for (int i = index; i + 1 < g_records.count; ++i)
        g_records[i] = g_records[i + 1];
    g_records.count--;
    // With the last snapshot gone the folder goes too: a clean end leaves
    // nothing behind.
    if (g_records.count == 0 && g_folder[0])
        RemoveDirectoryW(g_folder);
}

bool WriteSnapshot(Record& record, int order)
{
    CDocument* document = record.document;
    int units = document->GetTextLength();
    wchar_t header[400];
    if (FAILED(StringCchPrintfW(header, 400,
                                L"%s\r\nOrder=%d\r\nEncoding=%d\r\nFlags=%lu\r\nTruncated=%d\r\n"
                                L"Units=%d\r\nPath=%s\r\n\r\n",
                                kMagic, order, document->encoding,
                                (unsigned long)document->codecFlags, document->truncated ? 1 : 0,
                                units, document->path)))
        return false;
    int headerUnits = (int)wcslen(header);
    wchar_t* buffer = new (std::nothrow) wchar_t[headerUnits + units + 1];
    if (!buffer)
        return false;
    memcpy(buffer, header, headerUnits * sizeof(wchar_t));
    buffer[headerUnits] = 0;
    int got = units > 0 ? document->GetText(buffer + headerUnits) : 0;
    // The header names the count: a text that came back shorter would not
    // read back as a snapshot.
    bool ok = got == units;
    if (ok) {
        CreateDirectoryW(g_folder, nullptr);
        ok = WriteFileAtomically(record.file, buffer, (DWORD)(headerUnits + units) * sizeof(wchar_t));
    }
    delete[] buffer;
    if (ok) {
        record.dirty = false;
        record.writtenOrder = order;
    }
    return ok;
}

// An untitled document emptied completely is dropped without a question,
// so it needs no snapshot either.
bool WorthKeeping(CDocument* document)
{
    return document->modified && (document->HasFileName() || document->GetTextLength() > 0);
}

// Parses "Key=" at `line` and the number after it.
bool ReadNumber(const wchar_t* line, const wchar_t* key, long* value)
{
    size_t n = wcslen(key);
    if (wcsncmp(line, key, n) != 0 || line[n] != L'=')
        return false;
    wchar_t* end = nullptr;
    *value = wcstol(line + n + 1, &end, 10);
    return end != line + n + 1 && *end == L'\r';
}

}

Snapshot::Snapshot()
    : file(), path(), order(0), encoding(0), flags(0), truncated(false), text(nullptr), units(0)
{
}

Snapshot::~Snapshot()
{
    delete[] text;
}

void SetSnapshotFolder(const wchar_t* folder)
{
    CopyUnits(g_folder, MAX_PATH, folder);
}

const wchar_t* SnapshotFolder()
{
    return g_folder;
}

void NoteDocumentChange(CDocument* document)
{
    if (!g_folder[0])
        return;
    int index = FindRecord(document);
    if (index < 0) {
        Record record = {};
        record.document = document;
        record.writtenOrder = -1;
        if (!NewSnapshotFile(record.file) || (index = g_records.Append(record)) < 0)
            return;
    }
    g_records[index].dirty = true;
    ArmTimer();
}

void WriteDueSnapshots()
{
    for (int i = g_records.count - 1; i >= 0; --i) {
        Record& record = g_records[i];
        if (!WorthKeeping(record.document)) {
            RemoveRecord(i);
            continue;
        }
        int order = TabOrder(record.document);
        if (record.dirty || order != record.writtenOrder)
            WriteSnapshot(record, order);
    }
}

void RefreshSnapshot(CDocument* document)
{
    int index = FindRecord(document);
    if (index >= 0 && g_records[index].dirty && WorthKeeping(document))
        WriteSnapshot(g_records[index], TabOrder(document));
}

void DropSnapshot(CDocument* document)
{
    int index = FindRecord(document);
    if (index < 0)
        return;
    RemoveRecord(index);
    // The tabs after a closed one move up: their snapshots follow.
    if (g_records.count > 0)
        ArmTimer();
}

void DropAllSnapshots()
{
    while (g_records.count > 0)
        RemoveRecord(g_records.count - 1);
}

int SnapshotCount()
{
    return g_records.count;
}

bool IsSnapshotFileName(const wchar_t* name)
{
    size_t prefix = wcslen(kPrefix), suffix = wcslen(kSuffix), n = wcslen(name);
    if (n <= prefix + suffix || wcsncmp(name, kPrefix, prefix) != 0 ||
        lstrcmpiW(name + n - suffix, kSuffix) != 0)
        return false;
    for (size_t i = prefix; i < n - suffix; ++i) {
        if (name[i] < L'0' || name[i] > L'9')
            return false;
    }
    return true;
}

bool ReadSnapshot(const wchar_t* file, Snapshot* snapshot)
{
    CopyUnits(snapshot->file, MAX_PATH, file);
    CFileIO io;
    if (!io.Open(file, L"r"))
        return false;
    ULONGLONG size = io.GetSize();
    wchar_t* buffer = size <= kMostBytes ? new (std::nothrow) wchar_t[(size_t)size / 2 + 1] : nullptr;
    DWORD got = 0;
    bool read = buffer && (size == 0 || io.Read(buffer, (DWORD)size, &got)) && got == size;
    io.Close();
    if (!read) {
        delete[] buffer;
        return false;
    }
    int total = (int)(got / 2);
    buffer[total] = 0;

    // The header's lines, each ended by CR LF, then an empty line.
    long order = -1, encoding = 0, flags = 0, truncated = 0, units = -1;
    bool magic = false, path = false, ended = false;
    int at = 0;
    for (int line = 0; at < total && !ended; ++line) {
        const wchar_t* text = buffer + at;
        const wchar_t* end = wcsstr(text, L"\r\n");
        if (!end)
            break;
        int length = (int)(end - text);
        at += length + 2;
        ended = length == 0;
        if (ended)
            break;
        if (line == 0)
            magic = length == (int)wcslen(kMagic) && wcsncmp(text, kMagic, length) == 0;
        else if (wcsncmp(text, L"Path=", 5) == 0)
            path = length - 5 < (int)ARRAYSIZE(snapshot->path) &&
                   CopyUnits(snapshot->path, text + 5, length - 5) >= 0;
        else if (!ReadNumber(text, L"Order", &order) && !ReadNumber(text, L"Encoding", &encoding) &&
                 !ReadNumber(text, L"Flags", &flags) && !ReadNumber(text, L"Truncated", &truncated))
            ReadNumber(text, L"Units", &units);
    }
    // Only a whole snapshot counts: its text has exactly the units named.
    bool whole = magic && path && ended && order >= 0 && units >= 0 && total - at == units;
    if (whole) {
        snapshot->text = new (std::nothrow) wchar_t[units + 1];
        whole = snapshot->text != nullptr;
    }
    if (whole) {
        memcpy(snapshot->text, buffer + at, units * sizeof(wchar_t));
        snapshot->text[units] = 0;
        snapshot->units = (int)units;
        snapshot->order = (int)order;
        snapshot->encoding = (int)encoding;
        snapshot->flags = (DWORD)flags;
        snapshot->truncated = truncated != 0;
    }
    delete[] buffer;
    return whole;
}

void AdoptSnapshot(CDocument* document, const Snapshot& snapshot)
{
    Record record = {};
    record.document = document;
    CopyUnits(record.file, MAX_PATH, snapshot.file);
    record.writtenOrder = snapshot.order;
    if (g_records.Append(record) >= 0)
        ArmTimer();
}
