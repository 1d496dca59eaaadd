// codec-probe: loads or saves a file through the editor's own text codec and
// reports what it did, so anyone can check the codec on real files.
//
//   codec-probe [--encoding ID] FILE [--text OUT]
//       loads FILE (ID 100000, automatic detection, unless given) and prints
//       "encoding=<id> flags=<bits> units=<n> truncated=<0|1>"; with --text
//       the decoded text is also written to OUT as UTF-8.
//   codec-probe --save IN OUT ENCODING FLAGS
//       saves the UTF-8 text of IN to OUT through the codec's writer.
//
// Message boxes the codec shows are answered here (their text goes to
// stderr); the probe never waits for a person. Exit code 0 on success, 1 when
// the codec reported a failure, 2 for a wrong command line.

#include <stdio.h>
#include <stdlib.h>

#include "storage/text_codec.h"

namespace {

HHOOK g_hook;

// Writes a wide text to stderr as UTF-8 (the C runtime would stop at the
// first character outside the console's code page).
void PrintUtf8(FILE* stream, const wchar_t* text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return;
    char* utf8 = new char[bytes];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, bytes, nullptr, nullptr);
    fputs(utf8, stream);
    delete[] utf8;
}

LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = (HWND)wParam;
        wchar_t className[16] = L"";
        GetClassNameW(box, className, 16);
        if (wcscmp(className, L"#32770") == 0) {
            wchar_t text[512] = L"";
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            fputs("message: ", stderr);
            PrintUtf8(stderr, text);
            fputs("\n", stderr);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

bool WriteUtf8File(const wchar_t* path, const wchar_t* text, int units)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
    char* utf8 = new char[bytes + 1];
    WideCharToMultiByte(CP_UTF8, 0, text, units, utf8, bytes + 1, nullptr, nullptr);
    CFileIO file;
    bool ok = file.Open(path, L"cw") && file.Write(utf8, (DWORD)bytes);
    file.Close();
    delete[] utf8;
    return ok;
}

// Reads a UTF-8 file into the edit window; false when it cannot be read.
bool LoadUtf8File(const wchar_t* path, HWND edit)
{
    CFileIO file;
    if (!file.Open(path, L"r"))
        return false;
    LONG size = file.GetSize32();
    char* bytes = new char[size + 1]();
    DWORD got = 0;
    bool ok = size >= 0 && file.Read(bytes, (DWORD)size, &got) && got == (DWORD)size;
    file.Close();
    if (ok) {
        wchar_t* text = new wchar_t[size + 1]();
        MultiByteToWideChar(CP_UTF8, 0, bytes, size, text, size + 1);
        SetWindowTextW(edit, text);
        delete[] text;
    }
    delete[] bytes;
    return ok;
}

void Report(const CTextFileIO& codec, HWND edit)
{
    printf("encoding=%d flags=%lu units=%d truncated=%d\n", codec.encoding,
           (unsigned long)codec.flags, GetWindowTextLengthW(edit), codec.truncated ? 1 : 0);
}

int Usage()
{
    fputs("usage: codec-probe [--encoding ID] FILE [--text OUT]\n"
          "       codec-probe --save IN OUT ENCODING FLAGS\n",
          stderr);
    return 2;
}

int Load(const wchar_t* path, int encoding, const wchar_t* textOut, HWND edit)
{
    CTextFileIO codec(path, true, edit, encoding, 0);
    if (!codec.succeeded)
        return 1;
    Report(codec, edit);
    if (textOut) {
        int units = GetWindowTextLengthW(edit);
        wchar_t* text = new wchar_t[units + 1]();
        GetWindowTextW(edit, text, units + 1);
        bool ok = WriteUtf8File(textOut, text, units);
        delete[] text;
        if (!ok) {
            fputs("cannot write the text file\n", stderr);
            return 1;
        }
    }
    return 0;
}

int Save(const wchar_t* in, const wchar_t* out, int encoding, DWORD flags, HWND edit)
{
    if (!LoadUtf8File(in, edit)) {
        fputs("cannot read the input file\n", stderr);
        return 1;
    }
    CTextFileIO codec(out, false, edit, encoding, flags);
    Report(codec, edit);
    return codec.succeeded ? 0 : 1;
}

}

int wmain(int argc, wchar_t** argv)
{
    // A hidden edit window holds the text, as a document's would.
    HWND edit = CreateWindowExW(0, L"EDIT", L"", ES_MULTILINE, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!edit) {
        fputs("cannot create an edit window\n", stderr);
        return 1;
    }
    // Room for more than the document limit, so the limit is the codec's.
    SendMessageW(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    g_hook = SetWindowsHookExW(WH_CBT, AnswerMessageBoxes, nullptr, GetCurrentThreadId());

    int rc;
    if (argc == 6 && wcscmp(argv[1], L"--save") == 0) {
        rc = Save(argv[2], argv[3], _wtoi(argv[4]), (DWORD)_wtoi(argv[5]), edit);
    } else {
        int encoding = ENC_AUTO;
        const wchar_t* file = nullptr;
        const wchar_t* textOut = nullptr;
        rc = 0;
        for (int i = 1; i < argc && rc == 0; ++i) {
            if (wcscmp(argv[i], L"--encoding") == 0 && i + 1 < argc)
                encoding = _wtoi(argv[++i]);
            else if (wcscmp(argv[i], L"--text") == 0 && i + 1 < argc)
                textOut = argv[++i];
            else if (!file && argv[i][0] != L'-')
                file = argv[i];
            else
                rc = Usage();
        }
        if (rc == 0)
            rc = file ? Load(file, encoding, textOut, edit) : Usage();
    }
    UnhookWindowsHookEx(g_hook);
    DestroyWindow(edit);
    return rc;
}
