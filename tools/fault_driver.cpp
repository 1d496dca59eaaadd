// fault-driver: works the running editor from outside for the fault-injection
// run (tools/fault-injection.py), as a user would: it reads one command a
// line on its standard input and answers one line ("ok ..." or "err ...").
//
//   wait SECONDS ASKED   waits for the editor's main window; with ASKED 1
//                        also for its restore question, answered Yes (or the
//                        message that nothing could be restored, answered
//                        OK); then until the window takes commands ("ok
//                        TEXT" gives the box's text, "ok -" when none)
//   windows              "ok N": the editor's main windows there are
//   discard EDIT         closes that document, answering No to its question
//   docs                 "ok N", then one line per document: its edit
//                        window and its text (hex bytes; the run types ASCII)
//   open PATH            hands PATH over as a second start of the program does
//   type EDIT TEXT       types TEXT at the end of that document
//   paste EDIT HEX       puts the text (hex bytes) at its end in one go
//   save EDIT post|send  makes it current and saves it: "send" waits for the
//                        save, "post" only asks for it (the run kills the
//                        editor while it saves)
//   quit

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tools/process_windows.h"

namespace {

HWND g_editor;

HWND FindEditor()
{
    return FindWindowW(L"QUILLEX", L"Quillex");
}

// A question or message the editor's process shows, or null.
HWND FindQuestion(DWORD process)
{
    return FirstTopLevelWindow([process](HWND window) {
        return ProcessOfWindow(window) == process &&
               (IsShownDialogWith(window, IDYES) || IsShownDialogWith(window, IDOK) ||
                IsShownDialogWith(window, IDCANCEL));
    });
}

std::string Ascii(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? (char)c : '?';
    return out;
}

std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, (LPARAM)&text[0], SMTO_NORMAL, 10000, &got);
    text.resize(got);
    return text;
}

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::wstring FromHex(const char* hex)
{
    std::wstring out;
    for (; hex[0] && hex[1]; hex += 2) {
        char pair[3] = { hex[0], hex[1], 0 };
        out += (wchar_t)strtoul(pair, nullptr, 16);
    }
    return out;
}

// The documents' edit windows: multi-line edits that are children of the
// main window itself (the find bar's boxes are the bar's).
BOOL CALLBACK AddEdit(HWND window, LPARAM lParam)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (lstrcmpiW(name, L"Edit") == 0 && GetParent(window) == g_editor &&
        (GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE))
        ((std::vector<HWND>*)lParam)->push_back(window);
    return TRUE;
}

std::vector<HWND> Documents()
{
    std::vector<HWND> edits;
    EnumChildWindows(g_editor, AddEdit, (LPARAM)&edits);
    return edits;
}

bool Command(int id, LPARAM lParam)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(g_editor, WM_COMMAND, MAKEWPARAM(id, 0), lParam, SMTO_NORMAL, 30000,
                               &result) != 0;
}

// Makes the document of that edit window current by its tab.
bool Select(HWND edit)
{
    for (int index = 0; index < 256; ++index) {
        if (IsWindowVisible(edit))
            return true;
        if (!Command(CMD_TAB_CHOSEN, index))
            return false;
    }
    return IsWindowVisible(edit);
}

void AtEnd(HWND edit)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, EM_SETSEL, (WPARAM)-1, -1, SMTO_NORMAL, 10000, &result);
    SendMessageTimeoutW(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF, SMTO_NORMAL, 10000, &result);
}

// Closes the document of `edit` (made current first), answering No to the
// question whether to save it.
bool Discard(HWND edit)
{
    if (!Select(edit))
        return false;
    PostMessageW(g_editor, WM_COMMAND, MAKEWPARAM(CMD_WINDOW_CLOSE, 0), 0);
    DWORD process = ProcessOfWindow(g_editor);
    DWORD end = GetTickCount() + 20000;
    while (IsWindow(edit) && (LONG)(GetTickCount() - end) < 0) {
        HWND box = FindQuestion(process);
        if (box && GetDlgItem(box, IDNO))
            PostMessageW(box, WM_COMMAND, IDNO, 0);
        Sleep(20);
    }
    return !IsWindow(edit);
}

std::string Wait(DWORD seconds, bool asked)
{
    DWORD end = GetTickCount() + seconds * 1000;
    std::string question = "-";
    while (!(g_editor = FindEditor())) {
        if ((LONG)(GetTickCount() - end) >= 0)
            return "err no window";
        Sleep(20);
    }
    if (asked) {
        DWORD process = ProcessOfWindow(g_editor);
        HWND box;
        while (!(box = FindQuestion(process))) {
            if ((LONG)(GetTickCount() - end) >= 0)
                return "err no question";
            Sleep(20);
        }
        HWND label = GetDlgItem(box, 0xFFFF);
        question = label ? Ascii(TextOf(label)) : "?";
        for (char& c : question) {
            if (c == ' ' || c == '\n' || c == '\r')
                c = '_';
        }
        PostMessageW(box, WM_COMMAND, GetDlgItem(box, IDYES) ? IDYES : IDOK, 0);
    }
    // Ready once the window is enabled again and answers.
    while (!IsWindowEnabled(g_editor) || !IsWindowVisible(g_editor)) {
        if ((LONG)(GetTickCount() - end) >= 0)
            return "err not ready";
        Sleep(20);
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(g_editor, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    return "ok " + question;
}

}

int main()
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    static char line[1 << 20];
    while (fgets(line, sizeof(line), stdin)) {
        line[strcspn(line, "\r\n")] = 0;
        char* arguments = strchr(line, ' ');
        if (arguments)
            *arguments++ = 0;
        else
            arguments = line + strlen(line);
        std::string verb = line;
        if (verb == "quit")
            break;
        if (verb == "wait") {
            DWORD seconds = strtoul(arguments, &arguments, 10);
            printf("%s\n", Wait(seconds, strtoul(arguments, nullptr, 10) != 0).c_str());
            continue;
        }
        if (verb == "windows") {
            size_t count = TopLevelWindows([](HWND window) {
                return HasWindowClass(window, L"QUILLEX");
            }).size();
            printf("ok %d\n", (int)count);
            continue;
        }
        if (!g_editor || !IsWindow(g_editor)) {
            printf("err no editor\n");
            continue;
        }
        if (verb == "docs") {
            std::vector<HWND> edits = Documents();
            printf("ok %d\n", (int)edits.size());
            for (HWND edit : edits)
                printf("%llu %s\n", (unsigned long long)(ULONG_PTR)edit,
                       Hex(Ascii(TextOf(edit))).c_str());
            continue;
        }
        if (verb == "open") {
            std::wstring path;
            for (const char* p = arguments; *p; ++p)
                path += (wchar_t)(unsigned char)*p;
            COPYDATASTRUCT data = { 0, (DWORD)((path.size() + 1) * sizeof(wchar_t)),
                                    (void*)path.c_str() };
            DWORD_PTR result = 0;
            bool sent = SendMessageTimeoutW(g_editor, WM_COPYDATA, 0, (LPARAM)&data, SMTO_NORMAL,
                                            30000, &result) != 0;
            printf(sent ? "ok\n" : "err open\n");
            continue;
        }
        char* rest = nullptr;
        HWND edit = (HWND)(ULONG_PTR)strtoull(arguments, &rest, 10);
        if (*rest == ' ')
            ++rest;
        if (!IsWindow(edit)) {
            printf("err no document\n");
            continue;
        }
        DWORD_PTR result = 0;
        if (verb == "type") {
            AtEnd(edit);
            for (const char* c = rest; *c; ++c)
                SendMessageTimeoutW(edit, WM_CHAR, (WPARAM)(unsigned char)*c, 1, SMTO_NORMAL, 10000,
                                    &result);
            printf("ok\n");
        } else if (verb == "paste") {
            std::wstring text = FromHex(rest);
            AtEnd(edit);
            SendMessageTimeoutW(edit, EM_REPLACESEL, TRUE, (LPARAM)text.c_str(), SMTO_NORMAL, 30000,
                                &result);
            printf("ok\n");
        } else if (verb == "discard") {
            printf(Discard(edit) ? "ok\n" : "err discard\n");
        } else if (verb == "save") {
            if (!Select(edit)) {
                printf("err select\n");
                continue;
            }
            bool wait = strcmp(rest, "send") == 0;
            bool done = wait ? Command(CMD_SAVE, 0)
                             : PostMessageW(g_editor, WM_COMMAND, MAKEWPARAM(CMD_SAVE, 0), 0) != 0;
            printf(done ? "ok\n" : "err save\n");
        } else {
            printf("err unknown\n");
        }
    }
    return 0;
}
