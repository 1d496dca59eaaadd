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

TEST(ReplaceAll, ReplacesEveryOccurrenceOnceLeftToRight)
{
    struct { const wchar_t* source; const wchar_t* find; const wchar_t* replacement;
             const wchar_t* expected; } cases[] = {
        { L"a\tb\tc", L"\t", L"-", L"a-b-c" },
        { L"\t\ta\tbc\t", L"\t", L"", L"abc" },
        { L"%Y.%Y", L"%Y", L"2007", L"2007.2007" },
        { L"unchanged", L"%Y", L"2007", L"unchanged" },
        { L"", L"x", L"y", L"" },
        { L"%Y", L"%Y", L"whole", L"whole" },
        // Matches do not overlap.
        { L"aaa", L"aa", L"X", L"Xa" },
        // The inserted text is not searched again.
        { L"ab", L"a", L"aa", L"aab" },
        { L"%%", L"%%", L"%", L"%" },
        { L"%%%%", L"%%", L"%", L"%%" },
        // An empty pattern matches nothing (and does not loop).
        { L"abc", L"", L"x", L"abc" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Replaced(c.source, c.find, c.replacement)) << c.source;
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
