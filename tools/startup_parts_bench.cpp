// startup-parts-bench: where Quillex's start without a file goes (its command
// line is not the program's, so it opens none). Each run is a process of
// its own running the program's start as Quillex.exe does, from the program
// folder it is copied into; it notes the time at the end of every step of the
// start, at the first paint (the main window's, then the menu bar's) and at
// the end of the close, and the parent
// prints the median of each step over the runs, the process's exit after
// the message loop last. Run by tools/bench.
//
//   startup-parts-bench.exe OUT_FILE RUNS

#include <stdio.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "tools/bench_timing.h"

namespace {

struct Step {
    std::string name;
    double at;
};

std::vector<Step> g_steps;
const char kExitStep[] = "process exit: settings, recent files, DLL detach";

void Note(const char* step)
{
    g_steps.push_back({ step, Now() });
    if (strcmp(step, "recovery") != 0)
        return;
    // The start is over: the first paint, then the close, as a user's would.
    RedrawWindow(g_app.mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_steps.push_back({ "first paint", Now() });
    // The bar is a window of its own, painted by the message loop.
    RedrawWindow(g_app.menuBar, nullptr, nullptr, RDW_UPDATENOW);
    g_steps.push_back({ "first paint of the menu bar", Now() });
    PostMessageW(g_app.mainWindow, WM_CLOSE, 0, 0);
}

double FileTimeMs(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return (double)value.QuadPart / 10000.0;
}

// Milliseconds of the system clock: under Wine each process's performance
// counter may start elsewhere.
double ClockMs()
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return FileTimeMs(now);
}

// One start, its steps written to `out` as "milliseconds<TAB>step" lines.
int Once(const wchar_t* out, HINSTANCE instance)
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    double begin = Now();
    double sinceCreated = FileTimeMs(now) - FileTimeMs(created);
    g_startupStepDone = Note;
    QuillexMain(instance, SW_SHOW, RegisterMainClass);
    g_steps.push_back({ "close: message loop to its end", Now() });
    FILE* file = _wfopen(out, L"w");
    if (!file)
        return 1;
    fprintf(file, "%.2f\tprocess creation to the program's main\n", sinceCreated);
    double last = begin;
    for (const Step& step : g_steps) {
        fprintf(file, "%.2f\t%s\n", step.at - last, step.name.c_str());
        last = step.at;
    }
    // The parent takes the rest, to the process gone, from this moment on
    // the clock both processes read alike.
    fprintf(file, "%.3f\t%s\n", ClockMs(), kExitStep);
    fclose(file);
    return 0;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        size_t cut = end > at && text[end - 1] == '\r' ? end - 1 : end;   // text mode's CR
        lines.push_back(text.substr(at, cut - at));
        at = end + 1;
    }
    return lines;
}

std::string ReadText(const wchar_t* path)
{
    std::string text;
    FILE* file = _wfopen(path, L"rb");
    if (!file)
        return text;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof(buffer), file)) > 0)
        text.append(buffer, got);
    fclose(file);
    return text;
}

}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc >= 3 && wcscmp(argv[1], L"--once") == 0)
        return Once(argv[2], instance);
    if (argc < 3)
        return 2;
    FILE* result = _wfopen(argv[1], L"w");
    int runs = _wtoi(argv[2]);
    if (!result || runs < 1)
        return 2;
    wchar_t self[MAX_PATH], out[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    GetTempPathW(MAX_PATH, out);
    StringCchCatW(out, MAX_PATH, L"startup-parts.txt");

    std::vector<std::string> names;
    std::vector<std::vector<double>> times;
    std::vector<double> whole;
    for (int run = 0; run <= runs; ++run) {
        std::wstring line = L"\"" + std::wstring(self) + L"\" --once \"" + out + L"\"";
        std::vector<wchar_t> buffer(line.begin(), line.end());
        buffer.push_back(0);
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process;
        double begin = Now();
        if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return 1;
        WaitForSingleObject(process.hProcess, 60000);
        double end = Now(), ended = ClockMs();
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        if (run == 0)
            continue;   // the first run warms Wine's caches
        whole.push_back(end - begin);
        std::vector<std::string> lines = SplitLines(ReadText(out));
        for (size_t i = 0; i < lines.size(); ++i) {
            size_t tab = lines[i].find('\t');
            if (tab == std::string::npos)
                continue;
            if (names.size() <= i) {
                names.push_back(lines[i].substr(tab + 1));
                times.emplace_back();
            }
            double value = atof(lines[i].c_str());
            times[i].push_back(names[i] == kExitStep ? ended - value : value);
        }
    }
    DeleteFileW(out);
    fprintf(result, "Quillex's start without a file, step by step (median of %d runs, ms)\n",
            runs);
    double sum = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        double median = Median(times[i]);
        sum += median;
        fprintf(result, "  %-52s %8.1f\n", names[i].c_str(), median);
    }
    fprintf(result, "  %-52s %8.1f\n", "(the steps together)", sum);
    fprintf(result, "  %-52s %8.1f\n", "process created to process gone, from outside", Median(whole));
    fclose(result);
    return 0;
}
