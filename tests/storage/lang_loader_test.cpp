#include <gtest/gtest.h>

#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "tests/test_support.h"

namespace {

class Language : public ::testing::Test {
protected:
    void LoadText(CLangLoader& lang, const std::wstring& text, bool mark = true)
    {
        std::wstring path = temp.Path(L"test.lng");
        WriteBytes(path, (mark ? std::string("\xFF\xFE") : std::string()) + Utf16Bytes(text));
        lang.LoadFrom(path.c_str());
    }
    TempFolder temp;
};

}

TEST_F(Language, GrammarCommentsAndOddLines)
{
    CLangLoader lang;
    // Nothing loaded yet: the defaults.
    EXPECT_STREQ(L"Внимание", lang.Lookup(L"notice", L"Внимание"));
    EXPECT_STREQ(L"", lang.Lookup(L"notice", nullptr));

    LoadText(lang, L"/%/ English language file\r\nnotice=Attention\r\n/%/ a comment=with equals\r\n"
                   L"mnu_open=&Open...\r\nfile_ch_named=Save %s? a=b\r\n\r\nmnu_new=New\r\n"
                   L"cut =Cut\r\nlast=no line end");
    EXPECT_STREQ(L"Attention", lang.Lookup(L"notice", L"Внимание"));
    // A comment between entries does not disturb the entry after it.
    EXPECT_STREQ(L"&Open...", lang.Lookup(L"mnu_open", L"Открыть"));
    // Texts keep their further '=' and placeholders.
    EXPECT_STREQ(L"Save %s? a=b", lang.Lookup(L"file_ch_named", L""));
    // An empty line joins the next key, which then matches nothing.
    EXPECT_STREQ(L"Создать", lang.Lookup(L"mnu_new", L"Создать"));
    // A space before '=' is part of the key.
    EXPECT_STREQ(L"Вырезать", lang.Lookup(L"cut", L"Вырезать"));
    EXPECT_STREQ(L"no line end", lang.Lookup(L"last", L""));
}

TEST_F(Language, FilesWithoutMarkEightBitOrTiny)
{
    CLangLoader lang;
    LoadText(lang, L"notice=Achtung\r\n", false);
    EXPECT_STREQ(L"Achtung", lang.Lookup(L"notice", L"Внимание"));

    // An 8-bit file read as UTF-16 matches nothing: defaults show.
    std::wstring path = temp.Path(L"ansi.lng");
    WriteBytes(path, "notice=Attention\r\n");
    lang.LoadFrom(path.c_str());
    EXPECT_STREQ(L"Внимание", lang.Lookup(L"notice", L"Внимание"));

    // Two bytes or a missing file: empty catalogue, also after a good file.
    WriteBytes(path, "\xFF\xFE");
    lang.LoadFrom(path.c_str());
    EXPECT_EQ(0, lang.entries.count);
    LoadText(lang, L"notice=Achtung\r\n");
    lang.LoadFrom(temp.Path(L"missing.lng").c_str());
    EXPECT_EQ(0, lang.entries.count);
    EXPECT_STREQ(L"Внимание", lang.Lookup(L"notice", L"Внимание"));
}

TEST_F(Language, TextsStayValidAcrossReloads)
{
    CLangLoader lang;
    LoadText(lang, L"notice=Attention\r\n");
    const wchar_t* before = lang.Lookup(L"notice", L"");
    LoadText(lang, L"notice=Achtung\r\n");
    EXPECT_STREQ(L"Attention", before);
    EXPECT_STREQ(L"Achtung", lang.Lookup(L"notice", L""));
}

TEST_F(Language, CollisionsFirstEntryWins)
{
    CLangLoader lang;
    LoadText(lang, L"rordWWap=first\r\nWordWrap=second\r\n");
    EXPECT_STREQ(L"first", lang.Lookup(L"WordWrap", L""));
}

TEST_F(Language, SuffixBufferIsSharedAndBounded)
{
    CLangLoader lang;
    LoadText(lang, L"mnu_new=New\r\nlong=" + std::wstring(389, L'д') + L"\r\n");
    const wchar_t* first = lang.LookupWithSuffix(L"mnu_new", L"Создать", L"\tCtrl+N");
    EXPECT_STREQ(L"New\tCtrl+N", first);
    const wchar_t* second = lang.LookupWithSuffix(L"mnu_open", L"Открыть", L"\tCtrl+O");
    EXPECT_EQ(first, second);
    EXPECT_STREQ(L"Открыть\tCtrl+O", first);

    // Overlong texts are cut to their fields, never overrun them.
    EXPECT_EQ(389u, wcslen(lang.Lookup(L"long", L"")));
    std::wstring suffix(300, L'x');
    EXPECT_EQ(499u, wcslen(lang.LookupWithSuffix(L"long", L"", suffix.c_str())));
    LoadText(lang, L"long=" + std::wstring(1000, L'я') + L"\r\nafter=ok\r\n");
    EXPECT_EQ(389u, wcslen(lang.Lookup(L"long", L"")));
    EXPECT_STREQ(L"ok", lang.Lookup(L"after", L""));
}

TEST_F(Language, DialogItemsKeepTheirOwnTextUnlessTheFileHasOne)
{
    CLangLoader lang;
    LoadText(lang, L"abt_lng_author=Перевод: Иван\r\nempty=\r\n");
    HWND dialog = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND item = CreateWindowExW(0, L"STATIC", L"template", WS_CHILD, 0, 0, 50, 20, dialog,
                                (HMENU)1001, GetModuleHandleW(nullptr), nullptr);
    wchar_t text[64];
    lang.SetDialogItemText(dialog, 1001, L"missing_key");
    GetWindowTextW(item, text, 64);
    EXPECT_STREQ(L"template", text);
    lang.SetDialogItemText(dialog, 1001, L"empty");
    GetWindowTextW(item, text, 64);
    EXPECT_STREQ(L"template", text);
    lang.SetDialogItemText(dialog, 1001, L"abt_lng_author");
    GetWindowTextW(item, text, 64);
    EXPECT_STREQ(L"Перевод: Иван", text);
    DestroyWindow(dialog);
}

TEST_F(Language, MessageCaptionsFollowTheLanguage)
{
    std::wstring path = temp.Path(L"english.lng");
    WriteBytes(path, "\xFF\xFE" + Utf16Bytes(L"notice=Attention\r\nerr_write=Write error!\r\n"));
    g_lang.LoadFrom(path.c_str());
    MessageBoxAnswerer answerer;
    ShowNotice(nullptr, L"err_write", L"Ошибка записи файла!", MB_ICONERROR);
    g_lang.LoadFrom(L"");
    ShowNotice(nullptr, L"err_write", L"Ошибка записи файла!", MB_ICONERROR);
    ASSERT_EQ(2u, answerer.seen.size());
    EXPECT_EQ(L"Attention", answerer.seen[0].caption);
    EXPECT_EQ(L"Write error!", answerer.seen[0].text);
    EXPECT_EQ(L"Внимание", answerer.seen[1].caption);
    EXPECT_EQ(L"Ошибка записи файла!", answerer.seen[1].text);
}
