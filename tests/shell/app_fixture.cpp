#include "tests/shell/app_fixture.h"

#include <new>

#include "lists/recent_files.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"
#include "widgets/list_icons.h"

namespace {

// Global service objects start over as at process start.
template <typename T>
void Renew(T& object)
{
    object.~T();
    new (&object) T();
}

}

bool AppFixture::StartApp(const std::wstring& arguments, const std::wstring& settings,
                          int screenWidth, int screenHeight)
{
    SetDeviceScreen(screenWidth, screenHeight);
    SetDeviceCommandLine(arguments.c_str());
    settingsPath = temp.Path(L"Settings.ini");
    WriteBytes(settingsPath, Utf16Bytes(L"[Main]\r\n" + settings));
    Renew(g_settings);
    Renew(g_lang);
    Renew(g_recent);
    g_settings.LoadFrom(settingsPath.c_str());
    LoadLanguage();
    g_app.instance = GetModuleHandleW(nullptr);
    LoadThemeAndIcons();
    return InitMainWindow(g_app.instance, SW_SHOW, RegisterMainClass);
}

void AppFixture::TearDown()
{
    if (g_app.mainWindow && IsWindow(g_app.mainWindow))
        DestroyWindow(g_app.mainWindow);
    PumpMessages();
    ReleaseApplication();
    UnregisterClassW(L"QUILLEX", GetModuleHandleW(nullptr));
    Renew(g_app);
    // The settings of this test are not written anywhere.
    g_settings.path[0] = 0;
    g_recent.file[0] = 0;
    SetDeviceCommandLine(nullptr);
    SetDeviceLocalTime(nullptr);
    SetDeviceScreen(480, 640);
}

LRESULT AppFixture::Command(int id, LPARAM lParam)
{
    LRESULT result = SendMessageW(g_app.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), lParam);
    PumpMessages();
    return result;
}

RECT AppFixture::WindowRectIn(HWND window, HWND parent)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, (POINT*)&r, 2);
    return r;
}

std::wstring AppFixture::DocText(int index)
{
    int n = Doc(index)->GetTextLength();
    std::wstring text(n + 1, L'\0');
    Doc(index)->GetText(&text[0]);
    text.resize(n);
    return text;
}

std::vector<std::pair<int, int>> DeviceScreens()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi == 96)
        return { { 240, 320 } };
    return { { 480, 640 } };
}

std::wstring BuiltProgramFolder()
{
    // The test program is build\tests\shell\shell_tests.exe.
    return ProgramFolder() + L"..\\..\\program\\";
}

bool InstallProgram(const std::wstring& folder)
{
    for (const wchar_t* name : { L"Quillex.exe", L"ListIconsVGA.png", L"ListIconsQVGA.png",
                                 L"QInsert.lst" }) {
        std::wstring target = folder + L"\\" + name;
        if (!CopyFileW((BuiltProgramFolder() + name).c_str(), target.c_str(), FALSE))
            return false;
    }
    return true;
}

namespace {

PopupMenuWatcher* g_watcher;

BOOL CALLBACK AddMenuRect(HWND window, LPARAM)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (g_watcher && wcscmp(name, L"#32768") == 0 && IsWindowVisible(window)) {
        RECT r;
        GetWindowRect(window, &r);
        g_watcher->rects.push_back(r);
    }
    return TRUE;
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    EnumThreadWindows(GetCurrentThreadId(), AddMenuRect, 0);
    EndMenu();
}

}

void TapScreen(POINT at)
{
    SetCursorPos(at.x, at.y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
    PumpUntil([] { return false; }, 100);
}

void Stylus(DWORD downOrUp)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = downOrUp;
    SendInput(1, &input, sizeof(INPUT));
}

POINT MenuBarButtonCentre(int command)
{
    RECT r = {};
    int index = (int)SendMessageW(g_app.menuBar, TB_COMMANDTOINDEX, command, 0);
    SendMessageW(g_app.menuBar, TB_GETITEMRECT, index, (LPARAM)&r);
    MapWindowPoints(g_app.menuBar, nullptr, (POINT*)&r, 2);
    return POINT{ (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

void HandOverFile(const std::wstring& path)
{
    COPYDATASTRUCT data = {};
    data.cbData = (DWORD)((path.size() + 1) * sizeof(wchar_t));
    data.lpData = (void*)path.c_str();
    SendMessageW(g_app.mainWindow, WM_COPYDATA, 0, (LPARAM)&data);
}

bool TapDoneButton(HWND window)
{
    RECT r;
    if (!DeviceDoneButtonRect(window, &r))
        return false;
    TapScreen(POINT{ (r.left + r.right) / 2, (r.top + r.bottom) / 2 });
    return true;
}

PopupMenuWatcher::PopupMenuWatcher()
{
    g_watcher = this;
    hook = SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
}

PopupMenuWatcher::~PopupMenuWatcher()
{
    UnhookWindowsHookEx(hook);
    g_watcher = nullptr;
}

bool PopupMenuWatcher::WaitForMenu(DWORD milliseconds)
{
    return PumpUntil([this] { return !lines.empty(); }, milliseconds);
}

LRESULT CALLBACK PopupMenuWatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP && g_watcher &&
        g_watcher->lines.empty()) {
        g_watcher->lines = MenuLines((HMENU)call->wParam);
        SetTimer(nullptr, 0, 100, CloseMenu);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
