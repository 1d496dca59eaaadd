// window-ctl: waits for or closes the editor's main window from outside,
// the way a second program would see it.
//
//   window-ctl wait [SECONDS]   exit 0 once the main window exists and has
//                               painted, 1 after SECONDS (default 60)
//   window-ctl close [SECONDS]  posts WM_CLOSE (a clean shutdown, questions
//                               included) and waits until the window is gone
//   window-ctl command ID       posts the menu command ID, as a tap on the
//                               menu item would
//   window-ctl question          exit 0, printing its text (UTF-8), while the
//                               editor shows a message box; 1 when none is up
//   window-ctl end [SECONDS]     ends the editor's process at once, as a flat
//                               battery would, leaving any question unanswered
//                               and every file as it is
//
// With --desktop NAME first, it looks on that desktop (the Wine virtual
// desktop the editor runs on), waiting for the desktop to exist as well.

#include <windows.h>

#include <stdlib.h>
#include <wchar.h>

namespace {

HWND FindEditor()
{
    return FindWindowW(L"QUILLEX", L"Quillex");
}

// Moves this thread (which has no windows yet) onto the named desktop.
bool JoinDesktop(const wchar_t* name, DWORD seconds)
{
    DWORD end = GetTickCount() + seconds * 1000;
    for (;;) {
        HDESK desktop = OpenDesktopW(name, 0, FALSE, GENERIC_ALL);
        if (desktop && SetThreadDesktop(desktop))
            return true;
        if (desktop)
            CloseDesktop(desktop);
        if ((LONG)(GetTickCount() - end) >= 0)
            return false;
        Sleep(100);
    }
}

// The text control every message box has.
const int kMessageBoxText = 0xFFFF;

// A message box the editor's thread shows (over the main window or over one
// of its dialogs).
BOOL CALLBACK FindMessageBox(HWND window, LPARAM lParam)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window) ||
        !GetDlgItem(window, kMessageBoxText))
        return TRUE;
    *(HWND*)lParam = window;
    return FALSE;
}

HWND FindQuestion(HWND editor)
{
    HWND box = nullptr;
    EnumThreadWindows(GetWindowThreadProcessId(editor, nullptr), FindMessageBox, (LPARAM)&box);
    return box;
}

// The text as UTF-8 on standard output, whatever the console's code page.
void PrintUtf8(const wchar_t* text)
{
    char bytes[4096];
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof(bytes) - 1, nullptr,
                                     nullptr);
    if (length <= 0)
        return;
    bytes[length - 1] = '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes, (DWORD)length, &written, nullptr);
}

bool WaitFor(bool present, DWORD seconds)
{
    DWORD end = GetTickCount() + seconds * 1000;
    while ((FindEditor() != nullptr) != present) {
        if ((LONG)(GetTickCount() - end) >= 0)
            return false;
        Sleep(100);
    }
    return true;
}

}

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 3 && wcscmp(argv[1], L"--desktop") == 0) {
        DWORD seconds = argc >= 5 ? (DWORD)_wtoi(argv[4]) : 60;
        if (!JoinDesktop(argv[2], seconds))
            return 1;
        argc -= 2;
        argv += 2;
    }
    if (argc < 2)
        return 2;
    DWORD seconds = argc >= 3 ? (DWORD)_wtoi(argv[2]) : 60;
    if (wcscmp(argv[1], L"command") == 0 && argc < 3)
        return 2;
    if (wcscmp(argv[1], L"wait") == 0) {
        if (!WaitFor(true, seconds))
            return 1;
        // Let the window finish its first paint before anyone looks at it.
        HWND editor = FindEditor();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(editor, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        Sleep(500);
        return 0;
    }
    if (wcscmp(argv[1], L"command") == 0) {
        HWND editor = FindEditor();
        return editor && PostMessageW(editor, WM_COMMAND, MAKEWPARAM(_wtoi(argv[2]), 0), 0) ? 0 : 1;
    }
    if (wcscmp(argv[1], L"question") == 0) {
        HWND editor = FindEditor();
        HWND box = editor ? FindQuestion(editor) : nullptr;
        if (!box)
            return 1;
        wchar_t text[1024] = L"";
        DWORD_PTR got = 0;
        SendMessageTimeoutW(GetDlgItem(box, kMessageBoxText), WM_GETTEXT, ARRAYSIZE(text),
                            (LPARAM)text, SMTO_NORMAL, 5000, &got);
        text[ARRAYSIZE(text) - 1] = L'\0';
        PrintUtf8(text);
        return 0;
    }
    if (wcscmp(argv[1], L"end") == 0) {
        HWND editor = FindEditor();
        if (!editor)
            return 0;
        DWORD id = 0;
        GetWindowThreadProcessId(editor, &id);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process)
            return 1;
        bool ended = TerminateProcess(process, 1) &&
                     WaitForSingleObject(process, seconds * 1000) == WAIT_OBJECT_0;
        CloseHandle(process);
        return ended ? 0 : 1;
    }
    if (wcscmp(argv[1], L"close") == 0) {
        HWND editor = FindEditor();
        if (!editor)
            return 0;
        PostMessageW(editor, WM_CLOSE, 0, 0);
        return WaitFor(false, seconds) ? 0 : 1;
    }
    return 2;
}
