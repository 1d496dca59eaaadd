#ifndef QUILLEX_STORAGE_ENCODING_DETECT_H
#define QUILLEX_STORAGE_ENCODING_DETECT_H

#include "storage/encodings.h"

// Guesses the encoding of a file without byte-order mark from a sample of
// n bytes: ENC_UTF16, ENC_KOI8R, ENC_DOS866, ENC_UTF8 or ENC_ANSI.
int DetectEncoding(const unsigned char* sample, int n);

#endif
