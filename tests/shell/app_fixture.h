#ifndef QUILLEX_TESTS_SHELL_APP_FIXTURE_H
#define QUILLEX_TESTS_SHELL_APP_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "editor/document.h"
#include "shell/app_state.h"
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

    // Runs the messages waiting in the queue.
    static void Pump();
    static LRESULT Command(int id, LPARAM lParam = 0);
    static CDocument* Doc(int index) { return g_app.documents[index]; }
    static RECT WindowRectIn(HWND window, HWND parent);

    TempFolder temp;
    std::wstring settingsPath;
};

#endif
