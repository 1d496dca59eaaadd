#include "tests/shell/app_fixture.h"

#include <new>

#include "lists/recent_files.h"
#include "shell/main_children.h"
#include "shell/startup.h"
#include "storage/lang_loader.h"
#include "storage/settings.h"

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
    return InitMainWindow(g_app.instance, SW_SHOW);
}

void AppFixture::TearDown()
{
    if (g_app.mainWindow && IsWindow(g_app.mainWindow))
        DestroyWindow(g_app.mainWindow);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            DispatchMessageW(&msg);
    }
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

void AppFixture::Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT AppFixture::Command(int id, LPARAM lParam)
{
    LRESULT result = SendMessageW(g_app.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), lParam);
    Pump();
    return result;
}

RECT AppFixture::WindowRectIn(HWND window, HWND parent)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, (POINT*)&r, 2);
    return r;
}
