#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "platform/pocketpc.h"

namespace {

// Programs that CTest runs beside the others (QX_NO_FOREGROUND set, see
// tests/CMakeLists.txt) must never show or activate a window: under Wine that
// takes the activation and the keyboard focus from the program beside, or
// covers the place where it taps.
std::string g_shown;

void NoteShown(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, 64);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    g_shown += std::string(test ? test->name() : "?") + " (" + name + ") ";
}

LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        NoteShown((HWND)wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchShowing(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED &&
        (((const WINDOWPOS*)call->lParam)->flags & SWP_SHOWWINDOW) &&
        !(GetWindowLongW(call->hwnd, GWL_STYLE) & WS_CHILD))
        NoteShown(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}

int main(int argc, char** argv)
{
    // Failures are printed by GoogleTest; keep Windows' own error dialogs away.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    bool windowless = getenv("QX_NO_FOREGROUND") != nullptr;
    if (windowless) {
        SetWindowsHookExW(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
        SetWindowsHookExW(WH_CALLWNDPROC, WatchShowing, nullptr, GetCurrentThreadId());
    }
    int failed = RUN_ALL_TESTS();
    if (windowless && !g_shown.empty()) {
        printf("Showed a window, though run beside other programs: %s\n", g_shown.c_str());
        return 1;
    }
    return failed;
}
