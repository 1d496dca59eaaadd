#ifndef QUILLEX_STORAGE_TEXT_CONVERT_H
#define QUILLEX_STORAGE_TEXT_CONVERT_H

#include "platform/pocketpc.h"
#include "storage/encodings.h"

// A document's bytes taken apart and put together: marks, detection, line
// ends, bytes to text and text to bytes. Plain functions on buffers, with no
// window and no file, so that whatever stores a text (a document's file, a
// snapshot) turns it into the same bytes.

// No unit takes more than four bytes in any of the encodings, so this many
// bytes always give more units than a document holds; the rest of a larger
// file could not be shown anyway, and reading it whole would need more memory
// than the handheld has (or, from 4 GiB on, than a 32-bit size can count).
const DWORD TEXT_READ_CAP = 4 * (TEXT_UNIT_LIMIT + 1);

// Room kept free after every decoded text (for the ".LOG" stamp).
const int TEXT_SPARE_UNITS = 400;

// The encoding a byte-order mark at the head of a file (its first `length`
// bytes, at most 3 looked at) gives a load that asked for `requested`
// (ENC_AUTO or the mark's own encoding); `*markLength` is then 2 or 3.
// Otherwise `requested`, with `*markLength` 0.
int EncodingFromMark(const unsigned char* head, DWORD length, int requested, DWORD* markLength);

// Where the detection sample of a file of `size` bytes starts and how many
// bytes it takes: from the middle of a larger file, where the text is more
// typical than in a header, and on an even offset (a UTF-16 text read from
// the middle of a unit looks like anything but UTF-16).
ULONGLONG DetectionSampleOffset(ULONGLONG size);
DWORD DetectionSampleLength(ULONGLONG size);

// A text decoded from bytes, in a new[] buffer with TEXT_SPARE_UNITS free
// units after its terminator.
struct DecodedText {
    wchar_t* text;
    int units;
    // A zero byte (or unit) ended the text before the bytes did.
    bool endedAtNul;
};

// Bytes (no mark) to text in `encoding` (ENC_UTF16: little-endian, a final
// odd byte the low byte of one more unit). The text ends at the first zero.
// False, with nothing allocated, when the code page cannot convert them or
// memory ran short.
bool DecodeText(int encoding, const void* bytes, DWORD count, DecodedText* out);

// Index of the first line feed of text[0, units), or -1.
int FirstLineFeed(const wchar_t* text, int units);

// The load's line-feed rule: when the text's first line feed stands alone,
// sets CODEC_BARE_LF and gives every line feed a carriage return before it.
// False (the text unchanged) when memory ran short.
bool ApplyLineFeedRule(DecodedText* decoded, DWORD* flags);

// Follows a text past its end to its first line feed, chunk by chunk of raw
// bytes (units little-endian when `wide`), starting after `previous`, the
// last unit read. Feed answers 1 when that line feed stands alone, 0 when it
// follows a carriage return or a zero unit ends the text first, -1 when the
// chunk held neither.
struct LineFeedSearch {
    LineFeedSearch(bool wideUnits, unsigned lastUnit) : wide(wideUnits), previous(lastUnit) {}
    int Feed(const unsigned char* chunk, DWORD count);
    bool wide;
    unsigned previous;
};

// A text that starts with ".LOG" (any letter case) gets the time stamp
// appended (two line breaks, "hh:mm dd.mm.yyyy", a line break); the buffer
// has TEXT_SPARE_UNITS free after the text. Answers the new length.
int AppendLogStamp(wchar_t* text, int units, const SYSTEMTIME& now);

// Bytes as a save writes them, in a new[] buffer.
struct EncodedText {
    unsigned char* bytes;
    DWORD count;
};

// Text to bytes in `encoding` (ENC_AUTO is written as ANSI): the mark when
// `flags` ask for one and the encoding takes it (UTF-8 and UTF-16 only),
// every carriage return dropped under CODEC_BARE_LF. Characters an 8-bit
// code page cannot hold become its default character, never a look-alike.
// False, with nothing allocated, when memory ran short or the code page
// cannot convert.
bool EncodeText(const wchar_t* text, int units, int encoding, DWORD flags, EncodedText* out);

// Whether `encoding` may be unable to hold a character (the 8-bit ones).
bool CanLoseCharacters(int encoding);

// Characters of the text (a surrogate pair counts once) that `encoding`
// cannot hold and that EncodeText would replace; always 0 for UTF-8 and
// UTF-16. -1 when it could not be found out (no memory, no code page).
int CountUnwritable(const wchar_t* text, int units, int encoding);

#endif
