#ifndef QUILLEX_TESTS_SHELL_APP_FIXTURE_H
#define QUILLEX_TESTS_SHELL_APP_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document.h"
#include "app/app_state.h"
#include "tests/test_support.h"

// Starts the editor's real main window in the test process, as the program
// does at start-up (settings from a temporary Settings.ini, the built-in
// language, the test program's folder as the program folder), and tears it
// down again without questions. Global state is fresh for every test.
class AppFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts with `arguments` as the command line and `settings` as the lines
    // of Settings.ini. False when no main window was made.
    bool StartApp(const std::wstring& arguments = L"", const std::wstring& settings = L"",
                  int screenWidth = 480, int screenHeight = 640);

    static LRESULT Command(int id, LPARAM lParam = 0);
    static CDocument* Doc(int index) { return g_app.documents[index]; }
    static RECT WindowRectIn(HWND window, HWND parent);

    // The text of document `index`.
    static std::wstring DocText(int index);

    TempFolder temp;
    std::wstring settingsPath;
};

// The device screens a test that lays out for the screen runs on: the VGA
// handheld's (480 x 640) in the programs at its 192 DPI, the QVGA one's
// (240 x 320) in the QVGA tests' program, whose prefix has its 96 DPI.
std::vector<std::pair<int, int>> DeviceScreens();

// The folder of the built program ("...\\build\\program\\").
std::wstring BuiltProgramFolder();

// Installs the built program with its pictures and quick-insert list in
// `folder`, where it keeps its settings and snapshots.
bool InstallProgram(const std::wstring& folder);

// Taps the screen (the real mouse button) at a point in screen coordinates,
// and lets the windows react.
void TapScreen(POINT at);

// Puts the stylus down on the screen or lifts it (the real mouse button,
// MOUSEEVENTF_LEFTDOWN or MOUSEEVENTF_LEFTUP) where the cursor is.
void Stylus(DWORD downOrUp);

// The centre of the menu bar's button for `command`, in screen coordinates.
POINT MenuBarButtonCentre(int command);

// Hands `path` over as a second start of the program does.
void HandOverFile(const std::wstring& path);

// Taps the "OK" the emulated handheld shows in a window's caption; false
// when the window has none.
bool TapDoneButton(HWND window);

// Reads the first popup menu that opens on this thread (its lines) and
// closes it again from inside its loop, without a choice.
class PopupMenuWatcher {
public:
    PopupMenuWatcher();
    ~PopupMenuWatcher();
    // Runs messages until a menu was read or `milliseconds` passed.
    bool WaitForMenu(DWORD milliseconds);
    std::vector<std::wstring> lines;
    // Where the menus open at that moment were shown, in screen coordinates.
    std::vector<RECT> rects;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook;
};

#endif
