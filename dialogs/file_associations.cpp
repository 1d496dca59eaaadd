#include "dialogs/file_associations.h"

#include "platform/pocketpc.h"
#include "storage/lang_loader.h"
#include "storage/wide_text.h"

namespace {

const wchar_t kClass[] = L"QuillexFile";

// Values are read into 260 bytes: 129 units and the terminator.
const int kValueBytes = 260;
const int kValueUnits = kValueBytes / sizeof(wchar_t);

// Reads a string value of HKEY_CLASSES_ROOT\key (the default one when `name`
// is null). False when the key or value is missing, is not text, or is too
// long for the buffer: a class is never cut into another class's name.
bool ReadClassValue(const wchar_t* key, const wchar_t* name, wchar_t* value)
{
    HKEY handle;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD bytes = kValueBytes;
    LONG result = RegQueryValueExW(handle, name, nullptr, &type, (BYTE*)value, &bytes);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    int units = (int)(bytes / sizeof(wchar_t));
    // Data without a terminator that fills the buffer has no room for one.
    if (units >= kValueUnits && value[kValueUnits - 1] != 0)
        return false;
    value[units < kValueUnits ? units : kValueUnits - 1] = 0;
    return true;
}

void WriteText(HKEY handle, const wchar_t* name, const wchar_t* text)
{
    RegSetValueExW(handle, name, 0, REG_SZ, (const BYTE*)text,
                   (DWORD)((wcslen(text) + 1) * sizeof(wchar_t)));
}

// Creates (or opens) HKEY_CLASSES_ROOT\key and sets one of its values.
void SetClassValue(const wchar_t* key, const wchar_t* name, const wchar_t* text)
{
    HKEY handle;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return;
    WriteText(handle, name, text);
    RegCloseKey(handle);
}

// Sets a value of a key that must exist already.
void SetExistingValue(const wchar_t* key, const wchar_t* name, const wchar_t* text)
{
    HKEY handle;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_WRITE, &handle) != ERROR_SUCCESS)
        return;
    WriteText(handle, name, text);
    RegCloseKey(handle);
}

}

bool IsAssociated(const wchar_t* extension)
{
    wchar_t value[kValueUnits];
    return ReadClassValue(extension, nullptr, value) && lstrcmpiW(value, kClass) == 0;
}

void InstallAssociation(const wchar_t* extension)
{
    wchar_t program[MAX_PATH + 1] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    program[MAX_PATH] = 0;

    wchar_t previous[kValueUnits];
    if (ReadClassValue(extension, nullptr, previous) && wcscmp(previous, kClass) != 0)
        SetExistingValue(extension, L"Backup", previous);
    SetClassValue(extension, nullptr, kClass);

    wchar_t icon[MAX_PATH + 8];
    StringCchPrintfW(icon, MAX_PATH + 8, L"%s,0", program);
    wchar_t command[MAX_PATH + 16];
    StringCchPrintfW(command, MAX_PATH + 16, L"\"%s\" \"%%1\"", program);
    const wchar_t* openWith = g_lang.Lookup(L"open_with_ln", L"Открыть с помощью QuillexFile");
    SetClassValue(kClass, nullptr, L"QuillexFile Text File");
    SetClassValue(L"QuillexFile\\DefaultIcon", nullptr, icon);
    SetClassValue(L"QuillexFile\\Shell\\Open", nullptr, openWith);
    SetClassValue(L"QuillexFile\\Shell\\Open\\Command", nullptr, command);
    SetClassValue(L"QuillexFile\\Shell\\OpenDoc", nullptr, openWith);
    SetClassValue(L"QuillexFile\\Shell\\OpenDoc\\Command", nullptr, command);
}

void RemoveAssociation(const wchar_t* extension)
{
    wchar_t backup[kValueUnits];
    if (!ReadClassValue(extension, L"Backup", backup) || wcscmp(backup, kClass) == 0)
        return;
    SetExistingValue(extension, nullptr, backup);
}
