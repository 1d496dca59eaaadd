#include "storage/settings.h"

#include <new>
#include <stdlib.h>

#include "storage/atomic_file.h"
#include "storage/hash_key.h"
#include "storage/key_value_file.h"
#include "storage/program_folder.h"
#include "storage/wide_text.h"

CSettings g_settings;

namespace {

const wchar_t kHeader[] = L"[Main]\r\n";
const int kHeaderUnits = 8;

void ReleaseExact(ExactUnits& exact)
{
    delete[] exact.units;
    exact.units = nullptr;
    exact.length = 0;
}

// Copies the units into the field; when the field cannot hold them exactly,
// keeps them whole in `exact` too (false when that memory could not be had).
bool HoldUnits(wchar_t* field, int capacity, const wchar_t* units, int length, ExactUnits& exact)
{
    ReleaseExact(exact);
    bool fits = CopyUnits(field, capacity, units, length) == length &&
                BoundedLength(units, length) == length;
    if (fits)
        return true;
    exact.units = new (std::nothrow) wchar_t[length];
    if (!exact.units)
        return false;
    memcpy(exact.units, units, length * sizeof(wchar_t));
    exact.length = length;
    return true;
}

// The units saving writes for a field.
const wchar_t* SavedUnits(const wchar_t* field, const ExactUnits& exact, int* length)
{
    *length = exact.units ? exact.length : (int)wcslen(field);
    return exact.units ? exact.units : field;
}

// Puts the entry's line "key=value\r\n" at `out` unless it is null;
// answers the line's length.
int PutLine(const SettingsEntry& entry, wchar_t* out)
{
    int keyLength = 0, valueLength = 0;
    const wchar_t* key = SavedUnits(entry.key, entry.keyAsRead, &keyLength);
    const wchar_t* value = SavedUnits(entry.value, entry.valueAsRead, &valueLength);
    if (out) {
        memcpy(out, key, keyLength * sizeof(wchar_t));
        out[keyLength] = L'=';
        memcpy(out + keyLength + 1, value, valueLength * sizeof(wchar_t));
        out[keyLength + 1 + valueLength] = L'\r';
        out[keyLength + 2 + valueLength] = L'\n';
    }
    return keyLength + valueLength + 3;
}

}

SettingsEntry::SettingsEntry() : key(), keyHash(0), value(), keyAsRead(), valueAsRead() {}

SettingsEntry::~SettingsEntry()
{
    ReleaseExact(keyAsRead);
    ReleaseExact(valueAsRead);
}

CSettings::CSettings() : fileUnread(false)
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
    if (FAILED(StringCchPrintfW(full, ARRAYSIZE(full), L"%s%s", folder, fileName)))
        full[0] = 0;
    LoadFrom(full);
}

void CSettings::LoadFrom(const wchar_t* fullPath)
{
    CopyUnits(path, fullPath);
    // The header line "[Main]" is skipped unread; so is a byte-order mark
    // that an editor may have put before it.
    const KeyValueFormat format = { 9, kHeaderUnits, false };
    fileUnread = ReadKeyValueFile(*this, path, format, &CSettings::AddEntry, this) ==
                 KeyValueRead::Unreadable;
}

void CSettings::AddEntry(void* context, const wchar_t* key, int keyLength,
                         const wchar_t* value, int valueLength)
{
    CSettings* self = static_cast<CSettings*>(context);
    SettingsEntry* entry = new (std::nothrow) SettingsEntry();
    if (!entry)
        return;
    entry->keyHash = HashKey(key, keyLength);
    if (!HoldUnits(entry->key, SETTING_KEY_UNITS, key, keyLength, entry->keyAsRead) ||
        !HoldUnits(entry->value, SETTING_VALUE_UNITS, value, valueLength, entry->valueAsRead) ||
        self->entries.Append(entry) < 0)
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
    GetString(key, text, ARRAYSIZE(text), L"");
    if (!text[0])
        return defaultValue;
    return (int)_wtol(text);
}

bool CSettings::GetBool(const wchar_t* key, bool defaultValue)
{
    wchar_t text[20];
    GetString(key, text, ARRAYSIZE(text), L"");
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
        CopyUnits(entry->value, value);
        ReleaseExact(entry->valueAsRead);
        return;
    }
    entry = new (std::nothrow) SettingsEntry();
    if (!entry)
        return;
    CopyUnits(entry->key, key);
    entry->keyHash = HashKey(key, -1);
    CopyUnits(entry->value, value);
    if (entries.Append(entry) < 0)
        delete entry;
}

void CSettings::SetInt(const wchar_t* key, int value)
{
    wchar_t text[16];
    StringCchPrintfW(text, ARRAYSIZE(text), L"%d", value);
    SetString(key, text);
}

bool CSettings::Save()
{
    if (!path[0] || fileUnread)
        return false;
    // The whole file is put together first and replaces the old one only
    // once it is written whole.
    int total = kHeaderUnits;
    for (int i = 0; i < entries.count; ++i)
        total += PutLine(*entries[i], nullptr);
    wchar_t* text = new (std::nothrow) wchar_t[total];
    if (!text)
        return false;
    memcpy(text, kHeader, kHeaderUnits * sizeof(wchar_t));
    int n = kHeaderUnits;
    for (int i = 0; i < entries.count; ++i)
        n += PutLine(*entries[i], text + n);
    // Unchanged settings are not written again: most runs change none.
    bool ok = WriteFileIfChanged(path, text, (DWORD)n * sizeof(wchar_t));
    delete[] text;
    return ok;
}
