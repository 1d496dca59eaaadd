// bare-edit: the least a Win32 editor window can be, as the floor the
// benchmarks against notepad measure Quillex above: a window with one edit
// control over its client area, the file's text in it when one is named,
// shown, and a message loop; nothing else. It wraps its lines, unless told
// "-nowrap": then it scrolls sideways, with a horizontal scroll bar, as an
// editor does with word wrap off. "-quillexfont" gives it the font Quillex
// shows a text in on the VGA handheld by default, instead of the control's.
// Two commands (WM_COMMAND) save its text back to that file as UTF-16 with a
// mark, as the floor of a save (tools/bare_save.h): as a careful program
// must, and as notepad does. "-toolbar" adds a common-controls toolbar along
// its foot, as Quillex's menu bar is one: the floor of a program that needs
// that library at all.
//
//   bare-edit.exe [-nowrap] [-quillexfont] [-toolbar] [FILE]

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tools/bare_save.h"

namespace {

HWND g_edit = nullptr;
std::wstring g_path;

// The text to the file, UTF-16 after its mark.
void Save(bool careful)
{
    int units = GetWindowTextLengthW(g_edit);
    std::wstring text(units + 1, L'\xFEFF');
    GetWindowTextW(g_edit, &text[1], units + 1);
    BareSave(g_path, text.data(), (DWORD)(text.size() * sizeof(wchar_t)), careful);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        MoveWindow(g_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(g_edit);
        return 0;
    case WM_COMMAND:
        if (!g_path.empty() && (wParam == BARE_SAVE_FLUSHED || wParam == BARE_SAVE_IN_PLACE)) {
            Save(wParam == BARE_SAVE_FLUSHED);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The file's text: UTF-16 or UTF-8 after its byte-order mark, Windows-1251
// without one (the benchmark's files); empty when there is none.
std::wstring ReadText(const wchar_t* path)
{
    std::wstring text;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    DWORD size = GetFileSize(file, nullptr), got = 0;
    std::string bytes;
    if (size != INVALID_FILE_SIZE) {
        bytes.resize(size);
        if (!ReadFile(file, &bytes[0], size, &got, nullptr))
            got = 0;
        bytes.resize(got);
    }
    CloseHandle(file);
    if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0)
        return std::wstring((const wchar_t*)(bytes.data() + 2), (bytes.size() - 2) / 2);
    UINT codePage = 1251;
    size_t skip = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        codePage = CP_UTF8;
        skip = 3;
    }
    int units = MultiByteToWideChar(codePage, 0, bytes.data() + skip, (int)(bytes.size() - skip),
                                    nullptr, 0);
    text.resize(units);
    if (units > 0)
        MultiByteToWideChar(codePage, 0, bytes.data() + skip, (int)(bytes.size() - skip),
                            &text[0], units);
    return text;
}

// Takes `name` off the front of the command line when it stands there.
bool TakeSwitch(std::wstring* line, const std::wstring& name)
{
    if (line->compare(0, name.size(), name) != 0 ||
        (line->size() > name.size() && (*line)[name.size()] != L' '))
        return false;
    size_t at = line->find_first_not_of(L' ', name.size());
    *line = at == std::wstring::npos ? std::wstring() : line->substr(at);
    return true;
}

// Quillex's default text font at 192 DPI: its handheld system font
// (platform/device_fonts.cpp) 22 pixels high, antialiased
// (editor/document.cpp).
// Loaded by name, so that without the switch the floor maps no more than
// before.
HWND AddToolbar(HWND window, HINSTANCE instance)
{
    HMODULE library = LoadLibraryW(L"comctl32.dll");
    auto init = library ? (BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*))(void*)GetProcAddress(
                              library, "InitCommonControlsEx")
                        : nullptr;
    INITCOMMONCONTROLSEX classes = { sizeof(classes), ICC_BAR_CLASSES };
    if (!init || !init(&classes))
        return nullptr;
    return CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                           WS_CHILD | WS_VISIBLE | CCS_BOTTOM | TBSTYLE_FLAT, 0, 0, 0, 0, window,
                           nullptr, instance, nullptr);
}

HFONT QuillexFont()
{
    LOGFONTW font = {};
    font.lfHeight = 22;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    WNDCLASSW type = {};
    type.lpfnWndProc = MainProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    type.lpszClassName = L"BareEdit";
    if (!RegisterClassW(&type))
        return 1;
    std::wstring path = commandLine;
    bool wrap = !TakeSwitch(&path, L"-nowrap");
    HFONT font = TakeSwitch(&path, L"-quillexfont") ? QuillexFont() : nullptr;
    bool toolbar = TakeSwitch(&path, L"-toolbar");
    HWND window = CreateWindowW(L"BareEdit", L"bare-edit", WS_OVERLAPPEDWINDOW, 0, 0, 480, 640,
                                nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    g_edit = CreateWindowW(L"EDIT", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                               ES_NOHIDESEL | (wrap ? 0 : WS_HSCROLL | ES_AUTOHSCROLL),
                           0, 0, 0, 0, window, nullptr, instance, nullptr);
    if (font)
        SendMessageW(g_edit, WM_SETFONT, (WPARAM)font, FALSE);
    if (toolbar && !AddToolbar(window, instance))
        return 1;
    g_path = path;
    if (!g_path.empty() && g_path.front() == L'"')
        g_path = g_path.substr(1, g_path.find(L'"', 1) - 1);
    if (!g_path.empty()) {
        std::wstring text = ReadText(g_path.c_str());
        SendMessageW(g_edit, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(g_edit, text.c_str());
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
