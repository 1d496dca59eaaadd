// snapshot-bench: times the crash-recovery snapshots in this process, with
// the editor's real main window and 30000-unit documents, and prints one line
// per operation: its name and the median of several runs in milliseconds.
// Run by tools/bench.

#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/document_snapshots.h"
#include "resources/resource.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "widgets/list_icons.h"
#include "tools/bench_timing.h"

namespace {

const int RUNS = 7;
const int KEYS = 200;

// 500 lines of 60 units.
std::wstring MakeDocumentText()
{
    std::wstring line;
    for (int i = 0; i < 9; ++i)
        line += L"текст ";
    line += L"конец\r\n";
    std::wstring text;
    while (text.size() + line.size() <= 30000)
        text += line;
    return text + std::wstring(30000 - text.size(), L'я');
}

void Type(CDocument* document, int keys)
{
    for (int i = 0; i < keys; ++i) {
        document->SendToEdit(WM_CHAR, i % 10 == 9 ? L' ' : L'ж', 1);
        Pump();
    }
}

// The bench runs beside no pictures: the messages about them are passed by.
HHOOK g_hook;
LRESULT CALLBACK PassMessageBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t className[16] = L"";
    if (code == HCBT_ACTIVATE && GetClassNameW((HWND)wParam, className, 16) &&
        wcscmp(className, L"#32770") == 0)
        PostMessageW((HWND)wParam, WM_COMMAND, GetDlgItem((HWND)wParam, IDNO) ? IDNO : IDOK, 0);
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void Time(const char* name, const std::function<void()>& prepare,
          const std::function<void()>& operation)
{
    std::vector<double> runs;
    for (int i = 0; i < RUNS; ++i) {
        prepare();
        Pump();
        double start = Now();
        operation();
        runs.push_back(Now() - start);
    }
    printf("%-58s %8.2f ms\n", name, Median(runs));
    fflush(stdout);
}

}

int wmain()
{
    g_hook = SetWindowsHookExW(WH_CBT, PassMessageBoxes, nullptr, GetCurrentThreadId());
    // The program folder of a run of its own, in the temporary folder.
    wchar_t folder[MAX_PATH], settings[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    StringCchCatW(folder, MAX_PATH, L"snapshot-bench");
    CreateDirectoryW(folder, nullptr);
    StringCchPrintfW(settings, MAX_PATH, L"%s\\Settings.ini", folder);
    g_settings.LoadFrom(settings);
    LoadLanguage();
    g_app.instance = GetModuleHandleW(nullptr);
    LoadThemeAndIcons();
    if (!InitMainWindow(g_app.instance, SW_SHOW, RegisterMainClass)) {
        printf("no main window\n");
        return 1;
    }
    std::wstring text = MakeDocumentText();
    for (int i = 1; i < 10; ++i)
        SendMessageW(g_app.mainWindow, WM_COMMAND, CMD_WINDOW_NEW, 0);
    for (int i = 0; i < g_app.documents.count; ++i)
        g_app.documents[i]->SetText(text.c_str());
    CDocument* first = g_app.documents[0];
    SendMessageW(g_app.mainWindow, WM_COMMAND, MAKEWPARAM(CMD_TAB_CHOSEN, 0), 0);

    // One modified document.
    Type(first, 1);
    WriteDueSnapshots();
    Time("snapshot of one changed 30000-unit document", [&] { Type(first, 1); },
         [] { WriteDueSnapshots(); });
    Time("typing 200 keys, one modified document", [] {}, [&] { Type(first, KEYS); });
    Time("snapshots after typing, one modified document", [&] { Type(first, 5); },
         [] { WriteDueSnapshots(); });

    // Ten modified documents, all with their snapshots.
    for (int i = 1; i < g_app.documents.count; ++i)
        Type(g_app.documents[i], 1);
    WriteDueSnapshots();
    Time("typing 200 keys, ten modified documents", [] {}, [&] { Type(first, KEYS); });
    Time("snapshots after typing, ten modified documents", [&] { Type(first, 5); },
         [] { WriteDueSnapshots(); });
    printf("snapshots kept: %d\n", SnapshotCount());

    for (int i = 0; i < g_app.documents.count; ++i)
        g_app.documents[i]->modified = 0;
    DestroyWindow(g_app.mainWindow);
    Pump();
    ReleaseApplication();
    g_settings.path[0] = 0;
    DeleteFileW(settings);
    RemoveDirectoryW(folder);
    return 0;
}
