#include "shell/main_window.h"
#include "shell/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    return QuillexMain(instance, showCommand, RegisterMainClass);
}
