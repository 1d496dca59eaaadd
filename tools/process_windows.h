#ifndef QUILLEX_TOOLS_PROCESS_WINDOWS_H
#define QUILLEX_TOOLS_PROCESS_WINDOWS_H

// The top-level windows the programs that drive the editor from outside
// (the fault driver, the benchmarks, the tests that start the real program)
// look for: one walk of the windows, the test given as a callable.

#include <windows.h>

#include <vector>

// Every top-level window `match` accepts, front to back.
template <class Match>
std::vector<HWND> TopLevelWindows(Match match)
{
    struct Search {
        Match* match;
        std::vector<HWND> found;
    } search = { &match, {} };
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            Search* s = (Search*)data;
            if ((*s->match)(window))
                s->found.push_back(window);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

// The frontmost such window, or null.
template <class Match>
HWND FirstTopLevelWindow(Match match)
{
    std::vector<HWND> found = TopLevelWindows(match);
    return found.empty() ? nullptr : found[0];
}

inline DWORD ProcessOfWindow(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

inline bool HasWindowClass(HWND window, const wchar_t* name)
{
    wchar_t found[32] = L"";
    GetClassNameW(window, found, ARRAYSIZE(found));
    return lstrcmpiW(found, name) == 0;
}

// A message box or other dialog of the system's class that is up and has
// the answer button `button`.
inline bool IsShownDialogWith(HWND window, int button)
{
    return HasWindowClass(window, L"#32770") && IsWindowVisible(window) &&
           GetDlgItem(window, button) != nullptr;
}

#endif
