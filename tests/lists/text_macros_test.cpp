#include <gtest/gtest.h>

#include <string>

#include "lists/text_macros.h"
#include "tests/test_support.h"

namespace {

std::wstring Expanded(const wchar_t* text, const SYSTEMTIME& now)
{
    wchar_t* expanded = ExpandMacros(text, now);
    std::wstring out = expanded;
    delete[] expanded;
    return out;
}

const SYSTEMTIME kMorning = MakeTime(2007, 3, 5, 9, 4, 7);

}

TEST(TextMacros, DateAndTimeWithLeadingZeros)
{
    EXPECT_EQ(L"05.03.2007", Expanded(L"%D.%M.%Y", kMorning));
    EXPECT_EQ(L"09:04:07", Expanded(L"%h:%m:%s", kMorning));
    EXPECT_EQ(L"0987-12-31 23:59", Expanded(L"%Y-%M-%D %h:%m", MakeTime(987, 12, 31, 23, 59)));
    EXPECT_EQ(L"", Expanded(L"", kMorning));
    // %m is the minute, %M the month; other letters are left alone.
    EXPECT_EQ(L"04/03 %H %d %y %S", Expanded(L"%m/%M %H %d %y %S", kMorning));
}

TEST(TextMacros, LineBreakAndPercent)
{
    EXPECT_EQ(L"one\r\ntwo 50% off", Expanded(L"one%Ltwo 50%% off", kMorning));
    EXPECT_EQ(L"%%", Expanded(L"%%%%", kMorning));
}

TEST(TextMacros, DoubledPercentComesLast)
{
    // "%%" is handled after the other macros, so it protects nothing.
    EXPECT_EQ(L"%2007", Expanded(L"%%Y", kMorning));
    EXPECT_EQ(L"%09", Expanded(L"%%h", kMorning));
    // ... and makes a caret mark out of "%%!".
    EXPECT_EQ(L"<%!>", Expanded(L"<%%!>", kMorning));
    EXPECT_EQ(L"%\r\n", Expanded(L"%%L", kMorning));
}

TEST(TextMacros, GrowsAsFarAsNeeded)
{
    // Each "%Y" grows by two units; each "%L" stays two.
    std::wstring text;
    std::wstring expected;
    for (int i = 0; i < 3000; ++i) {
        text += L"%Y%L";
        expected += L"2007\r\n";
    }
    EXPECT_EQ(expected, Expanded(text.c_str(), kMorning));
}
