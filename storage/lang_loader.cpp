#include "storage/lang_loader.h"

#include <new>

#include "storage/hash_key.h"
#include "storage/key_value_file.h"
#include "storage/program_folder.h"
#include "storage/wide_text.h"

CLangLoader g_lang;

CLangLoader::CLangLoader()
{
    path[0] = 0;
    suffixed[0] = 0;
}

CLangLoader::~CLangLoader()
{
    for (int i = 0; i < entries.count; ++i)
        delete entries[i];
    for (int i = 0; i < retired.count; ++i)
        delete retired[i];
}

void CLangLoader::Load(const wchar_t* fileName)
{
    wchar_t folder[MAX_PATH];
    wchar_t full[256];
    GetProgramFolder(folder, MAX_PATH);
    // The folder comes with its backslash.
    if (FAILED(StringCchPrintfW(full, ARRAYSIZE(full), L"%sLanguages\\%s", folder, fileName)))
        full[0] = 0;
    LoadFrom(full);
}

void CLangLoader::LoadFrom(const wchar_t* fullPath)
{
    for (int i = 0; i < entries.count; ++i)
        retired.Append(entries[i]);
    entries.Clear();

    CopyUnits(path, fullPath);
    // A file that could not be read leaves the built-in texts.
    const KeyValueFormat format = { 2, 0, true };
    ReadKeyValueFile(*this, path, format, &CLangLoader::AddEntry, this);
}

void CLangLoader::AddEntry(void* context, const wchar_t* key, int keyLength,
                           const wchar_t* text, int textLength)
{
    CLangLoader* self = static_cast<CLangLoader*>(context);
    LangEntry* entry = new (std::nothrow) LangEntry();
    if (!entry)
        return;
    CopyUnits(entry->key, key, keyLength);
    entry->keyHash = HashKey(key, keyLength);
    CopyUnits(entry->text, text, textLength);
    if (self->entries.Append(entry) < 0)
        delete entry;
}

const wchar_t* CLangLoader::Lookup(const wchar_t* key, const wchar_t* defaultText)
{
    if (path[0]) {
        DWORD h = HashKey(key, -1);
        for (int i = 0; i < entries.count; ++i) {
            if (entries[i]->keyHash == h)
                return entries[i]->text;
        }
    }
    return defaultText ? defaultText : L"";
}

const wchar_t* CLangLoader::LookupWithSuffix(const wchar_t* key, const wchar_t* defaultText,
                                             const wchar_t* suffix)
{
    // A text too long for the buffer is cut, never overrun.
    StringCchPrintfW(suffixed, ARRAYSIZE(suffixed), L"%s%s", Lookup(key, defaultText), suffix);
    return suffixed;
}

void CLangLoader::SetDialogItemText(HWND dialog, int controlId, const wchar_t* key)
{
    const wchar_t* text = Lookup(key, nullptr);
    if (text[0])
        SetDlgItemTextW(dialog, controlId, text);
}
