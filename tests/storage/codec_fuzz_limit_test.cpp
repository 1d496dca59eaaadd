#include <gtest/gtest.h>

#include "tests/storage/codec_fuzz.h"

TEST(SeededFuzz, TextCodecBeyondTheSizeLimit)
{
    FuzzTextCodec(true);
}
