#include "app/hardware_buttons.h"

#include "platform/pocketpc.h"

void HardKeySettingName(int number, wchar_t* name, int capacity)
{
    StringCchPrintfW(name, capacity, L"HardKeyEvent%d", number);
}
