#include "storage/text_codec.h"

#include <new>

#include "storage/atomic_file.h"
#include "storage/encoding_detect.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"

namespace {

// Room kept after every loaded text for the ".LOG" stamp (22 units).
const int kSpareUnits = 400;

// No unit takes more than four bytes in any of the encodings, so this many
// bytes always give more units than a document holds; the rest of a larger
// file could not be shown anyway, and reading it whole would need more memory
// than the handheld has (or, from 4 GiB on, than a 32-bit size can count).
const DWORD kMostBytesRead = 4 * (TEXT_UNIT_LIMIT + 1);

// Units of a zero-terminated text, never looking past `limit`.
int UnitsBefore(const wchar_t* text, int limit)
{
    int n = 0;
    while (n < limit && text[n] != 0)
        ++n;
    return n;
}

// Drops every carriage return from text[0, units); returns the new length.
int DropCarriageReturns(wchar_t* text, int units)
{
    int out = 0;
    for (int i = 0; i < units; ++i) {
        if (text[i] != L'\r')
            text[out++] = text[i];
    }
    text[out] = 0;
    return out;
}

bool StartsWithLogMark(const wchar_t* text)
{
    static const wchar_t mark[] = L".LOG";
    for (int i = 0; i < 4; ++i) {
        wchar_t c = text[i];
        if (c >= L'a' && c <= L'z')
            c = (wchar_t)(c - L'a' + L'A');
        if (c != mark[i])
            return false;
    }
    return true;
}

}

CTextFileIO::CTextFileIO(const wchar_t* path, bool load, HWND editWindow, int requested,
                         DWORD flagsGiven)
    : encoding(requested), flags(flagsGiven), wideText(nullptr), byteText(nullptr),
      edit(editWindow), bomLength(0), beyond(0), succeeded(true), truncated(false)
{
    if (load)
        RunLoad(path, requested);
    else
        RunSave(path, requested == ENC_AUTO ? ENC_ANSI : requested);
}

CTextFileIO::~CTextFileIO()
{
    delete[] wideText;
    delete[] byteText;
    Close();
}

HWND CTextFileIO::Owner() const
{
    return edit ? GetAncestor(edit, GA_ROOT) : nullptr;
}

void CTextFileIO::FailRead()
{
    succeeded = false;
    ShowNotice(Owner(), L"err_read", L"Не удаётся прочитать файл!", MB_ICONERROR);
}

void CTextFileIO::RunLoad(const wchar_t* path, int requested)
{
    // A file that does not exist loads as empty text (size 0). One that
    // exists but cannot be read is no empty text: that would let the next
    // save wipe it out.
    ULONGLONG size = 0;
    if (Open(path, L"r")) {
        size = GetSize();
    } else if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        FailRead();
        return;
    }

    int chosen = DecideEncoding(requested, size);
    if (!succeeded)
        return;
    ULONGLONG rest = size - bomLength;
    bool cut = rest > kMostBytesRead;
    DWORD bytes = cut ? kMostBytesRead : (DWORD)rest;
    int units = 0;
    bool ok = chosen == ENC_UTF16 ? ReadUtf16(bytes, &units) : ReadCodePage(chosen, bytes, &units);
    // Where the text runs on past what was read, so may its first line.
    if (ok && cut && !truncated)
        beyond = bomLength + bytes;
    if (!ok || !ApplyLineFeedRule(&units)) {
        FailRead();
        return;
    }
    encoding = chosen;
    FinishLoad(units, cut);
}

int CTextFileIO::DecideEncoding(int requested, ULONGLONG size)
{
    unsigned char head[3] = {};
    DWORD got = 0;
    if (size > 0 && !Read(head, size < 3 ? (DWORD)size : 3, &got)) {
        FailRead();
        return requested;
    }
    if (got >= 2 && head[0] == 0xFF && head[1] == 0xFE &&
        (requested == ENC_AUTO || requested == ENC_UTF16)) {
        flags |= CODEC_BOM;
        bomLength = 2;
        return ENC_UTF16;
    }
    if (got >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF &&
        (requested == ENC_AUTO || requested == ENC_UTF8)) {
        flags |= CODEC_BOM;
        bomLength = 3;
        return ENC_UTF8;
    }
    if (requested != ENC_AUTO)
        return requested;
    if (size <= 2)
        return ENC_WIN1251;

    // The sample comes from the middle of a larger file, where the text is
    // more typical than in a header. It starts on an even offset: a UTF-16
    // text read from the middle of a unit looks like anything but UTF-16.
    unsigned char sample[600];
    ULONGLONG offset = size > 700 ? (size / 2 - 300) & ~1ull : 0;
    DWORD n = size < sizeof(sample) ? (DWORD)size : (DWORD)sizeof(sample);
    Seek((LONG)(DWORD)offset, (LONG)(DWORD)(offset >> 32), FILE_BEGIN);
    if (!Read(sample, n, &got)) {
        FailRead();
        return requested;
    }
    return DetectEncoding(sample, (int)got);
}

bool CTextFileIO::ReadUtf16(DWORD bytes, int* units)
{
    Seek((LONG)bomLength, 0, FILE_BEGIN);
    wideText = new (std::nothrow) wchar_t[bytes / 2 + kSpareUnits]();
    DWORD got = 0;
    if (!wideText || (bytes > 0 && (!Read(wideText, bytes, &got) || got != bytes)))
        return false;
    // A final odd byte is the low byte of one more unit.
    int total = (int)((bytes + 1) / 2);
    *units = UnitsBefore(wideText, total);
    truncated = *units < total;
    return true;
}

bool CTextFileIO::ReadCodePage(int codePage, DWORD bytes, int* units)
{
    Seek((LONG)bomLength, 0, FILE_BEGIN);
    wideText = new (std::nothrow) wchar_t[bytes + kSpareUnits]();
    byteText = new (std::nothrow) unsigned char[bytes + 10]();
    DWORD got = 0;
    if (!wideText || !byteText || (bytes > 0 && (!Read(byteText, bytes, &got) || got != bytes)))
        return false;
    // The conversion stops at the first zero byte; what follows it is not
    // shown, so the document is then only the start of the file.
    int converted = MultiByteToWideChar((UINT)codePage, 0, (const char*)byteText, -1, wideText,
                                        (int)bytes + 1);
    // No conversion at all (a code page the device lacks) is no text: an
    // empty document in its place would empty the file at the next save.
    if (converted <= 0)
        return false;
    // The count need not include a terminator: bytes ending in an incomplete
    // UTF-8 sequence take the terminating zero into that sequence.
    *units = UnitsBefore(wideText, converted);
    wideText[*units] = 0;
    truncated = memchr(byteText, 0, bytes) != nullptr;
    return true;
}

bool CTextFileIO::ApplyLineFeedRule(int* units)
{
    wchar_t* text = wideText;
    int n = *units;
    int first = -1;
    for (int i = 0; i < n; ++i) {
        if (text[i] == L'\n') {
            first = i;
            break;
        }
    }
    // Only a file whose first line feed stands alone counts as a bare-LF file.
    if (first < 0 && beyond > 0 && FirstLineFeedBeyondIsBare(n > 0 ? LastUnitRead(n) : 0))
        flags |= CODEC_BARE_LF;
    if (first <= 0 || text[first - 1] == L'\r')
        return true;

    flags |= CODEC_BARE_LF;
    int feeds = 0;
    for (int i = first; i < n; ++i)
        feeds += text[i] == L'\n';
    wchar_t* rebuilt = new (std::nothrow) wchar_t[n + feeds + kSpareUnits]();
    if (!rebuilt)
        return false;
    int out = 0;
    for (int i = 0; i < n; ++i) {
        if (text[i] == L'\n')
            rebuilt[out++] = L'\r';
        rebuilt[out++] = text[i];
    }
    delete[] wideText;
    wideText = rebuilt;
    *units = out;
    return true;
}

void CTextFileIO::FinishLoad(int units, bool cut)
{
    // The message is for a text cut at the limit. A file cut at the read
    // cap always has more units than that, unless a NUL ended its text
    // earlier: that text is only the start of the file, but not too big.
    if (cut)
        truncated = true;
    if (units > TEXT_UNIT_LIMIT) {
        ShowNotice(Owner(), L"err_big_file",
                   L"Файл слишком большой. Возможно загрузить только начало.",
                   MB_ICONINFORMATION);
        units = TEXT_UNIT_LIMIT;
        wideText[units] = 0;
        truncated = true;
    }

    bool stamped = false;
    if (units >= 4 && StartsWithLogMark(wideText)) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        // The buffer always keeps kSpareUnits free after the text.
        StringCchPrintfW(wideText + units, kSpareUnits, L"\r\n\r\n%.2d:%.2d %.2d.%.2d.%.4d\r\n",
                         now.wHour, now.wMinute, now.wDay, now.wMonth, now.wYear);
        units += (int)wcslen(wideText + units);
        stamped = true;
    }

    SetLongEditText(edit, wideText);
    if (stamped) {
        SendMessageW(edit, EM_SETSEL, units, units);
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    }
}

unsigned CTextFileIO::LastUnitRead(int units) const
{
    // The UTF-16 reader has no byte buffer.
    return byteText ? (unsigned)byteText[beyond - bomLength - 1] : (unsigned)wideText[units - 1];
}

bool CTextFileIO::FirstLineFeedBeyondIsBare(unsigned previous)
{
    // Read on in small chunks: the rest of the file may be far larger than
    // the memory there is, and only its first line end matters.
    bool wide = byteText == nullptr;
    unsigned char chunk[4096];
    Seek((LONG)beyond, 0, FILE_BEGIN);
    for (;;) {
        DWORD got = 0;
        if (!Read(chunk, sizeof(chunk), &got) || got == 0)
            return false;
        DWORD step = wide ? 2 : 1;
        for (DWORD i = 0; i < got; i += step) {
            unsigned unit = chunk[i];
            if (wide && i + 1 < got)
                unit |= (unsigned)chunk[i + 1] << 8;
            // The text, like its conversion, ends at a zero unit.
            if (unit == 0)
                return false;
            if (unit == L'\n')
                return previous != L'\r';
            previous = unit;
        }
    }
}

bool CTextFileIO::FetchEditText(int offset, int* units)
{
    int n = GetWindowTextLengthW(edit);
    wideText = new (std::nothrow) wchar_t[offset + n + 1]();
    if (!wideText)
        return false;
    wchar_t* text = wideText + offset;
    n = n > 0 ? GetWindowTextW(edit, text, n + 1) : 0;
    if (flags & CODEC_BARE_LF)
        n = DropCarriageReturns(text, n);
    *units = n;
    return true;
}

bool CTextFileIO::MakeUtf16Bytes(const void** bytes, DWORD* count)
{
    // The mark, when asked for, is the text's first unit: FF FE on disk.
    int mark = (flags & CODEC_BOM) ? 1 : 0;
    int n = 0;
    if (!FetchEditText(mark, &n))
        return false;
    if (mark)
        wideText[0] = 0xFEFF;
    *bytes = wideText;
    *count = (DWORD)(mark + n) * sizeof(wchar_t);
    return true;
}

bool CTextFileIO::MakeCodePageBytes(int codePage, const void** bytes, DWORD* count)
{
    static const unsigned char utf8Mark[3] = { 0xEF, 0xBB, 0xBF };
    // No other code page ever gets a mark.
    int mark = (flags & CODEC_BOM) && codePage == ENC_UTF8 ? 3 : 0;
    int n = 0;
    if (!FetchEditText(0, &n))
        return false;
    // Up to three bytes a unit (UTF-8; a surrogate pair gives four for two).
    ULONGLONG capacity = 3ull * (ULONGLONG)n + 4;
    if (capacity + mark > 0x7FFFFFFF)
        return false;
    byteText = new (std::nothrow) unsigned char[(size_t)capacity + mark]();
    if (!byteText)
        return false;
    memcpy(byteText, utf8Mark, mark);
    int converted = 0;
    if (n > 0) {
        converted = WideCharToMultiByte((UINT)codePage, 0, wideText, -1, (char*)byteText + mark,
                                        (int)capacity, nullptr, nullptr);
        if (converted <= 0)
            return false;
        --converted;
    }
    *bytes = byteText;
    *count = (DWORD)(mark + converted);
    return true;
}

void CTextFileIO::RunSave(const wchar_t* path, int chosen)
{
    encoding = chosen;
    // Every byte is made before the file is touched: a failed conversion
    // or a lack of memory leaves it as it was.
    const void* bytes = nullptr;
    DWORD count = 0;
    succeeded = (chosen == ENC_UTF16 ? MakeUtf16Bytes(&bytes, &count)
                                     : MakeCodePageBytes(chosen, &bytes, &count)) &&
                WriteFileAtomically(path, bytes, count);
    if (!succeeded)
        ShowNotice(Owner(), L"err_write", L"Ошибка записи файла!", MB_ICONERROR);
}
