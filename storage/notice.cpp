#include "storage/notice.h"

#include "storage/lang_loader.h"

int ShowNotice(HWND owner, const wchar_t* key, const wchar_t* text, UINT type)
{
    return MessageBoxW(owner, g_lang.Lookup(key, text), g_lang.Lookup(L"notice", L"Внимание"),
                       type);
}

void ShowOutOfMemory(HWND owner)
{
    ShowNotice(owner, L"err_memory", L"Недостаточно памяти!", MB_ICONERROR);
}
