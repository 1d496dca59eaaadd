#include "editor/document_snapshots.h"

#include <new>
#include <stdlib.h>
#include <wchar.h>

#include "storage/atomic_file.h"
#include "storage/device_names.h"
#include "storage/encodings.h"
#include "storage/file_io.h"
#include "storage/grow_array.h"
#include "storage/text_convert.h"
#include "storage/wide_text.h"

namespace {

// A snapshot file: UTF-16 LE, the header lines, an empty line, the text.
// The checksum (CRC-32 of the bytes after its own line) covers the rest of
// the header and the text.
const wchar_t kMagic[] = L"Quillex snapshot";
const int kVersion = 2;
const wchar_t kChecksumKey[] = L"Checksum=";
const wchar_t kPrefix[] = L"Document";
const wchar_t kSuffix[] = L".snapshot";
// No document holds more (the edit windows' limit), with room for a header.
const DWORD kMostBytes = 8u << 20;
// A header is a few short lines and a path.
const int kMostHeaderUnits = 1024;
// Less room than this on the storage is a full storage.
const ULONGLONG kFewBytes = 1u << 20;

struct Record {
    SnapshotSubject* document;
    wchar_t file[MAX_PATH];
    bool dirty;
    int writtenOrder;
    // The file exists: a text saved within the delay never had one.
    bool onDisk;
};

wchar_t g_folder[MAX_PATH];
CGrowArray<Record> g_records;
UINT_PTR g_timer = 0;
int g_nextNumber = 1;
SnapshotTabOrder g_tabOrder = nullptr;
HWND g_troubleWindow = nullptr;
UINT g_troubleMessage = 0;
// Set by the first failure after a success: the user is told once.
bool g_failing = false;
UINT g_retryDelay = SNAPSHOT_DELAY_MS;
// The folder may hold snapshots of this run: made for one, or holding those
// taken over at start-up. False once it was removed.
bool g_folderUsed = false;

DWORD Crc32(DWORD crc, const void* bytes, size_t count)
{
    static DWORD table[256];
    if (!table[1]) {
        for (DWORD n = 0; n < 256; ++n) {
            DWORD c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    const BYTE* p = (const BYTE*)bytes;
    crc = ~crc;
    for (size_t i = 0; i < count; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

int FindRecord(SnapshotSubject* document)
{
    for (int i = 0; i < g_records.count; ++i) {
        if (g_records[i].document == document)
            return i;
    }
    return -1;
}

int TabOrder(SnapshotSubject* document)
{
    return g_tabOrder ? g_tabOrder(document) : -1;
}

void CALLBACK OnSnapshotTimer(HWND, UINT, UINT_PTR, DWORD);

void ArmTimer(UINT delay)
{
    if (!g_timer)
        g_timer = SetTimer(nullptr, 0, delay, OnSnapshotTimer);
}

void StopTimer()
{
    if (g_timer)
        KillTimer(nullptr, g_timer);
    g_timer = 0;
}

// Writes what is due; what failed is tried again later, each time a little
// later, up to the retry delay: never a busy loop on a full card.
void CALLBACK OnSnapshotTimer(HWND, UINT, UINT_PTR, DWORD)
{
    StopTimer();
    if (WriteDueSnapshots())
        return;
    g_retryDelay = g_retryDelay * 2 < SNAPSHOT_RETRY_MS ? g_retryDelay * 2 : SNAPSHOT_RETRY_MS;
    ArmTimer(g_retryDelay);
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
    if (g_records[index].onDisk)
        DeleteFileW(g_records[index].file);
    for (int i = index; i + 1 < g_records.count; ++i)
        g_records[i] = g_records[i + 1];
    g_records.count--;
    // With the last snapshot gone the folder goes too: a clean end leaves
    // nothing behind.
    if (g_records.count == 0 && g_folder[0] && g_folderUsed) {
        RemoveDirectoryW(g_folder);
        g_folderUsed = false;
    }
}

// The header's lines up to the empty one, the checksum's digits still zero.
bool FormatHeader(const SnapshotFields& fields, int order, int units, wchar_t* header, int capacity)
{
    return SUCCEEDED(StringCchPrintfW(
        header, capacity,
        L"%s\r\nVersion=%d\r\n%s00000000\r\nOrder=%d\r\nEncoding=%d\r\nFlags=%lu\r\n"
        L"Truncated=%d\r\nUnits=%d\r\nPath=%s\r\n\r\n",
        kMagic, kVersion, kChecksumKey, order < 0 ? 0 : order, fields.encoding,
        (unsigned long)fields.flags, fields.truncated ? 1 : 0, units, fields.path));
}

// Where the checked part of a snapshot begins: after the checksum's line.
const wchar_t* AfterChecksum(const wchar_t* text)
{
    const wchar_t* key = wcsstr(text, kChecksumKey);
    const wchar_t* end = key ? wcsstr(key, L"\r\n") : nullptr;
    return end ? end + 2 : nullptr;
}

bool WriteSnapshot(Record& record, int order)
{
    SnapshotSubject* document = record.document;
    int units = 0;
    wchar_t* text = document->SnapshotText(&units);
    if (!text)
        return false;
    wchar_t header[kMostHeaderUnits];
    bool ok = FormatHeader(document->SnapshotHeader(), order, units, header, kMostHeaderUnits);
    int headerUnits = ok ? (int)wcslen(header) : 0;
    wchar_t* buffer = ok ? new (std::nothrow) wchar_t[headerUnits + units + 1] : nullptr;
    if (buffer) {
        memcpy(buffer, header, headerUnits * sizeof(wchar_t));
        memcpy(buffer + headerUnits, text, units * sizeof(wchar_t));
        buffer[headerUnits + units] = 0;
        wchar_t* checked = (wchar_t*)AfterChecksum(buffer);
        DWORD crc = Crc32(0, checked, (buffer + headerUnits + units - checked) * sizeof(wchar_t));
        wchar_t digits[9];
        StringCchPrintfW(digits, 9, L"%08lX", (unsigned long)crc);
        memcpy(checked - 10, digits, 8 * sizeof(wchar_t));
        CreateDirectoryW(g_folder, nullptr);
        g_folderUsed = true;
        // The same converter a save uses: UTF-16 without a mark, line ends kept.
        EncodedText encoded = {};
        ok = EncodeText(buffer, headerUnits + units, ENC_UTF16, 0, &encoded) &&
             WriteFileAtomically(record.file, encoded.bytes, encoded.count);
        delete[] encoded.bytes;
    }
    ok = ok && buffer;
    delete[] buffer;
    delete[] text;
    if (ok) {
        record.dirty = false;
        record.writtenOrder = order;
        record.onDisk = true;
    }
    return ok;
}

// Why snapshots fail, for the user: a full storage or a folder that takes
// no files.
DWORD FailureReason()
{
    ULARGE_INTEGER available = {};
    wchar_t root[MAX_PATH];
    CopyUnits(root, g_folder);
    // The folder itself may be what is missing: ask of its parent.
    wchar_t* slash = wcsrchr(root, L'\\');
    if (slash)
        *slash = 0;
    if (GetDiskFreeSpaceExW(root, &available, nullptr, nullptr) &&
        available.QuadPart < kFewBytes)
        return ERROR_DISK_FULL;
    return ERROR_ACCESS_DENIED;
}

void ReportFailure()
{
    if (g_failing)
        return;
    g_failing = true;
    if (g_troubleWindow && IsWindow(g_troubleWindow))
        PostMessageW(g_troubleWindow, g_troubleMessage, FailureReason(), 0);
}

// Parses "Key=" at `line` (ended by CR) and the number after it.
bool ReadNumber(const wchar_t* line, const wchar_t* key, long* value, int base = 10)
{
    size_t n = wcslen(key);
    if (wcsncmp(line, key, n) != 0 || line[n] != L'=')
        return false;
    wchar_t* end = nullptr;
    *value = (long)wcstoul(line + n + 1, &end, base);
    return end != line + n + 1 && *end == L'\r';
}

bool KnownEncoding(long encoding)
{
    switch (encoding) {
    case ENC_ANSI:
    case ENC_WIN1251:
    case ENC_DOS866:
    case ENC_KOI8R:
    case ENC_UTF8:
    case ENC_UTF16:
        return true;
    default:
        return false;
    }
}

// A full path to a file: a drive's or a network share's, no device, no
// wildcard, no stream.
bool IsFullFilePath(const wchar_t* path)
{
    bool drive = ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') && path[1] == L':' &&
                 path[2] == L'\\';
    bool share = path[0] == L'\\' && path[1] == L'\\' && path[2] && path[2] != L'.' &&
                 path[2] != L'?' && path[2] != L'\\';
    if (!drive && !share)
        return false;
    const wchar_t* name = path;
    for (const wchar_t* p = path + 2; *p; ++p) {
        if (*p < 32 || wcschr(L":*?\"<>|/", *p))
            return false;
        if (*p == L'\\')
            name = p + 1;
    }
    return name > path && name[0] && !HoldsDeviceName(name);
}

// The fields of a snapshot, within their ranges.
void CheckFields(Snapshot* snapshot)
{
    if (!KnownEncoding(snapshot->encoding))
        snapshot->encoding = ENC_UTF8;
    snapshot->flags &= CODEC_BOM | CODEC_BARE_LF;
    if (!IsFullFilePath(snapshot->path))
        snapshot->path[0] = 0;
    if (snapshot->order < 0)
        snapshot->order = 0;
}

}

Snapshot::Snapshot()
    : file(), path(), order(0), encoding(ENC_UTF8), flags(0), truncated(false), text(nullptr),
      units(0)
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

void SetSnapshotTabOrder(SnapshotTabOrder tabOrder)
{
    g_tabOrder = tabOrder;
}

void SetSnapshotTroubleNotice(HWND window, UINT message)
{
    g_troubleWindow = window;
    g_troubleMessage = message;
}

void NoteDocumentChange(SnapshotSubject* document)
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
    ArmTimer(SNAPSHOT_DELAY_MS);
}

bool WriteDueSnapshots()
{
    bool ok = true;
    for (int i = g_records.count - 1; i >= 0; --i) {
        Record& record = g_records[i];
        if (!record.document->NeedsSnapshot()) {
            RemoveRecord(i);
            continue;
        }
        int order = TabOrder(record.document);
        if ((record.dirty || order != record.writtenOrder) && !WriteSnapshot(record, order))
            ok = false;
    }
    if (ok) {
        g_failing = false;
        g_retryDelay = SNAPSHOT_DELAY_MS;
    } else {
        ReportFailure();
        // Whoever wrote now (a save, a check) leaves the rest to the timer.
        ArmTimer(g_retryDelay);
    }
    return ok;
}

void RefreshSnapshot(SnapshotSubject* document)
{
    int index = FindRecord(document);
    if (index >= 0 && g_records[index].dirty && document->NeedsSnapshot() &&
        !WriteSnapshot(g_records[index], TabOrder(document))) {
        ReportFailure();
        ArmTimer(g_retryDelay);
    }
}

void DropSnapshot(SnapshotSubject* document)
{
    int index = FindRecord(document);
    if (index < 0)
        return;
    RemoveRecord(index);
    // The tabs after a closed one move up: their snapshots follow.
    if (g_records.count > 0)
        ArmTimer(SNAPSHOT_DELAY_MS);
}

void DropAllSnapshots()
{
    StopTimer();
    while (g_records.count > 0)
        RemoveRecord(g_records.count - 1);
    g_failing = false;
    g_retryDelay = SNAPSHOT_DELAY_MS;
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

SnapshotRead ReadSnapshot(const wchar_t* file, Snapshot* snapshot)
{
    CopyUnits(snapshot->file, MAX_PATH, file);
    CFileIO io;
    if (!io.Open(file, L"r"))
        return SNAPSHOT_UNREADABLE;
    // More than any snapshot holds: only its start is read.
    ULONGLONG size = io.GetSize();
    DWORD wanted = size < kMostBytes ? (DWORD)size : kMostBytes;
    wchar_t* buffer = new (std::nothrow) wchar_t[wanted / 2 + 1];
    DWORD got = 0;
    bool read = buffer && (wanted == 0 || io.Read(buffer, wanted, &got)) && got == wanted;
    io.Close();
    if (!read) {
        delete[] buffer;
        return SNAPSHOT_UNREADABLE;
    }
    int total = (int)(got / 2);
    buffer[total] = 0;

    // The header's lines, each ended by CR LF, then an empty line.
    long version = 0, checksum = 0, order = -1, encoding = ENC_UTF8, flags = 0, truncated = 0,
         units = -1;
    bool magic = false, path = false, ended = false, summed = false;
    int at = 0;
    for (int line = 0; at < total && at < kMostHeaderUnits; ++line) {
        const wchar_t* text = buffer + at;
        const wchar_t* end = wcsstr(text, L"\r\n");
        if (!end)
            break;
        int length = (int)(end - text);
        at += length + 2;
        if (length == 0) {
            ended = true;
            break;
        }
        if (line == 0)
            magic = length == (int)wcslen(kMagic) && wcsncmp(text, kMagic, length) == 0;
        else if (wcsncmp(text, L"Path=", 5) == 0)
            path = length - 5 < (int)ARRAYSIZE(snapshot->path) &&
                   CopyUnits(snapshot->path, text + 5, length - 5) >= 0;
        else if (ReadNumber(text, L"Checksum", &checksum, 16))
            summed = true;
        else if (!ReadNumber(text, L"Version", &version) && !ReadNumber(text, L"Order", &order) &&
                 !ReadNumber(text, L"Encoding", &encoding) && !ReadNumber(text, L"Flags", &flags) &&
                 !ReadNumber(text, L"Truncated", &truncated))
            ReadNumber(text, L"Units", &units);
    }
    const wchar_t* checked = ended ? AfterChecksum(buffer) : nullptr;
    bool whole = magic && version == kVersion && path && ended && summed && order >= 0 &&
                 units >= 0 && (got & 1) == 0 && total - at == units && checked &&
                 Crc32(0, checked, (buffer + total - checked) * sizeof(wchar_t)) == (DWORD)checksum;

    // What came before the damage: no more than the units named, and never
    // past a run of zeros (no text holds one).
    int kept = ended ? total - at : 0;
    if (!whole && units >= 0 && units < kept)
        kept = (int)units;
    kept = (int)wcsnlen(buffer + at, kept);
    snapshot->text = new (std::nothrow) wchar_t[kept + 1];
    if (!snapshot->text) {
        delete[] buffer;
        return SNAPSHOT_UNREADABLE;
    }
    memcpy(snapshot->text, buffer + at, kept * sizeof(wchar_t));
    snapshot->text[kept] = 0;
    snapshot->units = kept;
    snapshot->order = order < 0 || order > 0xFFFF ? 0xFFFF : (int)order;
    snapshot->encoding = (int)encoding;
    snapshot->flags = (DWORD)flags;
    // A damaged text may be only the start of its file.
    snapshot->truncated = truncated != 0 || !whole;
    if (!path)
        snapshot->path[0] = 0;
    CheckFields(snapshot);
    delete[] buffer;
    return whole ? SNAPSHOT_WHOLE : SNAPSHOT_DAMAGED;
}

void AdoptSnapshot(SnapshotSubject* document, const Snapshot& snapshot, bool whole)
{
    if (!whole) {
        NoteDocumentChange(document);
        return;
    }
    Record record = {};
    record.document = document;
    CopyUnits(record.file, MAX_PATH, snapshot.file);
    record.writtenOrder = snapshot.order;
    record.onDisk = true;
    g_folderUsed = true;
    if (g_records.Append(record) >= 0)
        ArmTimer(SNAPSHOT_DELAY_MS);
}
