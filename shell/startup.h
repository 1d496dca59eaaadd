#ifndef QUILLEX_SHELL_STARTUP_H
#define QUILLEX_SHELL_STARTUP_H

#include "platform/pocketpc.h"

// Registers the main window's class under `className`. The window's
// procedure sits above start-up: start-up reaches it only through this.
typedef ATOM (*MainClassRegistration)(HINSTANCE instance, const wchar_t* className);

// The program from start to end: settings and language, list icons and
// theme palette, the single-instance hand-over, the main window, the message
// loop and the clean-up after it. Returns the exit code.
int QuillexMain(HINSTANCE instance, int showCommand,
                MainClassRegistration registerMainClass);

// Called as each step of the start ends, with the step's name, when set:
// the start-up benchmark breaks the start down with it.
extern void (*g_startupStepDone)(const char* step);

// The path the command line names: one leading space, then one opening
// quote, one trailing space, then one closing quote are removed. A command
// line too long for `capacity` units gives an empty path (it is never cut
// into another path). False then.
bool NormaliseCommandLine(const wchar_t* commandLine, wchar_t* path, int capacity);

// Loads the language named by the `Language` setting; rebuilds the menus
// when they exist.
void LoadLanguage();

// Creates the main window and everything on it, opens the command-line or
// last file. False when another instance took the file, or on failure.
bool InitMainWindow(HINSTANCE instance, int showCommand,
                    MainClassRegistration registerMainClass);

// WM_CREATE of the main window.
void OnCreate(HWND window);

// After the message loop: what the main window's destruction leaves.
void ReleaseApplication();

#endif
