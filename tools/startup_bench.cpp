// startup-bench: starts Quillex and Wine's notepad side by side, as separate
// processes on the same (virtual) desktop, and times what a user waits for:
// the start to the text painted, word wrap switched on a long paragraph,
// 200000 units pasted, and Quillex's layout with one and ten wrapped tabs.
// Each figure is the median of several runs; the two programs take turns
// within each run, so that a busy machine slows both alike. Also prints the
// anonymous memory of each after its start. Run by tools/bench.
//
//   startup-bench.exe QUILLEX_FOLDER WORK_FOLDER OUT_FILE RUNS [CASE]
//
// With CASE (ASCII), only the start-up cases whose name holds it run.

#include <windows.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "tools/bench_programs.h"
#include "tools/bench_timing.h"

namespace {

const UINT CMD_WORD_WRAP = 32780;   // Quillex's commands
const UINT CMD_SEARCH = 32789;
const UINT CMD_WINDOW_NEXT = 32843;
const UINT NOTEPAD_WRAP = 0x119;     // Wine's notepad's word-wrap command
const int kUnits = 29900;           // below Quillex's loading limit
const int kPasteUnits = 200000;

std::wstring g_work;
// Only the start-up cases whose name holds this text, when given.
std::string g_only;

// Runs `command` (a WM_COMMAND sent to the main window, or a message to the
// shown edit window) and waits until everything it changed is painted.
double TimeCommand(HWND main, UINT command)
{
    double begin = Now();
    SendMessageW(main, WM_COMMAND, command, 0);
    PaintNow(main);
    return Now() - begin;
}

// The time, and in `units` how much of the clipboard went in.
double TimePaste(HWND main, int* units)
{
    HWND edit = ShownEdit(main);
    double begin = Now();
    SendMessageW(edit, WM_PASTE, 0, 0);
    PaintNow(main);
    double time = Now() - begin;
    *units = (int)SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    return time;
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
                Program program = ProgramForTurn(run, turn);
                bool quillex = program.quillex;
                SetQuillexSettings(c.wrap, c.quillexFontSize);
                SetNotepadSettings(c.wrap);
                double t = Start(program, c.file);
                if (t >= 0) {
                    HWND edit = ShownEdit(program.main);
                    int count = (int)SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
                    (quillex ? quillexLines : notepadLines) = count;
                    (quillex ? times.quillex : times.notepad).push_back(t);
                    if (!c.file[0])
                        (quillex ? memory.quillex : memory.notepad).push_back(AnonymousMiB(program));
                }
                Stop(program);
            }
        }
        times.Report(c.name);
        if (c.file[0])
            Print("    (lines on the screen's width: Quillex %d, notepad %d)\n", quillexLines,
                  notepadLines);
    }
    memory.Report("anonymous memory after start, no file", "MiB");
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
            Program program = ProgramForTurn(run, turn);
            bool quillex = program.quillex;
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
            Program program = { "Quillex", true, {}, nullptr, false, L"" };
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
            PaintNow(program.main);
            int k = tabs == 1 ? 0 : 1;
            results[k][0].push_back(TimeCommand(program.main, CMD_SEARCH));
            results[k][1].push_back(TimeCommand(program.main, CMD_SEARCH));
            // A change of the window's size, as turning the screen makes.
            RECT frame;
            GetWindowRect(program.main, &frame);
            double begin = Now();
            SetWindowPos(program.main, nullptr, 0, 0, frame.right - frame.left - 40,
                         frame.bottom - frame.top, SWP_NOZORDER | SWP_NOMOVE);
            PaintNow(program.main);
            results[k][2].push_back(Now() - begin);
            Stop(program);
        }
    }
    const char* names[3] = { "find bar shown", "find bar hidden", "window resized" };
    for (int i = 0; i < 3; ++i) {
        double one = Median(results[0][i]), ten = Median(results[1][i]);
        Print("%-50s %9.1f %9.1f ms   %.2fx\n", names[i], one, ten, one > 0 ? ten / one : 0.0);
    }
}

}

int wmain(int argc, wchar_t** argv)
{
    if (!ReadArguments(argc, argv, &g_work))
        return 2;
    if (argc > 5) {
        std::wstring only = argv[5];
        g_only.assign(only.begin(), only.end());
    }
    std::wstring lines = g_work + L"lines.txt", paragraph = g_work + L"paragraph.txt";
    WriteText(lines, MakeText(kUnits, true));
    WriteText(paragraph, MakeText(kUnits, false));

    WarmUp();
    Print("medians of %d runs; Quillex and notepad take turns\n", g_runs);
    Print("%-50s %9s %9s      %s\n", "", "Quillex", "notepad", "ratio");
    StartupCases(lines, paragraph);
    if (!g_only.empty()) {
        fclose(g_out);
        return 0;
    }
    EditingCases(paragraph);
    Print("\n%-50s %9s %9s      %s\n", "Quillex layout, wrapped 30000-unit tabs", "1 tab",
          "10 tabs", "ratio");
    LayoutCases(lines);
    fclose(g_out);
    return 0;
}
