#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "editor/text_search.h"
#include "platform/pocketpc.h"

namespace {

// Offset of the match, or -1.
int Find(const wchar_t* text, const wchar_t* pattern, int start, bool forward = true,
         bool ignoreCase = true, bool wholeWord = false)
{
    const wchar_t* hit = FindInText(text, pattern, start, forward, ignoreCase, wholeWord);
    return hit ? (int)(hit - text) : -1;
}

int Word(const wchar_t* text, const wchar_t* pattern)
{
    return Find(text, pattern, 0, true, true, true);
}

// The text copied so that its terminator is the last unit before a page that
// cannot be read: a search reading past the terminator crashes the test.
class TextBeforeGuardPage {
public:
    explicit TextBeforeGuardPage(const std::wstring& text)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        size_t page = info.dwPageSize;
        block = (char*)VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        DWORD old;
        VirtualProtect(block + page, page, PAGE_NOACCESS, &old);
        units = (wchar_t*)(block + page) - (text.size() + 1);
        memcpy(units, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    ~TextBeforeGuardPage() { VirtualFree(block, 0, MEM_RELEASE); }
    wchar_t* units;

private:
    char* block;
};

}

TEST(TextSearch, WholeWordBoundaries)
{
    EXPECT_EQ(4, Word(L"dog_cat", L"cat"));
    EXPECT_EQ(1, Word(L"(cat)", L"cat"));
    EXPECT_EQ(0, Word(L"cat.", L"cat"));
    EXPECT_EQ(2, Word(L"a\tcat\r\n", L"cat"));
    EXPECT_EQ(4, Word(L"\u2116\u00A9\u20AC`cat\u00AE", L"cat"));
    EXPECT_EQ(-1, Word(L"cat's", L"cat"));
    EXPECT_EQ(-1, Word(L"cat1", L"cat"));
    EXPECT_EQ(-1, Word(L"cat=1", L"cat"));
    EXPECT_EQ(-1, Word(L"concat", L"cat"));
    // A rejected candidate does not end the search.
    EXPECT_EQ(7, Word(L"concat cat", L"cat"));
    // The ends of the text are boundaries.
    EXPECT_EQ(0, Word(L"cat", L"cat"));
    EXPECT_EQ(4, Word(L"the cat", L"cat"));
}

TEST(TextSearch, CaseFoldingCoversCyrillic)
{
    EXPECT_EQ(4, Find(L"Ну, привет!", L"ПРИВЕТ", 0));
    EXPECT_EQ(2, Find(L"е ё", L"Ё", 0));
    EXPECT_EQ(-1, Find(L"Ну, привет!", L"ПРИВЕТ", 0, true, false));
    EXPECT_EQ(-1, Find(L"е", L"Ё", 0));   // folding does not drop the diaeresis
}

TEST(TextSearch, NeverReadsPastTheTerminator)
{
    TextBeforeGuardPage empty(L"");
    EXPECT_EQ(-1, Find(empty.units, L"a", 0));
    EXPECT_EQ(-1, Find(empty.units, L"a", 0, false));
    TextBeforeGuardPage shortText(L"x ab");
    EXPECT_EQ(-1, Find(shortText.units, L"x abc", 0));
    EXPECT_EQ(-1, Find(shortText.units, L"abc", 0));
    EXPECT_EQ(-1, Find(shortText.units, L"abc", 4, false, true, true));
    EXPECT_EQ(2, Find(shortText.units, L"AB", 0, true, true, true));
    EXPECT_EQ(2, Find(shortText.units, L"ab", 4, false, false, true));
    // A start beyond the end is no reason to look there.
    EXPECT_EQ(2, Find(shortText.units, L"ab", 50, false));
    EXPECT_EQ(-1, Find(shortText.units, L"ab", 50));
}
