#ifndef QUILLEX_TESTS_TEST_SUPPORT_H
#define QUILLEX_TESTS_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "platform/pocketpc.h"

// What a test saw of one message box before answering it.
struct SeenBox {
    std::wstring caption;
    std::wstring text;
    UINT icon;        // MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, MB_ICONWARNING or 0
    bool hasYes, hasNo, hasCancel, hasOk;
};

// Answers every message box shown on this thread while it lives, with the
// answers queued (the last one repeats; IDOK when none), and records them.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::vector<int> answers = {});
    ~MessageBoxAnswerer();
    std::vector<SeenBox> seen;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::vector<int> answers;
    HHOOK hook;
    MessageBoxAnswerer* outer;
};

// A fresh folder under the prefix's temporary folder, removed with its files
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::wstring Path(const std::wstring& name) const;   // folder\name
    const std::wstring& Folder() const { return folder; }

private:
    std::wstring folder;
};

std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// UTF-16 text as little-endian bytes (without mark), and back.
std::string Utf16Bytes(const std::wstring& text);
std::wstring FromUtf16Bytes(const std::string& bytes);
// Text in a code page as bytes, and back.
std::string Encode(const std::wstring& text, UINT codePage);
std::wstring Decode(const std::string& bytes, UINT codePage);

// A hidden top-level window with a multi-line edit child, standing in for the
// main window and a document's edit window.
class EditHost {
public:
    EditHost();
    ~EditHost();
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    HWND window;
    HWND edit;
};

SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second = 0);

#endif
