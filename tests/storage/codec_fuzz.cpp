#include "tests/storage/codec_fuzz.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/text_codec.h"
#include "tests/seeded_fuzzer.h"
#include "tests/test_support.h"

void FuzzTextCodec(bool beyondTheLimit)
{
    Fuzzer fuzz(20070305);
    TempFolder temp;
    // The text goes to a plain hidden window, which keeps any text: Wine's
    // edit control hangs on some random Unicode texts (its own fault).
    HWND sink = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    MessageBoxAnswerer answerer;
    const std::wstring path = temp.Path(L"in.txt"), copy = temp.Path(L"copy.txt");
    const std::string good = "\xEF\xBB\xBF" + Encode(L"Заметки\r\nстрока два\nи три", 65001);
    const int encodings[] = { ENC_AUTO, ENC_ANSI, ENC_WIN1251, ENC_DOS866, ENC_KOI8R, ENC_UTF8,
                              ENC_UTF16 };
    for (int round = 0; round < kFuzzRounds; ++round) {
        SCOPED_TRACE(round);
        // Now and then a file beyond the size limit. Every round draws its
        // numbers, so that both kinds see the same inputs as one run would.
        bool big = round % 300 == 7;
        std::string bytes = big ? fuzz.Random(130000) : fuzz.Input(good, 300);
        int encoding = encodings[fuzz.Below(7)];
        if (big != beyondTheLimit)
            continue;
        WriteBytes(path, bytes);
        CTextFileIO load(path.c_str(), true, sink, encoding, 0);
        ASSERT_TRUE(load.succeeded);
        std::wstring text = WindowText(sink);
        bool stamped = text.size() >= 4 && _wcsnicmp(text.c_str(), L".log", 4) == 0;
        ASSERT_LE(text.size(), (size_t)TEXT_UNIT_LIMIT + (stamped ? 22 : 0));

        // What was loaded comes back unchanged through a UTF-16 file.
        if (stamped)
            continue;
        { CTextFileIO save(copy.c_str(), false, sink, ENC_UTF16, CODEC_BOM); }
        SetWindowTextW(sink, L"");
        CTextFileIO again(copy.c_str(), true, sink, ENC_UTF16, 0);
        ASSERT_TRUE(text == WindowText(sink));
    }
    DestroyWindow(sink);
}
