#include "storage/settings.h"

#include <stdlib.h>

#include "storage/key_value_file.h"
#include "storage/wide_text.h"

CSettings g_settings;

namespace {
const wchar_t kHeader[] = L"[Main]\r\n";
const int kHeaderUnits = 8;
}

CSettings::CSettings()
{
    path[0] = 0;
}

CSettings::~CSettings()
{
    Save();
    Release();
}

void CSettings::Release()
{
    for (int i = 0; i < entries.count; ++i)
        delete entries[i];
    entries.Clear();
}

void CSettings::Load(const wchar_t* fileName)
{
    wchar_t full[256];
    wchar_t folder[MAX_PATH];
    GetProgramFolder(folder, MAX_PATH);
    if (FAILED(StringCchPrintfW(full, 256, L"%s%s", folder, fileName)))
        full[0] = 0;
    LoadFrom(full);
}

void CSettings::LoadFrom(const wchar_t* fullPath)
{
    CopyUnits(path, 256, fullPath);
    if (!path[0] || !Open(path, L"r")) {
        Close();
        return;
    }
    LONG size = GetSize32();
    if (size <= 9) {
        Close();
        return;
    }
    int end = 0;
    wchar_t* buffer = ReadUnitsWithLineEnd(*this, 0, (DWORD)size, &end);
    // The header line "[Main]" is skipped unread; so is a byte-order mark
    // that an editor may have put before it.
    int start = buffer[0] == 0xFEFF ? 1 + kHeaderUnits : kHeaderUnits;
    ParseKeyValueLines(buffer, start, end, false, &CSettings::AddEntry, this);
    delete[] buffer;
    Close();
}

void CSettings::AddEntry(void* context, const wchar_t* key, int keyLength,
                         const wchar_t* value, int valueLength)
{
    CSettings* self = static_cast<CSettings*>(context);
    SettingsEntry* entry = new SettingsEntry();
    CopyUnits(entry->key, SETTING_KEY_UNITS, key, keyLength);
    entry->keyHash = HashKey(key, keyLength);
    CopyUnits(entry->value, SETTING_VALUE_UNITS, value, valueLength);
    if (self->entries.Append(entry) < 0)
        delete entry;
}

SettingsEntry* CSettings::Find(const wchar_t* key)
{
    if (!path[0])
        return nullptr;
    DWORD h = HashKey(key, -1);
    for (int i = 0; i < entries.count; ++i) {
        if (entries[i]->keyHash == h)
            return entries[i];
    }
    return nullptr;
}

void CSettings::GetString(const wchar_t* key, wchar_t* out, int capacity,
                          const wchar_t* defaultValue)
{
    SettingsEntry* entry = Find(key);
    if (entry)
        CopyUnits(out, capacity, entry->value);
    else if (defaultValue)
        CopyUnits(out, capacity, defaultValue);
}

int CSettings::GetInt(const wchar_t* key, int defaultValue)
{
    wchar_t text[20];
    GetString(key, text, 20, L"");
    if (!text[0])
        return defaultValue;
    return (int)_wtol(text);
}

bool CSettings::GetBool(const wchar_t* key, bool defaultValue)
{
    wchar_t text[20];
    GetString(key, text, 20, L"");
    if (!text[0])
        return defaultValue;
    return _wtol(text) == 1;
}

void CSettings::SetString(const wchar_t* key, const wchar_t* value)
{
    if (!path[0])
        return;
    SettingsEntry* entry = Find(key);
    if (entry) {
        CopyUnits(entry->value, SETTING_VALUE_UNITS, value);
        return;
    }
    entry = new SettingsEntry();
    CopyUnits(entry->key, SETTING_KEY_UNITS, key);
    entry->keyHash = HashKey(key, -1);
    CopyUnits(entry->value, SETTING_VALUE_UNITS, value);
    if (entries.Append(entry) < 0)
        delete entry;
}

void CSettings::SetInt(const wchar_t* key, int value)
{
    wchar_t text[16];
    StringCchPrintfW(text, 16, L"%d", value);
    SetString(key, text);
}

bool CSettings::Save()
{
    if (!path[0])
        return false;
    bool ok = Open(path, L"cw") && Write(kHeader, kHeaderUnits * sizeof(wchar_t));
    for (int i = 0; ok && i < entries.count; ++i) {
        wchar_t line[SETTING_KEY_UNITS + SETTING_VALUE_UNITS + 4];
        StringCchPrintfW(line, ARRAYSIZE(line), L"%s=%s\r\n", entries[i]->key, entries[i]->value);
        ok = Write(line, (DWORD)wcslen(line) * sizeof(wchar_t));
    }
    Close();
    return ok;
}
