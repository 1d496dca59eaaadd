#include "shell/startup.h"

#include <new>

#include "app/app_state.h"
#include "platform/modal_stack.h"
#include "editor/document.h"
#include "editor/find_bar_buttons.h"
#include "editor/layout.h"
#include "editor/tab_host.h"
#include "lists/quick_insert.h"
#include "lists/recent_files.h"
#include "resources/resource.h"
#include "shell/deferred_requests.h"
#include "shell/document_commands.h"
#include "shell/document_view.h"
#include "shell/menu_bar.h"
#include "shell/recovery.h"
#include "storage/encodings.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/settings.h"
#include "storage/wide_text.h"
#include "widgets/list_icons.h"

void (*g_startupStepDone)(const char* step) = nullptr;

namespace {

const int kCommandLineUnits = 256;

void StepDone(const char* step)
{
    if (g_startupStepDone)
        g_startupStepDone(step);
}

bool FileExists(const wchar_t* path)
{
    return path[0] && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// How long a second start waits for the running program's main window (that
// program may have only just begun).
const DWORD kHandOverWaitMs = 5000;

// Hands the path to the running program and brings it forward.
void HandOver(HWND running, const wchar_t* path)
{
    if (path[0]) {
        COPYDATASTRUCT data = {};
        data.dwData = 0;
        data.cbData = (DWORD)((wcslen(path) + 1) * sizeof(wchar_t));
        data.lpData = (void*)path;
        SendMessageW(running, WM_COPYDATA, 0, (LPARAM)&data);
    }
    SetForegroundWindow((HWND)((ULONG_PTR)running | 1));
}

// One program runs: a start that does not take the single-instance object
// is a second start, which waits for the running program's window and hands
// its file over. True when this start is to run as the program (it also
// becomes it when the other ended meanwhile without a window).
bool BecomeRunningProgram(const wchar_t* className, const wchar_t* title, const wchar_t* path)
{
    DWORD start = GetTickCount();
    while (!TakeSingleInstance(className)) {
        if (HWND running = FindWindowW(className, title)) {
            HandOver(running, path);
            return false;
        }
        if (GetTickCount() - start >= kHandOverWaitMs)
            return false;
        Sleep(50);
    }
    return true;
}

// The device screen above the menu bar, which takes its height from the
// bottom of the screen; the whole screen without a bar (`barHeight` 0).
RECT FrameAboveMenuBar(int barHeight)
{
    RECT frame = { 0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                   GetSystemMetrics(SM_CYVIRTUALSCREEN) - barHeight };
    return frame;
}

// The window is made above the bar the device makes; only a bar that came
// out otherwise, or none, sizes it again (each sizing lays it out again).
void FitAboveMenuBar(HWND window)
{
    RECT bar = {}, now;
    if (g_app.menuBar)
        GetWindowRect(g_app.menuBar, &bar);
    RECT frame = FrameAboveMenuBar(bar.bottom - bar.top);
    GetWindowRect(window, &now);
    if (EqualRect(&now, &frame))
        return;
    // Repainted: a desktop frame left unpainted would stay black.
    MoveWindow(window, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
               TRUE);
}

// The first document wraps as the setting says from the start: loading a
// long file unwrapped and re-wrapping it afterwards costs twice.
bool CreateFirstDocument()
{
    if (AppendNewDocument(g_settings.GetBool(L"WordWrap", false)) < 0)
        return false;
    g_app.current = 0;
    return true;
}

void ReopenLastFile()
{
    if (!g_settings.GetBool(L"LoadLastFile", false) || CurrentDocument()->HasFileName())
        return;
    wchar_t last[MAX_PATH] = L"";
    g_settings.GetString(L"LastFileName", last, MAX_PATH, L"");
    if (FileExists(last))
        CurrentDocument()->Load(last, ENC_AUTO);
}

}

bool NormaliseCommandLine(const wchar_t* commandLine, wchar_t* path, int capacity)
{
    path[0] = 0;
    int length = BoundedLength(commandLine, capacity);
    if (length >= capacity)
        return false;
    const wchar_t* start = commandLine;
    if (*start == L' ')
        ++start;
    if (*start == L'"')
        ++start;
    int n = CopyUnits(path, capacity, start);
    if (n > 0 && path[n - 1] == L' ')
        path[--n] = 0;
    if (n > 0 && path[n - 1] == L'"')
        path[--n] = 0;
    return true;
}

void LoadLanguage()
{
    wchar_t name[MAX_PATH] = L"";
    wchar_t file[MAX_PATH];
    g_settings.GetString(L"Language", name, MAX_PATH, L"Russian");
    StringCchPrintfW(file, MAX_PATH, L"%s.lng", name);
    g_lang.Load(file);
    if (g_app.mainMenu)
        BuildMenus();
}

void OnCreate(HWND window)
{
    // Under Wine most of this step is the thread's first window: its display
    // connection and input-method window.
    StepDone("main window made");
    g_app.mainWindow = window;
    SetModalBase(window);
    g_app.quickInsertMenu = CreatePopupMenu();
    // Without memory for the list the program runs without quick insert.
    g_app.quickInsert = new (std::nothrow) CQuickInsertList(g_app.quickInsertMenu);
    if (!g_app.quickInsert)
        ShowOutOfMemory(window);
    g_app.quickInsertLoaded = g_app.quickInsert && g_app.quickInsert->LoadQuickInsert() ? 1 : 0;
    CreateMenuBar();
}

bool InitMainWindow(HINSTANCE instance, int showCommand,
                    MainClassRegistration registerMainClass)
{
    SHInitExtraControls();
    wchar_t title[100], className[100];
    LoadStringW(instance, IDS_TITLE, title, ARRAYSIZE(title));
    LoadStringW(instance, IDS_CLASS, className, ARRAYSIZE(className));

    wchar_t path[kCommandLineUnits];
    NormaliseCommandLine(GetCommandLineW(), path, kCommandLineUnits);
    if (!BecomeRunningProgram(className, title, path))
        return false;

    if (!registerMainClass(instance, className))
        return false;
    StepDone("instance check, window class");
    // Made hidden and shown once it has its final size: each showing and
    // sizing of a visible window costs a round to the display.
    RECT frame = FrameAboveMenuBar(DeviceMenuBarHeight());
    HWND window = CreateWindowExW(0, className, title, WS_SYSMENU, frame.left, frame.top,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (!window)
        return false;
    StepDone("quick insert, menu bar");
    FitAboveMenuBar(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    StepDone("main window shown");

    // The list is read before the first document loads, so that document
    // becomes the most recent entry instead of falling off a full list.
    LoadRecent();
    // The program cannot run without a document.
    if (!CreateFirstDocument()) {
        DestroyWindow(window);
        return false;
    }
    StepDone("recent files, first document");
    if (FileExists(path))
        CurrentDocument()->Load(path, ENC_AUTO);
    StepDone("file loaded");
    LoadFindBarPictures();
    StepDone("find bar pictures");
    ReopenLastFile();
    if (g_settings.GetBool(L"CloseButton", false)) {
        SHINITDLGINFO info = { SHIDIM_FLAGS, window, SHIDIF_DONEBUTTON };
        SHInitDialog(&info);
    }
    CreateTabPanel(window);
    StepDone("tab panel");
    ShowCurrentDocument();
    StepDone("document shown");
    StartRecovery();
    // Files handed over while the program was starting.
    RunDeferredRequests();
    StepDone("recovery");
    return true;
}

void ReleaseApplication()
{
    ReleaseSingleInstance();
    if (g_app.listIcons)
        ImageList_Destroy(g_app.listIcons);
    g_app.listIcons = nullptr;
    if (g_app.quickInsert) {
        g_app.quickInsert->Release();
        delete g_app.quickInsert;
        g_app.quickInsert = nullptr;
    }
}

int QuillexMain(HINSTANCE instance, int showCommand,
                MainClassRegistration registerMainClass)
{
    g_app.mainMenu = nullptr;
    g_app.instance = instance;
    g_settings.Load(L"Settings.ini");
    StepDone("settings");
    LoadLanguage();
    StepDone("language");
    LoadThemeAndIcons();
    StepDone("list icons, theme");
    if (!InitMainWindow(instance, showCommand, registerMainClass)) {
        // A second start changed nothing: the running program's settings
        // are its own to write.
        g_settings.path[0] = 0;
        return 0;
    }

    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
            DispatchMessageW(&msg);
            TranslateMessage(&msg);
        }
    }
    ReleaseApplication();
    return (int)msg.wParam;
}
