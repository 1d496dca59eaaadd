#include "storage/text_convert.h"

#include <new>
#include <string.h>

namespace {

const unsigned char kUtf8Mark[3] = { 0xEF, 0xBB, 0xBF };

// The code page the platform's conversions take for an 8-bit or UTF-8
// encoding (ENC_AUTO is written as ANSI).
UINT CodePageOf(int encoding)
{
    return encoding == ENC_AUTO ? (UINT)ENC_ANSI : (UINT)encoding;
}

// Best-fit mappings would hide a loss ("ą" written as "a"); UTF-8 takes no
// flags at all.
DWORD EncodeFlags(int encoding)
{
    return encoding == ENC_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
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

bool DecodeUtf16(const unsigned char* bytes, DWORD count, DecodedText* out)
{
    // A final odd byte is the low byte of one more unit.
    DWORD total = (count + 1) / 2;
    wchar_t* text = new (std::nothrow) wchar_t[total + TEXT_SPARE_UNITS]();
    if (!text)
        return false;
    memcpy(text, bytes, count);
    DWORD n = 0;
    while (n < total && text[n] != 0)
        ++n;
    text[n] = 0;
    *out = { text, (int)n, n < total };
    return true;
}

bool DecodeCodePage(UINT codePage, const unsigned char* bytes, DWORD count, DecodedText* out)
{
    // The text ends at the first zero byte; what follows it is not shown.
    const void* zero = count ? memchr(bytes, 0, count) : nullptr;
    DWORD n = zero ? (DWORD)((const unsigned char*)zero - bytes) : count;
    // No byte gives more than one unit, but four UTF-8 bytes may give two.
    wchar_t* text = new (std::nothrow) wchar_t[n + TEXT_SPARE_UNITS]();
    if (!text)
        return false;
    // No conversion at all (a code page the device lacks) is no text: an
    // empty document in its place would empty the file at the next save.
    // An empty text is tried as its terminator, so the code page is still
    // checked.
    static const char terminator = 0;
    int converted = n > 0 ? MultiByteToWideChar(codePage, 0, (const char*)bytes, (int)n, text,
                                                (int)n + 1)
                          : MultiByteToWideChar(codePage, 0, &terminator, 1, text, 1) - 1;
    if (converted < 0 || (n > 0 && converted == 0)) {
        delete[] text;
        return false;
    }
    text[converted] = 0;
    *out = { text, converted, zero != nullptr };
    return true;
}

}

int EncodingFromMark(const unsigned char* head, DWORD length, int requested, DWORD* markLength)
{
    *markLength = 0;
    if (length >= 2 && head[0] == 0xFF && head[1] == 0xFE &&
        (requested == ENC_AUTO || requested == ENC_UTF16)) {
        *markLength = 2;
        return ENC_UTF16;
    }
    if (length >= 3 && memcmp(head, kUtf8Mark, 3) == 0 &&
        (requested == ENC_AUTO || requested == ENC_UTF8)) {
        *markLength = 3;
        return ENC_UTF8;
    }
    return requested;
}

ULONGLONG DetectionSampleOffset(ULONGLONG size)
{
    return size > 700 ? (size / 2 - 300) & ~1ull : 0;
}

DWORD DetectionSampleLength(ULONGLONG size)
{
    return size < 600 ? (DWORD)size : 600;
}

bool DecodeText(int encoding, const void* bytes, DWORD count, DecodedText* out)
{
    *out = { nullptr, 0, false };
    const unsigned char* data = (const unsigned char*)bytes;
    return encoding == ENC_UTF16 ? DecodeUtf16(data, count, out)
                                 : DecodeCodePage(CodePageOf(encoding), data, count, out);
}

int FirstLineFeed(const wchar_t* text, int units)
{
    for (int i = 0; i < units; ++i) {
        if (text[i] == L'\n')
            return i;
    }
    return -1;
}

bool ApplyLineFeedRule(DecodedText* decoded, DWORD* flags)
{
    const wchar_t* text = decoded->text;
    int n = decoded->units;
    int first = FirstLineFeed(text, n);
    // Only a text whose first line feed stands alone counts as bare-LF.
    if (first <= 0 || text[first - 1] == L'\r')
        return true;
    int feeds = 0;
    for (int i = first; i < n; ++i)
        feeds += text[i] == L'\n';
    wchar_t* rebuilt = new (std::nothrow) wchar_t[n + feeds + TEXT_SPARE_UNITS]();
    if (!rebuilt)
        return false;
    int out = 0;
    for (int i = 0; i < n; ++i) {
        if (text[i] == L'\n')
            rebuilt[out++] = L'\r';
        rebuilt[out++] = text[i];
    }
    delete[] decoded->text;
    decoded->text = rebuilt;
    decoded->units = out;
    *flags |= CODEC_BARE_LF;
    return true;
}

int LineFeedSearch::Feed(const unsigned char* chunk, DWORD count)
{
    DWORD step = wide ? 2 : 1;
    for (DWORD i = 0; i < count; i += step) {
        unsigned unit = chunk[i];
        if (wide && i + 1 < count)
            unit |= (unsigned)chunk[i + 1] << 8;
        // The text, like its conversion, ends at a zero unit.
        if (unit == 0)
            return 0;
        if (unit == L'\n')
            return previous != L'\r' ? 1 : 0;
        previous = unit;
    }
    return -1;
}

int AppendLogStamp(wchar_t* text, int units, const SYSTEMTIME& now)
{
    if (units < 4 || !StartsWithLogMark(text))
        return units;
    StringCchPrintfW(text + units, TEXT_SPARE_UNITS, L"\r\n\r\n%.2d:%.2d %.2d.%.2d.%.4d\r\n",
                     now.wHour, now.wMinute, now.wDay, now.wMonth, now.wYear);
    return units + (int)wcslen(text + units);
}

bool EncodeText(const wchar_t* text, int units, int encoding, DWORD flags, EncodedText* out)
{
    *out = { nullptr, 0 };
    bool dropCarriageReturns = (flags & CODEC_BARE_LF) != 0;
    int kept = units;
    if (dropCarriageReturns) {
        for (int i = 0; i < units; ++i)
            kept -= text[i] == L'\r';
    }

    if (encoding == ENC_UTF16) {
        // The mark, when asked for, is the text's first unit: FF FE on disk.
        // Written byte by byte, little-endian, into the byte buffer the
        // caller releases as such.
        int mark = (flags & CODEC_BOM) ? 1 : 0;
        unsigned char* bytes = new (std::nothrow) unsigned char[2 * ((size_t)mark + kept) + 2];
        if (!bytes)
            return false;
        DWORD at = 0;
        auto put = [&](wchar_t unit) {
            bytes[at++] = (unsigned char)(unit & 0xFF);
            bytes[at++] = (unsigned char)(unit >> 8);
        };
        if (mark)
            put(0xFEFF);
        for (int i = 0; i < units; ++i) {
            if (!dropCarriageReturns || text[i] != L'\r')
                put(text[i]);
        }
        *out = { bytes, at };
        return true;
    }

    // Without carriage returns the conversion works on a copy.
    wchar_t* copy = nullptr;
    if (dropCarriageReturns && kept < units) {
        copy = new (std::nothrow) wchar_t[kept + 1];
        if (!copy)
            return false;
        int at = 0;
        for (int i = 0; i < units; ++i) {
            if (text[i] != L'\r')
                copy[at++] = text[i];
        }
        text = copy;
    }
    // No other encoding ever gets a mark.
    int mark = (flags & CODEC_BOM) && encoding == ENC_UTF8 ? 3 : 0;
    // Up to three bytes a unit (UTF-8; a surrogate pair gives four for two).
    ULONGLONG capacity = 3ull * (ULONGLONG)kept + 4;
    unsigned char* bytes = nullptr;
    if (capacity + mark <= 0x7FFFFFFF)
        bytes = new (std::nothrow) unsigned char[(size_t)capacity + mark];
    int converted = 0;
    if (bytes && kept > 0) {
        converted = WideCharToMultiByte(CodePageOf(encoding), EncodeFlags(encoding), text, kept,
                                        (char*)bytes + mark, (int)capacity, nullptr, nullptr);
    }
    delete[] copy;
    if (!bytes || (kept > 0 && converted <= 0)) {
        delete[] bytes;
        return false;
    }
    memcpy(bytes, kUtf8Mark, mark);
    *out = { bytes, (DWORD)(mark + converted) };
    return true;
}

bool CanLoseCharacters(int encoding)
{
    return encoding != ENC_UTF8 && encoding != ENC_UTF16;
}

int CountUnwritable(const wchar_t* text, int units, int encoding)
{
    if (!CanLoseCharacters(encoding) || units <= 0)
        return 0;
    UINT codePage = CodePageOf(encoding);
    DWORD flags = EncodeFlags(encoding);
    // One conversion of the whole text says whether anything is lost; only
    // then is it counted, character by character.
    ULONGLONG capacity = 3ull * (ULONGLONG)units + 4;
    if (capacity > 0x7FFFFFFF)
        return -1;
    char* bytes = new (std::nothrow) char[(size_t)capacity];
    if (!bytes)
        return -1;
    BOOL lost = FALSE;
    int converted =
        WideCharToMultiByte(codePage, flags, text, units, bytes, (int)capacity, nullptr, &lost);
    int count = converted > 0 ? 0 : -1;
    for (int i = 0; converted > 0 && lost && i < units;) {
        bool pair = i + 1 < units && IS_HIGH_SURROGATE(text[i]) && IS_LOW_SURROGATE(text[i + 1]);
        int length = pair ? 2 : 1;
        BOOL one = FALSE;
        WideCharToMultiByte(codePage, flags, text + i, length, bytes, (int)capacity, nullptr, &one);
        count += one ? 1 : 0;
        i += length;
    }
    delete[] bytes;
    return count;
}
