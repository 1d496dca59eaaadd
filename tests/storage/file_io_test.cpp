#include <gtest/gtest.h>

#include "storage/file_io.h"
#include "storage/grow_array.h"
#include "storage/hash_key.h"
#include "tests/test_support.h"

TEST(FileIO, ModesOpenReadWriteAndTruncate)
{
    TempFolder temp;
    std::wstring a = temp.Path(L"a.txt"), b = temp.Path(L"b.txt");
    ASSERT_TRUE(WriteBytes(a, "hello"));
    ASSERT_TRUE(WriteBytes(b, "world!"));

    CFileIO file;
    EXPECT_FALSE(file.Open(temp.Path(L"missing").c_str(), L"r"));
    EXPECT_EQ(INVALID_HANDLE_VALUE, file.handle);
    EXPECT_EQ(-1, file.GetSize32());
    char buffer[16] = {};
    EXPECT_FALSE(file.Read(buffer, 4));

    ASSERT_TRUE(file.Open(a.c_str(), L"r"));
    EXPECT_EQ(5u, file.GetSize());
    // Opening a second file on the same object closes the first: it can be
    // rewritten at once, which a still-open read handle would forbid.
    ASSERT_TRUE(file.Open(b.c_str(), L"r"));
    DWORD got = 0;
    EXPECT_TRUE(file.Read(buffer, 16, &got));   // more than is left: fewer bytes
    EXPECT_EQ(6u, got);
    EXPECT_EQ(std::string("world!"), std::string(buffer, got));
    EXPECT_EQ(2u, file.Seek(2, 0, FILE_BEGIN));
    file.Close();
    EXPECT_TRUE(WriteBytes(a, "rewritten"));

    // "cw" truncates an existing file.
    ASSERT_TRUE(file.Open(b.c_str(), L"cw"));
    EXPECT_EQ(0u, file.GetSize());
    EXPECT_TRUE(file.Write("xy", 2));
    file.Close();
    EXPECT_EQ("xy", ReadBytes(b));

    // 'a' opens or creates without truncating.
    ASSERT_TRUE(file.Open(a.c_str(), L"aw"));
    EXPECT_EQ(9u, file.GetSize());
    file.Close();
    ASSERT_TRUE(file.Open(temp.Path(L"new.txt").c_str(), L"aw"));
    file.Close();
    EXPECT_TRUE(FileExists(temp.Path(L"new.txt")));
}

TEST(FileIO, WriteToAReadOnlyHandleFails)
{
    TempFolder temp;
    std::wstring a = temp.Path(L"a.txt");
    ASSERT_TRUE(WriteBytes(a, "data"));
    CFileIO file;
    ASSERT_TRUE(file.Open(a.c_str(), L"r"));
    EXPECT_FALSE(file.Write("x", 1));
    file.Close();
    EXPECT_EQ("data", ReadBytes(a));
}

TEST(HashKey, WeightsPositionsAndCase)
{
    EXPECT_EQ(0u, HashKey(L"", -1));
    EXPECT_EQ(71580u, HashKey(L"abc", -1));
    EXPECT_EQ(152060u, HashKey(L"Language", -1));
    EXPECT_EQ(HashKey(L"abc", 3), HashKey(L"abcdef", 3));
    EXPECT_NE(HashKey(L"abc", -1), HashKey(L"ABC", -1));
    EXPECT_NE(HashKey(L"ab", -1), HashKey(L"ba", -1));
    // Units are unsigned 16-bit values, arithmetic wraps at 32 bits.
    std::wstring high(100000, (wchar_t)0xFFFF);
    DWORD expected = 0;
    const DWORD w[5] = { 45, 6, 673, 7, 3 };
    for (size_t i = 0; i < high.size(); ++i)
        expected += 0xFFFFu * w[i % 5];
    EXPECT_EQ(expected, HashKey(high.c_str(), -1));
    // Positions five apart share a weight: swapping their letters collides.
    EXPECT_EQ(HashKey(L"WordWrap", -1), HashKey(L"rordWWap", -1));
}

TEST(GrowArray, DoublesOrTakesTheRequest)
{
    CGrowArray<int> array;
    const int requests[] = { 1, 2, 3, 5, 21 };
    const int expected[] = { 1, 2, 4, 8, 21 };
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(array.Reserve(requests[i]));
        EXPECT_EQ(expected[i], array.capacity);
    }
    EXPECT_TRUE(array.Reserve(4));
    EXPECT_EQ(21, array.capacity);

    CGrowArray<int> exact;
    exact.growByDoubling = 0;
    exact.Reserve(3);
    exact.Reserve(5);
    EXPECT_EQ(5, exact.capacity);
}

TEST(GrowArray, AppendKeepsOrderAndClearReleases)
{
    CGrowArray<int> array;
    // With no element in use, Clear keeps the block it has.
    array.Reserve(4);
    int* block = array.items;
    array.Clear();
    EXPECT_EQ(4, array.capacity);
    EXPECT_EQ(block, array.items);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(i, array.Append(i * 3));
    EXPECT_EQ(100, array.count);
    EXPECT_EQ(128, array.capacity);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(i * 3, array[i]);
    // New slots are zeroed.
    EXPECT_EQ(0, array.items[100]);
    array.Clear();
    EXPECT_EQ(0, array.count);
    EXPECT_EQ(nullptr, array.items);

    // A request too large for 32-bit sizes fails and leaves the array alone.
    struct Big { char bytes[400]; };
    CGrowArray<Big> big;
    big.Append(Big{});
    EXPECT_FALSE(big.Reserve(20000000));
    EXPECT_EQ(1, big.count);
    EXPECT_EQ(1, big.capacity);
}
