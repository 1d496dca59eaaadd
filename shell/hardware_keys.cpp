#include "shell/hardware_keys.h"

#include "app/app_state.h"
#include "app/hardware_buttons.h"
#include "dialogs/toolbar_actions.h"
#include "storage/settings.h"

namespace {

// The buttons the main window holds now, one bit each.
DWORD g_held = 0;

int AssignedAction(int number)
{
    wchar_t name[32];
    HardKeySettingName(number, name, ARRAYSIZE(name));
    return g_settings.GetInt(name, 0);
}

void AnnounceButtonChange()
{
    PostMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_APPBUTTONCHANGE, 0);
}

}

void RegisterHardwareKeys()
{
    for (int i = 0; i < HARDWARE_KEY_COUNT; ++i) {
        // A button another program holds cannot be taken: it stays with
        // that program, unreported.
        if (AssignedAction(i) > 0 && RegisterHotKey(g_app.mainWindow, HARDWARE_KEY_FIRST + i,
                                                    MOD_WIN, HARDWARE_KEY_FIRST + i))
            g_held |= 1u << i;
    }
    AnnounceButtonChange();
}

void UnregisterHardwareKeys()
{
    // Every button held, not only those assigned now: an assignment taken
    // away while the window was active must not leave its button taken.
    // Nothing held, nothing given back: no word to every window then.
    if (!g_held)
        return;
    for (int i = 0; i < HARDWARE_KEY_COUNT; ++i) {
        if (g_held & (1u << i))
            UnregisterHotKey(g_app.mainWindow, HARDWARE_KEY_FIRST + i);
    }
    g_held = 0;
    AnnounceButtonChange();
}

void OnHardwareKey(WPARAM id)
{
    int action = AssignedAction((int)id - HARDWARE_KEY_FIRST);
    int command = ToolbarCommandForAction(action);
    if (action >= 1 && command)
        PostMessageW(g_app.mainWindow, WM_COMMAND, LOWORD(command), 0);
}
