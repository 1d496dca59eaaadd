#ifndef QUILLEX_TOOLS_BENCH_EDITOR_H
#define QUILLEX_TOOLS_BENCH_EDITOR_H

// The editor started in a benchmark's own process, as at start-up, with its
// settings in a folder of the benchmark's own in the temporary folder, and
// ended again without questions. The bench runs beside no pictures: the
// messages about them, and any other, are passed by (No, else OK).

#include <stdio.h>
#include <wchar.h>

#include <string>

#include "app/app_state.h"
#include "editor/document.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "storage/settings.h"
#include "widgets/list_icons.h"
#include "tools/bench_timing.h"

// A document of `line` (nine times `word`, then `last`) repeated as often
// as it fits in `units`: the benchmarks' 500 lines of 60 units.
inline std::wstring RepeatedLines(const wchar_t* word, const wchar_t* last, size_t units = 30000)
{
    std::wstring line;
    for (int i = 0; i < 9; ++i)
        line += word;
    line += last;
    std::wstring text;
    while (text.size() + line.size() <= units)
        text += line;
    return text;
}

class BenchEditor {
public:
    // `name` names the settings folder. Check `started`.
    explicit BenchEditor(const wchar_t* name)
    {
        hook = SetWindowsHookExW(WH_CBT, PassMessageBoxes, nullptr, GetCurrentThreadId());
        GetTempPathW(MAX_PATH, folder);
        StringCchCatW(folder, MAX_PATH, name);
        CreateDirectoryW(folder, nullptr);
        StringCchPrintfW(settings, MAX_PATH, L"%s\\Settings.ini", folder);
        g_settings.LoadFrom(settings);
        LoadLanguage();
        g_app.instance = GetModuleHandleW(nullptr);
        LoadThemeAndIcons();
        started = InitMainWindow(g_app.instance, SW_SHOW, RegisterMainClass);
        if (!started)
            printf("no main window\n");
    }
    ~BenchEditor()
    {
        for (int i = 0; i < g_app.documents.count; ++i)
            g_app.documents[i]->modified = 0;
        if (started)
            DestroyWindow(g_app.mainWindow);
        Pump();
        ReleaseApplication();
        g_settings.path[0] = 0;
        DeleteFileW(settings);
        RemoveDirectoryW(folder);
        UnhookWindowsHookEx(hook);
    }
    BenchEditor(const BenchEditor&) = delete;
    BenchEditor& operator=(const BenchEditor&) = delete;

    bool started;

private:
    static LRESULT CALLBACK PassMessageBoxes(int code, WPARAM wParam, LPARAM lParam)
    {
        wchar_t className[16] = L"";
        if (code == HCBT_ACTIVATE && GetClassNameW((HWND)wParam, className, 16) &&
            wcscmp(className, L"#32770") == 0) {
            HWND box = (HWND)wParam;
            PostMessageW(box, WM_COMMAND, GetDlgItem(box, IDNO) ? IDNO : IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook;
    wchar_t folder[MAX_PATH];
    wchar_t settings[MAX_PATH];
};

#endif
