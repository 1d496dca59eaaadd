// startup-bench: starts Quillex and Wine's notepad side by side, as separate
// processes on the same (virtual) desktop, and times what a user waits for:
// the start to the text painted, word wrap switched on a long paragraph,
// 200000 units pasted, and Quillex's layout with one and ten wrapped tabs.
// Each figure is the median of several runs; the two programs take turns
// within each run, so that a busy machine slows both alike. Also prints the
// private memory of each after its start. Run by tools/bench.
//
//   startup-bench.exe QUILLEX_FOLDER WORK_FOLDER OUT_FILE RUNS [CASE]
//
// With CASE (ASCII), only the start-up cases whose name holds it run.

#include <windows.h>
#include <psapi.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "tools/bench_timing.h"

namespace {

const UINT CMD_WORD_WRAP = 32780;   // Quillex's commands
const UINT CMD_SEARCH = 32789;
const UINT CMD_WINDOW_NEXT = 32843;
const UINT NOTEPAD_WRAP = 0x119;     // Wine's notepad's word-wrap command
const int kUnits = 29900;           // below Quillex's loading limit
const int kPasteUnits = 200000;

FILE* g_out = nullptr;
std::wstring g_quillexFolder, g_work;
int g_runs = 5;
// Only the start-up cases whose name holds this text, when given.
std::string g_only;

void Print(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(g_out, format, args);
    va_end(args);
    fflush(g_out);
}

bool WriteFileBytes(const std::wstring& path, const void* data, DWORD size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, data, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

// UTF-16 with a byte-order mark: both programs read it without guessing.
void WriteText(const std::wstring& path, const std::wstring& text)
{
    std::wstring bytes = L"\xFEFF" + text;
    WriteFileBytes(path, bytes.data(), (DWORD)(bytes.size() * sizeof(wchar_t)));
}

// Russian prose: lines of about 60 units, or one paragraph without a break.
std::wstring MakeText(int units, bool lines)
{
    const wchar_t* words[] = { L"редактор ", L"текст ", L"строка ", L"перенос ", L"окно ",
                               L"документ ", L"и ", L"по ", L"словам " };
    std::wstring text;
    int column = 0;
    for (int i = 0; (int)text.size() < units; ++i) {
        const wchar_t* word = words[(i * 7) % 9];
        text += word;
        column += (int)wcslen(word);
        if (lines && column > 55) {
            text += L"\r\n";
            column = 0;
        }
    }
    text.resize(units);
    return text;
}

struct Program {
    const char* name;
    bool quillex;
    PROCESS_INFORMATION process;
    HWND main;
};

struct FindMain {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMainProc(HWND window, LPARAM data)
{
    FindMain* find = (FindMain*)data;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == find->pid && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

struct FindEdit {
    HWND found;
    int length;
};

BOOL CALLBACK FindEditProc(HWND window, LPARAM data)
{
    FindEdit* find = (FindEdit*)data;
    wchar_t cls[16] = L"";
    GetClassNameW(window, cls, 16);
    if (lstrcmpiW(cls, L"Edit") != 0 || !IsWindowVisible(window))
        return TRUE;
    int length = (int)SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    if (!find->found || length > find->length) {
        find->found = window;
        find->length = length;
    }
    return TRUE;
}

// The edit window the user reads: the visible one with the most text.
HWND ShownEdit(HWND main)
{
    FindEdit find = { nullptr, 0 };
    EnumChildWindows(main, FindEditProc, (LPARAM)&find);
    return find.found;
}

void SetNotepadSettings(bool wrap)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    // The whole screen, as Quillex takes it.
    const struct { const wchar_t* name; DWORD value; } values[] = {
        { L"fWrap", wrap ? 1u : 0u }, { L"iWindowPosX", 0 }, { L"iWindowPosY", 0 },
        { L"iWindowPosDX", 480 }, { L"iWindowPosDY", 640 }, { L"StatusBar", 0 },
    };
    for (const auto& v : values)
        RegSetValueExW(key, v.name, 0, REG_DWORD, (const BYTE*)&v.value, sizeof(DWORD));
    RegCloseKey(key);
}

void SetQuillexSettings(bool wrap, int fontSize)
{
    std::wstring text = L"[Main]\r\nWordWrap=" + std::wstring(wrap ? L"1" : L"0") + L"\r\n";
    if (fontSize)
        text += L"FontSize=" + std::to_wstring(fontSize) + L"\r\n";
    WriteFileBytes(g_quillexFolder + L"Settings.ini", text.data(),
                   (DWORD)(text.size() * sizeof(wchar_t)));
    // A run ended by force leaves the snapshots of its unsaved text: the
    // next start would ask to restore them, and stand idle under the question.
    std::wstring recovery = g_quillexFolder + L"Recovery\\";
    WIN32_FIND_DATAW found;
    HANDLE files = FindFirstFileW((recovery + L"*").c_str(), &found);
    if (files != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((recovery + found.cFileName).c_str());
        while (FindNextFileW(files, &found));
        FindClose(files);
    }
    RemoveDirectoryW(recovery.c_str());
}

// Starts the program on `file` and waits until it is idle with its window
// painted. Milliseconds from the start, or -1.
double Start(Program& program, const std::wstring& file)
{
    std::wstring exe = program.quillex ? g_quillexFolder + L"Quillex.exe" : L"notepad.exe";
    std::wstring line = L"\"" + exe + L"\"";
    if (!file.empty())
        line += L" \"" + file + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    double begin = Now();
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.quillex ? g_quillexFolder.c_str() : nullptr, &startup,
                        &program.process))
        return -1;
    WaitForInputIdle(program.process.hProcess, 60000);
    FindMain find = { program.process.dwProcessId, nullptr };
    while (!find.found && Now() - begin < 60000) {
        EnumWindows(FindMainProc, (LPARAM)&find);
        if (!find.found)
            Sleep(1);
    }
    program.main = find.found;
    if (!program.main)
        return -1;
    // Whatever is still to be painted is painted now.
    RedrawWindow(program.main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - begin;
}

std::string ReadAll(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// Private memory as Linux counts it for the Wine process (anonymous resident
// pages and swap): what Wine itself reports for a process's own private
// usage, but not for another's. The process is found by the end of its
// command line (its program's path); the newest one counts.
double PrivateMiB(const Program& program)
{
    std::string name = "notepad.exe";
    if (program.quillex) {
        std::wstring path = g_quillexFolder + L"quillex.exe";
        name.assign(path.begin(), path.end());   // the folder's path is ASCII
        CharLowerBuffA(&name[0], (DWORD)name.size());
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    int newest = -1;
    do {
        int pid = _wtoi(found.cFileName);
        if (pid <= newest)
            continue;
        std::string command = ReadAll(L"Z:\\proc\\" + std::wstring(found.cFileName) + L"\\cmdline");
        CharLowerBuffA(&command[0], (DWORD)command.size());
        command = command.c_str();   // the program's path, before its arguments
        if (command.size() >= name.size() &&
            command.compare(command.size() - name.size(), name.size(), name) == 0)
            newest = pid;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    if (newest < 0)
        return -1;
    std::string status = ReadAll(L"Z:\\proc\\" + std::to_wstring(newest) + L"\\status");
    double kib = 0;
    for (const char* key : { "RssAnon:", "VmSwap:" }) {
        size_t at = status.find(key);
        if (at != std::string::npos)
            kib += atof(status.c_str() + at + strlen(key));
    }
    return kib / 1024.0;
}

void Stop(Program& program)
{
    if (program.main)
        PostMessageW(program.main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(program.process.hProcess, 5000) != WAIT_OBJECT_0) {
        // A question about unsaved changes: not this benchmark's business.
        TerminateProcess(program.process.hProcess, 0);
        WaitForSingleObject(program.process.hProcess, 5000);
    }
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    program.main = nullptr;
}

// Runs `command` (a WM_COMMAND sent to the main window, or a message to the
// shown edit window) and waits until everything it changed is painted.
double TimeCommand(HWND main, UINT command)
{
    double begin = Now();
    SendMessageW(main, WM_COMMAND, command, 0);
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - begin;
}

// The time, and in `units` how much of the clipboard went in.
double TimePaste(HWND main, int* units)
{
    HWND edit = ShownEdit(main);
    double begin = Now();
    SendMessageW(edit, WM_PASTE, 0, 0);
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    double time = Now() - begin;
    *units = (int)SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    return time;
}

struct Pair {
    std::vector<double> quillex, notepad;
    void Report(const char* name, const char* unit = "ms") const
    {
        double q = Median(quillex), n = Median(notepad);
        Print("%-46s %9.1f %9.1f %s   %.2fx\n", name, q, n, unit, n > 0 ? q / n : 0.0);
    }
};

void PutOnClipboard(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (memory) {
        memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

struct StartCase {
    const char* name;
    const wchar_t* file;
    bool wrap;
    int quillexFontSize;
};

// One start of each program per run, the order alternating.
void StartupCases(const std::wstring& lines, const std::wstring& paragraph)
{
    const StartCase cases[] = {
        { "start, no file", L"", false, 0 },
        { "start, 30000 units of lines", lines.c_str(), false, 0 },
        { "start, 30000 units of lines, wrap", lines.c_str(), true, 0 },
        { "start, one 30000-unit paragraph", paragraph.c_str(), false, 0 },
        { "start, one 30000-unit paragraph, wrap", paragraph.c_str(), true, 0 },
        { "start, paragraph, wrap, Quillex font 12 px", paragraph.c_str(), true, 12 },
    };
    Pair memory;
    for (const StartCase& c : cases) {
        if (!g_only.empty() && !strstr(c.name, g_only.c_str()))
            continue;
        Pair times;
        int quillexLines = 0, notepadLines = 0;
        for (int run = 0; run < g_runs; ++run) {
            for (int turn = 0; turn < 2; ++turn) {
                bool quillex = (turn == 0) == (run % 2 == 0);
                Program program = { quillex ? "Quillex" : "notepad", quillex, {}, nullptr };
                SetQuillexSettings(c.wrap, c.quillexFontSize);
                SetNotepadSettings(c.wrap);
                double t = Start(program, c.file);
                if (t >= 0) {
                    HWND edit = ShownEdit(program.main);
                    int count = (int)SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
                    (quillex ? quillexLines : notepadLines) = count;
                    (quillex ? times.quillex : times.notepad).push_back(t);
                    if (!c.file[0])
                        (quillex ? memory.quillex : memory.notepad).push_back(PrivateMiB(program));
                }
                Stop(program);
            }
        }
        times.Report(c.name);
        if (c.file[0])
            Print("    (lines on the screen's width: Quillex %d, notepad %d)\n", quillexLines,
                  notepadLines);
    }
    memory.Report("private memory after start, no file", "MiB");
}

// Word wrap on and off on one 30000-unit paragraph, and 200000 units pasted
// into an empty wrapping document.
void EditingCases(const std::wstring& paragraph)
{
    Pair wrapOn, wrapOff, paste, paste12;
    int pasted[2] = { 0, 0 };
    std::wstring clip = MakeText(kPasteUnits, true);
    for (int run = 0; run < g_runs; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            bool quillex = (turn == 0) == (run % 2 == 0);
            Program program = { quillex ? "Quillex" : "notepad", quillex, {}, nullptr };
            SetQuillexSettings(false, 0);
            SetNotepadSettings(false);
            if (Start(program, paragraph) >= 0) {
                UINT wrap = quillex ? CMD_WORD_WRAP : NOTEPAD_WRAP;
                (quillex ? wrapOn.quillex : wrapOn.notepad).push_back(TimeCommand(program.main, wrap));
                (quillex ? wrapOff.quillex : wrapOff.notepad).push_back(TimeCommand(program.main, wrap));
            }
            Stop(program);

            SetQuillexSettings(true, 0);
            SetNotepadSettings(true);
            PutOnClipboard(clip);
            if (Start(program, L"") >= 0)
                (quillex ? paste.quillex : paste.notepad)
                    .push_back(TimePaste(program.main, &pasted[quillex ? 0 : 1]));
            Stop(program);

            SetQuillexSettings(true, 12);
            PutOnClipboard(clip);
            if (Start(program, L"") >= 0)
                (quillex ? paste12.quillex : paste12.notepad)
                    .push_back(TimePaste(program.main, &pasted[quillex ? 0 : 1]));
            Stop(program);
        }
    }
    wrapOn.Report("word wrap on, one 30000-unit paragraph");
    wrapOff.Report("word wrap off, one 30000-unit paragraph");
    paste.Report("paste 200000 units of lines, wrap on");
    paste12.Report("paste 200000 units, wrap on, Quillex font 12 px");
    Print("    (units in the window after it: Quillex %d, notepad %d)\n", pasted[0], pasted[1]);
}

// Quillex alone: the layout with one and with ten wrapped 30000-unit tabs.
void LayoutCases(const std::wstring& lines)
{
    std::vector<double> results[2][3];
    for (int run = 0; run < g_runs; ++run) {
        for (int tabs : { 1, 10 }) {
            Program program = { "Quillex", true, {}, nullptr };
            SetQuillexSettings(true, 0);
            if (Start(program, lines) < 0) {
                Stop(program);
                continue;
            }
            for (int i = 1; i < tabs; ++i) {
                COPYDATASTRUCT data = { 0, (DWORD)((lines.size() + 1) * sizeof(wchar_t)),
                                        (void*)lines.c_str() };
                SendMessageW(program.main, WM_COPYDATA, 0, (LPARAM)&data);
            }
            // The first tab is shown; the others wait hidden.
            if (tabs > 1)
                SendMessageW(program.main, WM_COMMAND, CMD_WINDOW_NEXT, 0);
            RedrawWindow(program.main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            int k = tabs == 1 ? 0 : 1;
            results[k][0].push_back(TimeCommand(program.main, CMD_SEARCH));
            results[k][1].push_back(TimeCommand(program.main, CMD_SEARCH));
            // A change of the window's size, as turning the screen makes.
            RECT frame;
            GetWindowRect(program.main, &frame);
            double begin = Now();
            SetWindowPos(program.main, nullptr, 0, 0, frame.right - frame.left - 40,
                         frame.bottom - frame.top, SWP_NOZORDER | SWP_NOMOVE);
            RedrawWindow(program.main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            results[k][2].push_back(Now() - begin);
            Stop(program);
        }
    }
    const char* names[3] = { "find bar shown", "find bar hidden", "window resized" };
    for (int i = 0; i < 3; ++i) {
        double one = Median(results[0][i]), ten = Median(results[1][i]);
        Print("%-46s %9.1f %9.1f ms   %.2fx\n", names[i], one, ten, one > 0 ? ten / one : 0.0);
    }
}

}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 5)
        return 2;
    g_quillexFolder = argv[1];
    g_work = argv[2];
    g_out = _wfopen(argv[3], L"w");
    g_runs = _wtoi(argv[4]);
    if (!g_out || g_runs < 1)
        return 2;
    if (argc > 5) {
        std::wstring only = argv[5];
        g_only.assign(only.begin(), only.end());
    }
    std::wstring lines = g_work + L"lines.txt", paragraph = g_work + L"paragraph.txt";
    WriteText(lines, MakeText(kUnits, true));
    WriteText(paragraph, MakeText(kUnits, false));

    // The first start of each warms Wine's caches; it is not counted.
    for (bool quillex : { true, false }) {
        Program program = { "", quillex, {}, nullptr };
        SetQuillexSettings(false, 0);
        SetNotepadSettings(false);
        Start(program, L"");
        Stop(program);
    }
    Print("medians of %d runs; Quillex and notepad take turns\n", g_runs);
    Print("%-46s %9s %9s      %s\n", "", "Quillex", "notepad", "ratio");
    StartupCases(lines, paragraph);
    if (!g_only.empty()) {
        fclose(g_out);
        return 0;
    }
    EditingCases(paragraph);
    Print("\n%-46s %9s %9s      %s\n", "Quillex layout, wrapped 30000-unit tabs", "1 tab",
          "10 tabs", "ratio");
    LayoutCases(lines);
    fclose(g_out);
    return 0;
}
