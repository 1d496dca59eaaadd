#include "storage/text_codec.h"

#include "storage/lang_loader.h"

namespace {

// Room kept after every loaded text for the ".LOG" stamp (22 units).
const int kSpareUnits = 400;

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
    LONG size = 0;
    if (Open(path, L"r")) {
        size = GetSize32();
    } else if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        // There is a file, but it cannot be read: loading it as empty text
        // would let the next save wipe it out.
        FailRead();
        return;
    }
    // A file that does not exist loads as empty text (size 0).
    if (size < 0) {
        FailRead();
        return;
    }

    int chosen = DecideEncoding(requested, size);
    if (!succeeded)
        return;
    int units = 0;
    bool ok = chosen == ENC_UTF16 ? ReadUtf16(size, &units) : ReadCodePage(chosen, size, &units);
    if (!ok) {
        FailRead();
        return;
    }
    encoding = chosen;
    ApplyLineFeedRule(&units);
    FinishLoad(units);
}

int CTextFileIO::DecideEncoding(int requested, LONG size)
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
    // more typical than in a header; the offset may be odd.
    unsigned char sample[600];
    DWORD offset = size > 700 ? (DWORD)(size / 2 - 300) : 0;
    DWORD n = size < 600 ? (DWORD)size : 600;
    Seek((LONG)offset, 0, FILE_BEGIN);
    if (!Read(sample, n, &got)) {
        FailRead();
        return requested;
    }
    return DetectEncoding(sample, (int)got);
}

bool CTextFileIO::ReadUtf16(LONG size, int* units)
{
    Seek((LONG)bomLength, 0, FILE_BEGIN);
    wideText = new wchar_t[size + kSpareUnits]();
    DWORD want = (DWORD)size - bomLength;
    DWORD got = 0;
    if (want > 0 && (!Read(wideText, want, &got) || got != want))
        return false;
    // A final odd byte is the low byte of one more unit.
    int total = (int)((want + 1) / 2);
    *units = UnitsBefore(wideText, total);
    truncated = *units < total;
    return true;
}

bool CTextFileIO::ReadCodePage(int codePage, LONG size, int* units)
{
    Seek((LONG)bomLength, 0, FILE_BEGIN);
    wideText = new wchar_t[size + kSpareUnits]();
    byteText = new unsigned char[size + 10]();
    DWORD want = (DWORD)size - bomLength;
    DWORD got = 0;
    if (want > 0 && (!Read(byteText, want, &got) || got != want))
        return false;
    // The conversion stops at the first zero byte; what follows it is not
    // shown, so the document is then only the start of the file.
    int converted = MultiByteToWideChar((UINT)codePage, 0, (const char*)byteText, -1, wideText,
                                        size + 1);
    *units = converted > 0 ? converted - 1 : 0;
    wideText[*units] = 0;
    truncated = memchr(byteText, 0, want) != nullptr;
    return true;
}

void CTextFileIO::ApplyLineFeedRule(int* units)
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
        return;

    flags |= CODEC_BARE_LF;
    int feeds = 0;
    for (int i = first; i < n; ++i)
        feeds += text[i] == L'\n';
    wchar_t* rebuilt = new wchar_t[n + feeds + kSpareUnits]();
    int out = 0;
    for (int i = 0; i < n; ++i) {
        if (text[i] == L'\n')
            rebuilt[out++] = L'\r';
        rebuilt[out++] = text[i];
    }
    delete[] wideText;
    wideText = rebuilt;
    *units = out;
}

void CTextFileIO::FinishLoad(int units)
{
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

    SetWindowTextW(edit, wideText);
    if (stamped) {
        SendMessageW(edit, EM_SETSEL, units, units);
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    }
}

void CTextFileIO::FetchEditText(int* units)
{
    int n = GetWindowTextLengthW(edit);
    wideText = new wchar_t[n + 1]();
    n = n > 0 ? GetWindowTextW(edit, wideText, n + 1) : 0;
    if (flags & CODEC_BARE_LF)
        n = DropCarriageReturns(wideText, n);
    *units = n;
}

void CTextFileIO::RunSave(int chosen)
{
    encoding = chosen;
    bool ok = true;
    if (chosen == ENC_UTF16) {
        static const unsigned char mark[2] = { 0xFF, 0xFE };
        if (flags & CODEC_BOM)
            ok = Write(mark, 2);
        int n = 0;
        FetchEditText(&n);
        if (!Write(wideText, (DWORD)n * sizeof(wchar_t))) {
            ShowNotice(Owner(), L"err_write", L"Ошибка записи файла!", MB_ICONERROR);
            ok = false;
        }
    } else {
        static const unsigned char mark[3] = { 0xEF, 0xBB, 0xBF };
        if ((flags & CODEC_BOM) && chosen == ENC_UTF8)
            ok = Write(mark, 3);
        int n = 0;
        FetchEditText(&n);
        // Up to three bytes a unit (UTF-8; a surrogate pair gives four for two).
        int capacity = 3 * n + 4;
        byteText = new unsigned char[capacity]();
        int bytes = 0;
        if (n > 0) {
            bytes = WideCharToMultiByte((UINT)chosen, 0, wideText, -1, (char*)byteText, capacity,
                                        nullptr, nullptr);
            bytes = bytes > 0 ? bytes - 1 : -1;
        }
        if (bytes < 0 || !Write(byteText, (DWORD)bytes)) {
            ShowNotice(Owner(), L"err_write", L"Ошибка записи файла!", MB_ICONERROR);
            ok = false;
        }
    }
    succeeded = ok;
}
