#ifndef QUILLEX_TOOLS_BENCH_PROGRAMS_H
#define QUILLEX_TOOLS_BENCH_PROGRAMS_H

// What the benchmarks against Wine's notepad share: the two programs started
// as processes of their own on the same desktop, their settings, the files
// they open, and the report of one figure of each with their ratio.

#include <windows.h>

#include <string>
#include <vector>

extern FILE* g_out;
extern std::wstring g_quillexFolder;
extern int g_runs;

void Print(const char* format, ...);

// QUILLEX_FOLDER WORK_FOLDER OUT_FILE RUNS, the arguments both benchmarks
// against notepad begin with, into g_quillexFolder, `work`, g_out and g_runs.
bool ReadArguments(int argc, wchar_t** argv, std::wstring* work);

bool WriteFileBytes(const std::wstring& path, const void* data, DWORD size);
// UTF-16 with a byte-order mark: both programs read it without guessing.
void WriteText(const std::wstring& path, const std::wstring& text);
// Russian prose: lines of about 60 units, or one paragraph without a break.
std::wstring MakeText(int units, bool lines);

struct Program {
    const char* name;
    bool quillex;
    PROCESS_INFORMATION process;
    HWND main;
    bool bare;              // the floor: bare-edit.exe, beside Quillex.exe
    const wchar_t* layout;  // the floor's switches (tools/bare_edit.cpp)
};

// Run `run`'s turn `turn` (0 or 1): the programs take turns, the order
// alternating from run to run, so that a busy machine slows both alike.
Program ProgramForTurn(int run, int turn);
// The floor the two are measured above: a window with an edit control and
// nothing else (tools/bare_edit.cpp), from the Quillex folder, started with
// `layout`'s switches: its lines wrap, unless told "-nowrap".
Program BareProgram(const wchar_t* layout = L"");

// Starts the program on `file` (none when empty) and waits until it is idle
// with its window painted. Milliseconds from the start, or -1.
double Start(Program& program, const std::wstring& file);
// Closes the program (WM_CLOSE) and waits until its process is gone, ending
// it by force after 5 seconds. Milliseconds from the close to the end.
double Stop(Program& program);

// The edit window the user reads: the visible one with the most text.
HWND ShownEdit(HWND main);
// Paints at once whatever `window` and its children still have to paint.
void PaintNow(HWND window);

void SetNotepadSettings(bool wrap);
void SetQuillexSettings(bool wrap, int fontSize);

// Anonymous resident memory of the program's Wine process as Linux counts
// it (RssAnon and VmSwap of /proc/PID/status), in MiB; -1 when not found.
double AnonymousMiB(const Program& program);

// The first start of each program warms Wine's caches; it is not counted.
void WarmUp();

void PutOnClipboard(const std::wstring& text);

// One figure of each program over the runs; printed as the medians, their
// ratio, and the ratio aimed at when there is one; with the floor's median
// and Quillex's distance above it when the floor was measured.
struct Pair {
    std::vector<double> quillex, notepad, floor;
    std::vector<double>& Of(const Program& program)
    {
        return program.bare ? floor : program.quillex ? quillex : notepad;
    }
    void Report(const char* name, const char* unit = "ms", double target = 0) const;
};

#endif
