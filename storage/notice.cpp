#include "storage/notice.h"

#include "platform/modal_stack.h"
#include "storage/lang_loader.h"

int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    return ModalMessageBox(owner, text, caption, type);
}

int ShowNotice(HWND owner, const wchar_t* key, const wchar_t* text, UINT type)
{
    return ShowMessage(owner, key ? g_lang.Lookup(key, text) : text,
                       g_lang.Lookup(L"notice", L"Внимание"), type);
}

void ShowOutOfMemory(HWND owner)
{
    ShowNotice(owner, L"err_memory", L"Недостаточно памяти!", MB_ICONERROR);
}
