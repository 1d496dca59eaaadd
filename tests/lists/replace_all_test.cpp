#include <gtest/gtest.h>

#include <string>

#include "lists/replace_all.h"

namespace {

std::wstring Replaced(const wchar_t* source, const wchar_t* find, const wchar_t* replacement)
{
    int length = ReplaceAll(source, find, replacement, nullptr, 0);
    std::wstring out(length + 1, L'#');
    EXPECT_EQ(length, ReplaceAll(source, find, replacement, &out[0], length + 1));
    EXPECT_EQ(L'\0', out[length]);
    out.resize(length);
    return out;
}

}

TEST(ReplaceAll, ReplacesEveryOccurrenceLeftToRight)
{
    EXPECT_EQ(L"a-b-c", Replaced(L"a\tb\tc", L"\t", L"-"));
    EXPECT_EQ(L"abc", Replaced(L"\t\ta\tbc\t", L"\t", L""));
    EXPECT_EQ(L"2007.2007", Replaced(L"%Y.%Y", L"%Y", L"2007"));
    EXPECT_EQ(L"unchanged", Replaced(L"unchanged", L"%Y", L"2007"));
    EXPECT_EQ(L"", Replaced(L"", L"x", L"y"));
    EXPECT_EQ(L"whole", Replaced(L"%Y", L"%Y", L"whole"));
}

TEST(ReplaceAll, DoesNotOverlapOrRescan)
{
    EXPECT_EQ(L"Xa", Replaced(L"aaa", L"aa", L"X"));
    // The inserted text is not searched again.
    EXPECT_EQ(L"aab", Replaced(L"ab", L"a", L"aa"));
    EXPECT_EQ(L"%", Replaced(L"%%", L"%%", L"%"));
    EXPECT_EQ(L"%%", Replaced(L"%%%%", L"%%", L"%"));
    // An empty pattern matches nothing (and does not loop).
    EXPECT_EQ(L"abc", Replaced(L"abc", L"", L"x"));
}

TEST(ReplaceAll, NeverWritesPastTheOutput)
{
    wchar_t out[8];
    for (wchar_t& unit : out)
        unit = L'#';
    // "aXXbXXc" plus terminator needs 8; give it 5.
    EXPECT_EQ(7, ReplaceAll(L"a.b.c", L".", L"XX", out, 5));
    EXPECT_STREQ(L"aXXb", out);
    EXPECT_EQ(L'#', out[5]);
    EXPECT_EQ(L'#', out[7]);
    EXPECT_EQ(7, ReplaceAll(L"a.b.c", L".", L"XX", out, 1));
    EXPECT_EQ(L'\0', out[0]);
    EXPECT_EQ(L'X', out[1]);    // left from the call before
}

TEST(CountLeadingTabs, CountsOnlyTheStart)
{
    EXPECT_EQ(0, CountLeadingTabs(L""));
    EXPECT_EQ(0, CountLeadingTabs(L"title\t"));
    EXPECT_EQ(1, CountLeadingTabs(L"\ttitle"));
    EXPECT_EQ(3, CountLeadingTabs(L"\t\t\t"));
    EXPECT_EQ(2, CountLeadingTabs(L"\t\t x\t"));
}
