// peer-bench: the everyday actions of Quillex against Wine's notepad, each
// program a process of its own on the same (virtual) desktop, in turns:
// find next, Ctrl+S just after typing, close, start with and without a file,
// typing at the start of a long wrapped paragraph, and anonymous memory.
// Prints the medians, their ratio and the ratio aimed at, and where it has
// one the floor: the same start, press, key or save in a bare edit window
// (tools/bare_edit.cpp). Run by tools/bench.
//
//   peer-bench.exe QUILLEX_FOLDER WORK_FOLDER OUT_FILE RUNS [ROWS]
//
// ROWS limits the run to the rows whose name holds it (for example "find
// next"); the rows of one case (start, close and memory) come together.

#include <windows.h>
#include <stdio.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tools/bare_save.h"
#include "tools/bench_programs.h"
#include "tools/bench_timing.h"
#include "tools/process_windows.h"

namespace {

const UINT QX_SAVE = 32783;          // Quillex's commands and controls
const UINT QX_SEARCH = 32789;
const int QX_FIND_TEXT = 1002;
const int QX_FIND_NEXT = 1004;
const UINT NOTEPAD_SAVE = 0x102;     // Wine's notepad's commands, and its Find dialog's
const UINT NOTEPAD_SEARCH = 0x120;
const int FIND_DIALOG_TEXT = 0x480;
const int kUnits = 29900;            // below Quillex's loading limit
const int kMatches = 500;
const int kPresses = 40;             // find-next presses timed per run
const int kKeys = 20;                // keys typed per run
const int kSaves = 3;                // saves per run

std::wstring g_work;
std::string g_rows;   // empty: every row

// Whether a case with these rows runs; its rows are printed only then.
bool Wanted(std::initializer_list<const char*> rows)
{
    for (const char* row : rows) {
        if (g_rows.empty() || std::string(row).find(g_rows) != std::string::npos)
            return true;
    }
    return false;
}

// kMatches lines of 59 units, each with one "ключ": 29500 units, within
// Quillex's loading limit (a longer text brings up its "file too large"
// question, which stops the whole case).
std::wstring MatchText()
{
    std::wstring filler = MakeText(52, false), text;
    for (int i = 0; i < kMatches; ++i)
        text += L"ключ " + filler + L"\r\n";
    return text;
}

void WriteEncoded(const std::wstring& path, const std::wstring& text, UINT codePage, bool mark)
{
    int size = WideCharToMultiByte(codePage, 0, text.c_str(), (int)text.size(), nullptr, 0,
                                   nullptr, nullptr);
    std::string bytes(mark ? "\xEF\xBB\xBF" : "");
    size_t at = bytes.size();
    bytes.resize(at + size);
    WideCharToMultiByte(codePage, 0, text.c_str(), (int)text.size(), &bytes[at], size, nullptr,
                        nullptr);
    WriteFileBytes(path, bytes.data(), (DWORD)bytes.size());
}

struct FindChild {
    int id;
    HWND found;
};

BOOL CALLBACK FindChildProc(HWND window, LPARAM data)
{
    FindChild* find = (FindChild*)data;
    if (GetDlgCtrlID(window) != find->id)
        return TRUE;
    find->found = window;
    return FALSE;
}

HWND Control(HWND parent, int id)
{
    FindChild find = { id, nullptr };
    EnumChildWindows(parent, FindChildProc, (LPARAM)&find);
    return find.found;
}

// A tap on the button, as the window that holds it hears of it. False when
// the program did not answer (a question of its own stands in the way).
bool Press(HWND button)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(GetParent(button), WM_COMMAND,
                               MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), (LPARAM)button,
                               SMTO_NORMAL, 5000, &result) != 0;
}

// Another process's control takes its text from WM_SETTEXT only.
void TypeInto(HWND box, const wchar_t* text)
{
    SendMessageW(box, WM_SETTEXT, 0, (LPARAM)text);
}

DWORD SelectionEnd(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    return end;
}

// The "next" button of Quillex's find bar or of notepad's Find dialog, with
// the find text typed in; null when it is not there.
HWND OpenFind(const Program& program)
{
    if (program.quillex) {
        SendMessageW(program.main, WM_COMMAND, QX_SEARCH, 0);
        HWND next = Control(program.main, QX_FIND_NEXT);
        TypeInto(GetDlgItem(GetParent(next), QX_FIND_TEXT), L"ключ");
        return next;
    }
    PostMessageW(program.main, WM_COMMAND, NOTEPAD_SEARCH, 0);
    DWORD process = program.process.dwProcessId;
    auto isFindDialog = [process](HWND window) {
        return ProcessOfWindow(window) == process && IsWindowVisible(window) &&
               Control(window, FIND_DIALOG_TEXT);
    };
    HWND dialog = nullptr;
    double begin = Now();
    while (!(dialog = FirstTopLevelWindow(isFindDialog)) && Now() - begin < 5000)
        Sleep(1);
    if (!dialog)
        return nullptr;
    TypeInto(Control(dialog, FIND_DIALOG_TEXT), L"ключ");
    return GetDlgItem(dialog, IDOK);
}

// The end of a press, the same for the three: nothing left to paint, and the
// paint the program started on its own finished. A redraw from outside does
// not wait for a paint already begun (the bare edit begins its own as soon
// as it has answered the messages that moved its selection); a message then
// answered by the program's thread comes only after it.
void PaintedAndDone(HWND main)
{
    PaintNow(main);
    SendMessageW(main, WM_NULL, 0, 0);
}

// Whether the text has begun to scroll: from then on, every match being on
// the line after the last one's, each press scrolls by one line. Before,
// presses only move the selection, and a program showing more lines (a
// smaller font) would have more of those cheaper presses.
bool Scrolling(HWND edit)
{
    return SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0) > 0;
}

// The floor of a press: the bare edit window, its lines unwrapped as the
// programs' are here and in Quillex's font, told to select the next match
// and show it, to the match painted.
void SelectMatchesBare(const Program& program, const std::wstring& text, Pair* perPress)
{
    HWND edit = ShownEdit(program.main);
    size_t at = 0;
    for (int timed = 0, i = 0; edit && timed < kPresses; ++i) {
        at = text.find(L"ключ", i ? at + 1 : 0);
        if (at == std::wstring::npos)
            break;
        bool counts = Scrolling(edit);
        double begin = Now();
        SendMessageW(edit, EM_SETSEL, at, at + 4);
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
        PaintedAndDone(program.main);
        if (counts) {
            perPress->Of(program).push_back(Now() - begin);
            ++timed;
        }
    }
}

// One press of `key` in `keys` to the next match painted, in milliseconds;
// -1 when the selection did not move (nothing found).
double PressForNext(const Program& program, HWND keys, WPARAM key, HWND edit)
{
    DWORD before = SelectionEnd(edit);
    double begin = Now();
    PostMessageW(keys, WM_KEYDOWN, key, 1);
    bool moved = false;
    while (!(moved = SelectionEnd(edit) != before) && Now() - begin < 1000) {
    }
    PaintedAndDone(program.main);
    double time = Now() - begin;
    PostMessageW(keys, WM_KEYUP, key, 0xC0000001);
    return moved ? time : -1;
}

// Each press of the key for the next match (Enter in Quillex's find box, F3
// in notepad) to the match painted, once the text scrolls at every press;
// word wrap off, so every line is one of the text's, and a horizontal scroll
// bar to redraw in all three.
void FindNextCase(const std::wstring& file, const std::wstring& text, Pair* perPress)
{
    for (int run = 0; run < g_runs; ++run) {
        Program bare = BareProgram(L"-nowrap -quillexfont");
        if (Start(bare, file) >= 0)
            SelectMatchesBare(bare, text, perPress);
        Stop(bare);
        for (int turn = 0; turn < 2; ++turn) {
            Program program = ProgramForTurn(run, turn);
            SetQuillexSettings(false, 0);
            SetNotepadSettings(false);
            if (Start(program, file) >= 0) {
                HWND edit = ShownEdit(program.main);
                HWND next = OpenFind(program);
                // Notepad's first search, from its dialog, sets F3 up.
                bool pressed = next && (program.quillex || Press(next));
                HWND keys = program.quillex ? GetDlgItem(GetParent(next), QX_FIND_TEXT) : edit;
                WPARAM key = program.quillex ? VK_RETURN : VK_F3;
                for (int timed = 0; pressed && timed < kPresses;) {
                    bool counts = Scrolling(edit);
                    double time = PressForNext(program, keys, key, edit);
                    if (time < 0)
                        break;   // nothing found: the case says nothing
                    if (counts) {
                        perPress->Of(program).push_back(time);
                        ++timed;
                    }
                }
            }
            Stop(program);
        }
    }
}

// A key typed, then the save over the file the text was loaded from, to
// the window repainted.
double TypeAndSave(const Program& program, HWND edit, UINT command)
{
    SendMessageW(edit, WM_CHAR, L'ж', 1);
    PaintNow(program.main);
    double begin = Now();
    SendMessageW(program.main, WM_COMMAND, command, 0);
    PaintNow(program.main);
    return Now() - begin;
}

// Ctrl+S just after a key; the floor is the bare edit window's save of the
// same text as a careful program must make it (a copy, flushed, moved over
// the file), `unflushed` its save as notepad makes it (over the file, no
// flush).
void SaveCase(const std::wstring& text, Pair* save, std::vector<double>* unflushed)
{
    for (int run = 0; run < g_runs; ++run) {
        for (int turn = 0; turn < 3; ++turn) {
            Program program = turn == 2 ? BareProgram() : ProgramForTurn(run, turn);
            std::wstring file = g_work + (program.bare      ? L"save-b.txt"
                                          : program.quillex ? L"save-q.txt"
                                                            : L"save-n.txt");
            WriteText(file, text);
            SetQuillexSettings(false, 0);
            SetNotepadSettings(false);
            if (Start(program, file) >= 0) {
                HWND edit = ShownEdit(program.main);
                UINT command = program.bare      ? BARE_SAVE_FLUSHED
                               : program.quillex ? QX_SAVE
                                                 : NOTEPAD_SAVE;
                for (int i = 0; i < kSaves; ++i) {
                    save->Of(program).push_back(TypeAndSave(program, edit, command));
                    if (program.bare)
                        unflushed->push_back(TypeAndSave(program, edit, BARE_SAVE_IN_PLACE));
                }
            }
            Stop(program);
        }
    }
}

// Each key to its effect painted.
void TypingCase(const std::wstring& file, Pair* typing)
{
    for (int run = 0; run < g_runs; ++run) {
        for (int turn = 0; turn < 3; ++turn) {
            Program program = turn == 2 ? BareProgram() : ProgramForTurn(run, turn);
            SetQuillexSettings(true, 0);
            SetNotepadSettings(true);
            if (Start(program, file) >= 0) {
                HWND edit = ShownEdit(program.main);
                SendMessageW(edit, EM_SETSEL, 0, 0);
                for (int i = 0; i < kKeys; ++i) {
                    double begin = Now();
                    SendMessageW(edit, WM_CHAR, L'ж', 1);
                    PaintNow(program.main);
                    typing->Of(program).push_back(Now() - begin);
                }
            }
            Stop(program);
        }
    }
}

struct StartFigures {
    Pair start, close, memory;
    // The bare window as Quillex shows a text (unwrapped, in its font) with a
    // common-controls toolbar, as Quillex's menu bar is one.
    std::vector<double> toolbarStart, toolbarMemory;
};

// Starts on `file` (none when empty), its memory once started, the close
// (nothing modified) to the process gone. A fourth turn gives the floor of
// a program that shows its text as Quillex does and needs the common
// controls: both scroll bars, and that library loaded before its main.
void StartCase(const std::wstring& file, StartFigures* figures)
{
    for (int run = 0; run < g_runs; ++run) {
        for (int turn = 0; turn < 4; ++turn) {
            Program program = turn == 3   ? BareProgram(L"-nowrap -quillexfont -toolbar")
                              : turn == 2 ? BareProgram()
                                          : ProgramForTurn(run, turn);
            SetQuillexSettings(false, 0);
            SetNotepadSettings(false);
            double start = Start(program, file);
            if (start >= 0 && turn == 3) {
                figures->toolbarStart.push_back(start);
                figures->toolbarMemory.push_back(AnonymousMiB(program));
                Stop(program);
                continue;
            }
            if (start >= 0) {
                figures->start.Of(program).push_back(start);
                figures->memory.Of(program).push_back(AnonymousMiB(program));
            }
            double close = Stop(program);
            if (start >= 0 && close >= 0)
                figures->close.Of(program).push_back(close);
        }
    }
}

// The second floor of a start row, under it.
void ReportToolbarFloor(const Pair& row, const std::vector<double>& floor, const char* format)
{
    double toolbar = Median(floor), notepad = Median(row.notepad);
    if (toolbar <= 0 || notepad <= 0)
        return;
    char figure[32];
    snprintf(figure, sizeof(figure), format, toolbar);
    Print("  (floor unwrapped in Quillex's font, with a common-controls toolbar: %s, "
          "%.2fx notepad; Quillex %.2fx it)\n",
          figure, toolbar / notepad, Median(row.quillex) / toolbar);
}

}

int wmain(int argc, wchar_t** argv)
{
    if (!ReadArguments(argc, argv, &g_work))
        return 2;
    if (argc > 5) {
        char rows[200] = "";
        WideCharToMultiByte(CP_UTF8, 0, argv[5], -1, rows, sizeof(rows), nullptr, nullptr);
        g_rows = rows;
    }
    const char* const kFind = "find next, 500 matches in 29500 units, per press";
    const char* const kSave = "Ctrl+S of 30000 units just after typing";
    const char* const kClose = "close, nothing modified";
    const char* const kStartNone = "start, no file";
    const char* const kStart1251 = "start, 30000 units, Windows-1251";
    const char* const kStartUtf8 = "start, 30000 units, UTF-8";
    const char* const kTyping = "typing at the start of a wrapped 29000-unit paragraph";
    const char* const kMemoryNone = "anonymous memory, no file";
    const char* const kMemoryOne = "anonymous memory, one 30000-unit document";
    bool starts = Wanted({ kClose, kStartNone, kStart1251, kStartUtf8, kMemoryNone, kMemoryOne });
    bool finds = Wanted({ kFind }), saves = Wanted({ kSave }), typed = Wanted({ kTyping });

    std::wstring lines = MakeText(kUnits, true);
    std::wstring matches = g_work + L"matches.txt", cp1251 = g_work + L"cp1251.txt",
                 utf8 = g_work + L"utf8.txt", paragraph = g_work + L"paragraph29000.txt";
    std::wstring matchText = MatchText();
    WriteText(matches, matchText);
    WriteEncoded(cp1251, lines, 1251, false);
    WriteEncoded(utf8, lines, CP_UTF8, true);
    WriteText(paragraph, MakeText(29000, false));

    WarmUp();
    StartFigures none, russian, unicode;
    if (starts) {
        StartCase(L"", &none);
        StartCase(cp1251, &russian);
        StartCase(utf8, &unicode);
    }
    Pair find, save, typing;
    std::vector<double> unflushed;
    if (finds)
        FindNextCase(matches, matchText, &find);
    if (saves)
        SaveCase(lines, &save, &unflushed);
    if (typed)
        TypingCase(paragraph, &typing);

    Print("medians of %d runs; Quillex and notepad take turns; the floor is a bare edit window\n"
          "(a window with an edit control, nothing else), started and worked the same way\n",
          g_runs);
    Print("%-50s %9s %9s     %7s   %s\n", "", "Quillex", "notepad", "ratio", "target");
    if (finds)
        find.Report(kFind, "ms", 0.8);
    if (saves) {
        save.Report(kSave, "ms", 2.0);
        Print("  (its floor: a copy, flushed, moved over the file; written over it without a flush, "
              "as notepad does: %.1f ms)\n",
              Median(unflushed));
    }
    if (starts) {
        none.close.Report(kClose, "ms", 1.5);
        none.start.Report(kStartNone, "ms", 0.8);
        ReportToolbarFloor(none.start, none.toolbarStart, "%.1f ms");
        russian.start.Report(kStart1251, "ms", 0.8);
        ReportToolbarFloor(russian.start, russian.toolbarStart, "%.1f ms");
        unicode.start.Report(kStartUtf8, "ms", 0.8);
        ReportToolbarFloor(unicode.start, unicode.toolbarStart, "%.1f ms");
    }
    if (typed)
        typing.Report(kTyping, "ms", 1.0);
    if (starts) {
        none.memory.Report(kMemoryNone, "MiB", 0.8);
        ReportToolbarFloor(none.memory, none.toolbarMemory, "%.2f MiB");
        russian.memory.Report(kMemoryOne, "MiB", 0.8);
        ReportToolbarFloor(russian.memory, russian.toolbarMemory, "%.2f MiB");
    }
    fclose(g_out);
    return 0;
}
