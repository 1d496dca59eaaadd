#ifndef QUILLEX_PLATFORM_INFLATE_H
#define QUILLEX_PLATFORM_INFLATE_H

#include <stddef.h>

// Unpacks a zlib stream (a DEFLATE stream behind a two-byte header) into
// `output`, whose size the caller knows beforehand. True once all
// `outputSize` bytes are written; what follows them, the checksum included,
// is not read. False for a stream that is damaged, asks for a preset
// dictionary, or ends before the output is full. Never reads or writes
// outside the two buffers.
bool InflateZlib(const unsigned char* input, size_t inputSize, unsigned char* output,
                 size_t outputSize);

#endif
