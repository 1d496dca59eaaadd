#ifndef QUILLEX_STORAGE_ENCODINGS_H
#define QUILLEX_STORAGE_ENCODINGS_H

// Encoding identifiers: code page numbers passed straight to the platform's
// conversions, plus two of the program's own.
enum : int {
    ENC_ANSI = 0,          // the device's ANSI code page (CP_ACP)
    ENC_WIN1251 = 1251,
    ENC_DOS866 = 866,
    ENC_KOI8R = 20866,
    ENC_UTF8 = 65001,
    ENC_AUTO = 100000,     // detect on load; written as ANSI
    ENC_UTF16 = 100001,    // UTF-16 little-endian, handled by the codec itself
};

// Document flags kept with each document.
enum : unsigned {
    CODEC_BOM = 1,         // a byte-order mark was found / is to be written
    CODEC_BARE_LF = 2,     // lines end in bare line feeds on disk
};

// The most UTF-16 units a document holds.
const int TEXT_UNIT_LIMIT = 30000;

#endif
