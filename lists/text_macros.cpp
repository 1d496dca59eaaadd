#include "lists/text_macros.h"

#include <new>

#include "lists/replace_all.h"

namespace {

struct Macro {
    const wchar_t* name;
    wchar_t value[8];
};

void SetValue(Macro& macro, const wchar_t* format, int value)
{
    StringCchPrintfW(macro.value, ARRAYSIZE(macro.value), format, value);
}

}

wchar_t* ExpandMacros(const wchar_t* text, const SYSTEMTIME& now)
{
    Macro macros[] = {
        { L"%h", L"" }, { L"%m", L"" }, { L"%s", L"" }, { L"%D", L"" },
        { L"%M", L"" }, { L"%Y", L"" }, { L"%L", L"\r\n" }, { L"%%", L"%" },
    };
    SetValue(macros[0], L"%.2d", now.wHour);
    SetValue(macros[1], L"%.2d", now.wMinute);
    SetValue(macros[2], L"%.2d", now.wSecond);
    SetValue(macros[3], L"%.2d", now.wDay);
    SetValue(macros[4], L"%.2d", now.wMonth);
    SetValue(macros[5], L"%.4d", now.wYear);

    // Each step sizes its result first, so no expansion can outgrow a buffer.
    wchar_t* expanded = nullptr;
    const wchar_t* source = text;
    for (const Macro& macro : macros) {
        int length = ReplaceAll(source, macro.name, macro.value, nullptr, 0);
        wchar_t* next = new (std::nothrow) wchar_t[length + 1];
        if (!next) {
            delete[] expanded;
            return nullptr;
        }
        ReplaceAll(source, macro.name, macro.value, next, length + 1);
        delete[] expanded;
        expanded = next;
        source = expanded;
    }
    return expanded;
}
