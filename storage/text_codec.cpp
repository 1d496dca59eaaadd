#include "storage/text_codec.h"

#include <new>

#include "storage/encoding_detect.h"
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
      edit(editWindow), bomLength(0), succeeded(true), truncated(false)
{
    if (load)
        RunLoad(path, requested);
    else if (Open(path, L"cw"))
        RunSave(requested == ENC_AUTO ? ENC_ANSI : requested);
    else {
        encoding = requested == ENC_AUTO ? ENC_ANSI : requested;
        succeeded = false;
        ShowNotice(Owner(), L"err_write", L"Ошибка записи файла!", MB_ICONERROR);
    }
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
    if (units > TEXT_UNIT_LIMIT || cut) {
        ShowNotice(Owner(), L"err_big_file",
                   L"Файл слишком большой. Возможно загрузить только начало.",
                   MB_ICONINFORMATION);
        if (units > TEXT_UNIT_LIMIT)
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

    SetWindowTextW(edit, wideText);
    if (stamped) {
        SendMessageW(edit, EM_SETSEL, units, units);
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    }
}

bool CTextFileIO::FetchEditText(int* units)
{
    int n = GetWindowTextLengthW(edit);
    wideText = new (std::nothrow) wchar_t[n + 1]();
    if (!wideText)
        return false;
    n = n > 0 ? GetWindowTextW(edit, wideText, n + 1) : 0;
    if (flags & CODEC_BARE_LF)
        n = DropCarriageReturns(wideText, n);
    *units = n;
    return true;
}

bool CTextFileIO::WriteUtf16()
{
    static const unsigned char mark[2] = { 0xFF, 0xFE };
    int n = 0;
    return (!(flags & CODEC_BOM) || Write(mark, 2)) && FetchEditText(&n) &&
           Write(wideText, (DWORD)n * sizeof(wchar_t));
}

bool CTextFileIO::WriteCodePage(int codePage)
{
    static const unsigned char mark[3] = { 0xEF, 0xBB, 0xBF };
    if ((flags & CODEC_BOM) && codePage == ENC_UTF8 && !Write(mark, 3))
        return false;
    int n = 0;
    if (!FetchEditText(&n))
        return false;
    // Up to three bytes a unit (UTF-8; a surrogate pair gives four for two).
    ULONGLONG capacity = 3ull * (ULONGLONG)n + 4;
    if (capacity > 0x7FFFFFFF)
        return false;
    byteText = new (std::nothrow) unsigned char[(size_t)capacity]();
    if (!byteText)
        return false;
    int bytes = 0;
    if (n > 0) {
        bytes = WideCharToMultiByte((UINT)codePage, 0, wideText, -1, (char*)byteText,
                                    (int)capacity, nullptr, nullptr);
        if (bytes <= 0)
            return false;
        --bytes;
    }
    return Write(byteText, (DWORD)bytes);
}

void CTextFileIO::RunSave(int chosen)
{
    encoding = chosen;
    // A mark that could not be written fails the save like the text itself.
    succeeded = chosen == ENC_UTF16 ? WriteUtf16() : WriteCodePage(chosen);
    if (!succeeded)
        ShowNotice(Owner(), L"err_write", L"Ошибка записи файла!", MB_ICONERROR);
}
