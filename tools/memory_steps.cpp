// memory-steps: how much anonymous memory (RssAnon of /proc/self/status)
// each step of Quillex's start without a file adds, in one process running
// the program's start as Quillex.exe does, from the program folder it is
// copied into. Finds what the program holds beyond a bare edit window.
//
//   memory-steps.exe OUT_FILE

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "shell/main_window.h"
#include "shell/startup.h"

namespace {

struct Step {
    std::string name;
    double kib;
};

std::vector<Step> g_steps;

// This process's Linux status file: the newest process whose command line
// ends in this program's name ("self" is resolved elsewhere under Wine).
std::wstring g_status;

std::wstring FindStatusFile()
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return L"";
    int newest = -1;
    do {
        int pid = _wtoi(found.cFileName);
        if (pid <= newest)
            continue;
        std::wstring path = L"Z:\\proc\\" + std::wstring(found.cFileName) + L"\\cmdline";
        FILE* file = _wfopen(path.c_str(), L"rb");
        if (!file)
            continue;
        char command[512] = "";
        fread(command, 1, sizeof(command) - 1, file);
        fclose(file);
        command[sizeof(command) - 1] = 0;
        if (strstr(command, "memory-steps.exe"))
            newest = pid;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return newest < 0 ? L"" : L"Z:\\proc\\" + std::to_wstring(newest) + L"\\status";
}

double AnonymousKib()
{
    if (g_status.empty())
        g_status = FindStatusFile();
    FILE* file = _wfopen(g_status.c_str(), L"rb");
    if (!file)
        return -1;
    char text[4096] = "";
    size_t got = fread(text, 1, sizeof(text) - 1, file);
    fclose(file);
    text[got] = 0;
    const char* at = strstr(text, "RssAnon:");
    return at ? atof(at + strlen("RssAnon:")) : -1;
}

void Note(const char* step)
{
    g_steps.push_back({ step, AnonymousKib() });
    if (strcmp(step, "recovery") != 0)
        return;
    RedrawWindow(g_app.mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_steps.push_back({ "first paint", AnonymousKib() });
    PostMessageW(g_app.mainWindow, WM_CLOSE, 0, 0);
}

}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2)
        return 2;
    g_steps.push_back({ "process start to the program's main", AnonymousKib() });
    g_startupStepDone = Note;
    QuillexMain(instance, SW_SHOW, RegisterMainClass);
    FILE* out = _wfopen(argv[1], L"w");
    if (!out)
        return 1;
    fprintf(out, "Anonymous memory after each step of Quillex's start (KiB, added / total)\n");
    double last = 0;
    for (const Step& step : g_steps) {
        fprintf(out, "  %-52s %7.0f %7.0f\n", step.name.c_str(), step.kib - last, step.kib);
        last = step.kib;
    }
    fclose(out);
    return 0;
}
