#include <gtest/gtest.h>

#include "tests/storage/codec_fuzz.h"

TEST(SeededFuzz, TextCodec)
{
    FuzzTextCodec(false);
}
