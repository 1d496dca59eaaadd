#include "tests/test_support.h"

#include <shellapi.h>

namespace {

MessageBoxAnswerer* g_answerer = nullptr;

// The message box's icon, told apart by the system icon it shows.
UINT IconOf(HWND box)
{
    // Windows numbers the icon control 0x14, Wine 0x440.
    HWND iconControl = GetDlgItem(box, 0x14);
    if (!iconControl)
        iconControl = GetDlgItem(box, 0x440);
    if (!iconControl)
        return 0;
    HICON shown = (HICON)SendMessageW(iconControl, STM_GETICON, 0, 0);
    if (!shown)
        return 0;
    struct { LPCWSTR id; UINT flag; } icons[] = {
        { IDI_HAND, MB_ICONERROR },
        { IDI_ASTERISK, MB_ICONINFORMATION },
        { IDI_QUESTION, MB_ICONQUESTION },
        { IDI_EXCLAMATION, MB_ICONWARNING },
    };
    for (auto& icon : icons) {
        if (LoadIconW(nullptr, icon.id) == shown)
            return icon.flag;
    }
    return 0;
}

std::wstring WindowText(HWND window)
{
    int n = GetWindowTextLengthW(window);
    std::wstring text(n + 1, L'\0');
    n = GetWindowTextW(window, &text[0], n + 1);
    text.resize(n);
    return text;
}

}

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<int> queued)
    : answers(std::move(queued)), outer(g_answerer)
{
    g_answerer = this;
    hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    UnhookWindowsHookEx(hook);
    g_answerer = outer;
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    MessageBoxAnswerer* self = g_answerer;
    if (code == HCBT_ACTIVATE && self) {
        HWND box = (HWND)wParam;
        wchar_t className[16] = L"";
        GetClassNameW(box, className, 16);
        // Only message boxes: their text sits in the static control 0xFFFF.
        if (wcscmp(className, L"#32770") == 0 && GetDlgItem(box, 0xFFFF)) {
            SeenBox seen;
            seen.caption = WindowText(box);
            seen.text = WindowText(GetDlgItem(box, 0xFFFF));
            seen.icon = IconOf(box);
            seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
            seen.hasNo = GetDlgItem(box, IDNO) != nullptr;
            seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
            seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
            size_t index = self->seen.size();
            self->seen.push_back(seen);
            int answer = IDOK;
            if (!self->answers.empty())
                answer = self->answers[index < self->answers.size() ? index : self->answers.size() - 1];
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                         (LPARAM)GetDlgItem(box, answer));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int serial = 0;
    wchar_t name[MAX_PATH];
    StringCchPrintfW(name, MAX_PATH, L"%squillex-%lu-%d", base, GetCurrentProcessId(), ++serial);
    CreateDirectoryW(name, nullptr);
    folder = name;
}

TempFolder::~TempFolder()
{
    // SHFileOperation wants a double-terminated list.
    std::wstring from = folder;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

std::wstring TempFolder::Path(const std::wstring& name) const
{
    return folder + L"\\" + name;
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], (DWORD)bytes.size(), &got, nullptr);
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), (DWORD)bytes.size(), &put, nullptr);
    CloseHandle(file);
    return ok && put == bytes.size();
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Utf16Bytes(const std::wstring& text)
{
    return std::string((const char*)text.data(), text.size() * sizeof(wchar_t));
}

std::wstring FromUtf16Bytes(const std::string& bytes)
{
    return std::wstring((const wchar_t*)bytes.data(), bytes.size() / sizeof(wchar_t));
}

std::string Encode(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), nullptr, 0, nullptr,
                                nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), &bytes[0], n, nullptr, nullptr);
    return bytes;
}

std::wstring Decode(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    return text;
}

EditHost::EditHost()
{
    window = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 240, 320, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 0, 200, 200, window,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

EditHost::~EditHost()
{
    DestroyWindow(window);
}

std::wstring EditHost::Text() const
{
    return WindowText(edit);
}

void EditHost::SetText(const std::wstring& text)
{
    SetWindowTextW(edit, text.c_str());
}

SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME t = {};
    t.wYear = (WORD)year;
    t.wMonth = (WORD)month;
    t.wDay = (WORD)day;
    t.wHour = (WORD)hour;
    t.wMinute = (WORD)minute;
    t.wSecond = (WORD)second;
    return t;
}
