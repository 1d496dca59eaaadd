#include "tools/bench_programs.h"

#include <stdarg.h>
#include <stdio.h>

#include "tools/bench_timing.h"
#include "tools/process_windows.h"

FILE* g_out = nullptr;
std::wstring g_quillexFolder;
int g_runs = 5;

void Print(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(g_out, format, args);
    va_end(args);
    fflush(g_out);
}

bool ReadArguments(int argc, wchar_t** argv, std::wstring* work)
{
    if (argc < 5)
        return false;
    g_quillexFolder = argv[1];
    *work = argv[2];
    g_out = _wfopen(argv[3], L"w");
    g_runs = _wtoi(argv[4]);
    return g_out && g_runs >= 1;
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

void WriteText(const std::wstring& path, const std::wstring& text)
{
    std::wstring bytes = L"\xFEFF" + text;
    WriteFileBytes(path, bytes.data(), (DWORD)(bytes.size() * sizeof(wchar_t)));
}

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

Program ProgramForTurn(int run, int turn)
{
    bool quillex = (turn == 0) == (run % 2 == 0);
    return Program{ quillex ? "Quillex" : "notepad", quillex, {}, nullptr, false, L"" };
}

Program BareProgram(const wchar_t* layout)
{
    return Program{ "bare edit", false, {}, nullptr, true, layout };
}

namespace {

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

}

double Start(Program& program, const std::wstring& file)
{
    std::wstring exe = program.bare      ? g_quillexFolder + L"bare-edit.exe"
                       : program.quillex ? g_quillexFolder + L"Quillex.exe"
                                         : L"notepad.exe";
    std::wstring line = L"\"" + exe + L"\"";
    if (program.bare && program.layout[0])
        line += L" " + std::wstring(program.layout);
    if (!file.empty())
        line += L" \"" + file + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    double begin = Now();
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.quillex || program.bare ? g_quillexFolder.c_str() : nullptr, &startup,
                        &program.process))
        return -1;
    WaitForInputIdle(program.process.hProcess, 60000);
    // The program's main window: its shown, unowned top-level window.
    DWORD process = program.process.dwProcessId;
    auto isMain = [process](HWND window) {
        return ProcessOfWindow(window) == process && IsWindowVisible(window) &&
               !GetWindow(window, GW_OWNER);
    };
    HWND main = nullptr;
    while (!(main = FirstTopLevelWindow(isMain)) && Now() - begin < 60000)
        Sleep(1);
    program.main = main;
    if (!program.main)
        return -1;
    PaintNow(program.main);
    return Now() - begin;
}

double Stop(Program& program)
{
    double begin = Now();
    if (program.main)
        PostMessageW(program.main, WM_CLOSE, 0, 0);
    double time = -1;
    if (WaitForSingleObject(program.process.hProcess, 5000) == WAIT_OBJECT_0) {
        time = Now() - begin;
    } else {
        // A question about unsaved changes: not this benchmark's business.
        TerminateProcess(program.process.hProcess, 0);
        WaitForSingleObject(program.process.hProcess, 5000);
    }
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    program.main = nullptr;
    return time;
}

HWND ShownEdit(HWND main)
{
    FindEdit find = { nullptr, 0 };
    EnumChildWindows(main, FindEditProc, (LPARAM)&find);
    return find.found;
}

void PaintNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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

// Wine reports nothing of another process's memory; Linux does. The process
// is found by the end of its command line (its program's path); the newest
// one counts.
double AnonymousMiB(const Program& program)
{
    std::string name = "notepad.exe";
    if (program.quillex || program.bare) {
        std::wstring path = g_quillexFolder + (program.bare ? L"bare-edit.exe" : L"quillex.exe");
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

void WarmUp()
{
    for (int kind = 0; kind < 3; ++kind) {
        Program program = { "", kind == 0, {}, nullptr, kind == 2, L"" };
        SetQuillexSettings(false, 0);
        SetNotepadSettings(false);
        Start(program, L"");
        Stop(program);
    }
}

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

void Pair::Report(const char* name, const char* unit, double target) const
{
    double q = Median(quillex), n = Median(notepad);
    if (q < 0 || n < 0) {
        Print("%-50s   no figure (Quillex %zu, notepad %zu values)\n", name, quillex.size(),
              notepad.size());
        return;
    }
    const char* format = strcmp(unit, "ms") == 0 ? "%-50s %9.1f %9.1f %-3s %6.2fx"
                                                  : "%-50s %9.2f %9.2f %-3s %6.2fx";
    Print(format, name, q, n, unit, n > 0 ? q / n : 0.0);
    if (target > 0)
        Print("   <= %.2fx %-7s", target, n > 0 && q / n <= target ? "met" : "NOT met");
    double f = Median(floor);
    if (!floor.empty() && f > 0) {
        const char* floorFormat = strcmp(unit, "ms") == 0 ? "   floor %7.1f, Quillex %.2fx it"
                                                           : "   floor %7.2f, Quillex %.2fx it";
        Print(floorFormat, f, q / f);
    }
    Print("\n");
}
