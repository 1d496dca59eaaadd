#include "storage/text_codec.h"

#include <new>

#include "platform/device_edit.h"
#include "storage/encoding_detect.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/text_convert.h"

CTextFileIO::CTextFileIO(const wchar_t* path, bool load, HWND editWindow, int requested,
                         DWORD flagsGiven, const WriteGuard* guard)
    : encoding(requested), flags(flagsGiven), wideText(nullptr), byteText(nullptr),
      edit(editWindow), bomLength(0), beyond(0), succeeded(true), truncated(false)
{
    if (load)
        RunLoad(path, requested);
    else
        RunSave(path, requested == ENC_AUTO ? ENC_ANSI : requested, guard);
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
    bool cut = rest > TEXT_READ_CAP;
    DWORD bytes = cut ? TEXT_READ_CAP : (DWORD)rest;
    int units = 0;
    if (!ReadText(chosen, bytes, &units)) {
        FailRead();
        return;
    }
    // Where the text runs on past what was read, so may its first line.
    if (cut && !truncated)
        beyond = bomLength + bytes;
    if (beyond > 0 && FirstLineFeed(wideText, units) < 0 && FirstLineFeedBeyondIsBare(chosen, units))
        flags |= CODEC_BARE_LF;
    DecodedText decoded = { wideText, units, truncated };
    bool ruled = ApplyLineFeedRule(&decoded, &flags);
    wideText = decoded.text;
    if (!ruled) {
        FailRead();
        return;
    }
    encoding = chosen;
    FinishLoad(decoded.units, cut);
}

int CTextFileIO::DecideEncoding(int requested, ULONGLONG size)
{
    unsigned char head[3] = {};
    DWORD got = 0;
    if (size > 0 && !Read(head, size < 3 ? (DWORD)size : 3, &got)) {
        FailRead();
        return requested;
    }
    int found = EncodingFromMark(head, got, requested, &bomLength);
    if (bomLength > 0)
        flags |= CODEC_BOM;
    if (found != ENC_AUTO)
        return found;
    if (size <= 2)
        return ENC_WIN1251;

    unsigned char sample[600];
    ULONGLONG offset = DetectionSampleOffset(size);
    Seek((LONG)(DWORD)offset, (LONG)(DWORD)(offset >> 32), FILE_BEGIN);
    if (!Read(sample, DetectionSampleLength(size), &got)) {
        FailRead();
        return requested;
    }
    return DetectEncoding(sample, (int)got);
}

bool CTextFileIO::ReadText(int chosen, DWORD bytes, int* units)
{
    Seek((LONG)bomLength, 0, FILE_BEGIN);
    byteText = new (std::nothrow) unsigned char[bytes + 1];
    DWORD got = 0;
    if (!byteText || (bytes > 0 && (!Read(byteText, bytes, &got) || got != bytes)))
        return false;
    DecodedText decoded;
    if (!DecodeText(chosen, byteText, bytes, &decoded))
        return false;
    wideText = decoded.text;
    *units = decoded.units;
    truncated = decoded.endedAtNul;
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

    SYSTEMTIME now;
    GetLocalTime(&now);
    int stamped = AppendLogStamp(wideText, units, now);
    SetLongEditText(edit, wideText);
    if (stamped != units) {
        SendMessageW(edit, EM_SETSEL, stamped, stamped);
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    }
}

bool CTextFileIO::FirstLineFeedBeyondIsBare(int chosen, int units)
{
    // The last unit (or byte) read comes before what follows.
    bool wide = chosen == ENC_UTF16;
    unsigned previous = wide ? (units > 0 ? (unsigned)wideText[units - 1] : 0)
                             : (unsigned)byteText[beyond - bomLength - 1];
    // Read on in small chunks: the rest of the file may be far larger than
    // the memory there is, and only its first line end matters.
    LineFeedSearch search(wide, previous);
    unsigned char chunk[4096];
    Seek((LONG)beyond, 0, FILE_BEGIN);
    for (;;) {
        DWORD got = 0;
        if (!Read(chunk, sizeof(chunk), &got) || got == 0)
            return false;
        int found = search.Feed(chunk, got);
        if (found >= 0)
            return found == 1;
    }
}

void CTextFileIO::RunSave(const wchar_t* path, int chosen, const WriteGuard* guard)
{
    encoding = chosen;
    // Every byte is made before the file is touched: a failed conversion
    // or a lack of memory leaves it as it was.
    int n = GetWindowTextLengthW(edit);
    wideText = new (std::nothrow) wchar_t[n + 1]();
    if (wideText)
        n = n > 0 ? GetWindowTextW(edit, wideText, n + 1) : 0;
    EncodedText encoded = {};
    WriteResult result = WriteResult::Failed;
    if (wideText && EncodeText(wideText, n, chosen, flags, &encoded)) {
        byteText = encoded.bytes;
        result = WriteFileWhole(path, encoded.bytes, encoded.count, guard);
    }
    succeeded = result == WriteResult::Written;
    if (result == WriteResult::InUse)
        ShowNotice(Owner(), L"err_in_use",
                   L"Файл открыт другой программой и не может быть заменён. Закройте его там и "
                   L"сохраните снова.",
                   MB_ICONERROR);
    else if (!succeeded)
        ShowNotice(Owner(), L"err_write", L"Ошибка записи файла!", MB_ICONERROR);
}
