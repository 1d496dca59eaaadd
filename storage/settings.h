#ifndef QUILLEX_STORAGE_SETTINGS_H
#define QUILLEX_STORAGE_SETTINGS_H

#include "storage/file_io.h"
#include "storage/grow_array.h"

// Room for a whole path (259 units and a terminator) in a value, so that
// `LastFileName` and `LastFolder` survive a save and a load.
const int SETTING_VALUE_UNITS = 260;
const int SETTING_KEY_UNITS = 30;

// A key or value as read from the file, kept whole when its field cannot
// hold it exactly (too long, or a zero unit inside); null otherwise.
struct ExactUnits {
    wchar_t* units;
    int length;
};

struct SettingsEntry {
    SettingsEntry();
    ~SettingsEntry();

    wchar_t key[SETTING_KEY_UNITS];
    DWORD keyHash;
    wchar_t value[SETTING_VALUE_UNITS];
    // Saving writes these in place of the fields, so a line the fields
    // cannot hold goes back to the file as it came (a key runs from the end
    // of the previous line, so a cut key could swallow a whole setting).
    ExactUnits keyAsRead;
    ExactUnits valueAsRead;

    SettingsEntry(const SettingsEntry&) = delete;
    SettingsEntry& operator=(const SettingsEntry&) = delete;
};

// The program's configuration: a flat table of key=value texts, read from
// "Settings.ini" beside the executable at start-up and written back whole by
// the destructor when the program ends.
class CSettings : public CFileIO {
public:
    CSettings();
    ~CSettings() override;

    // Loads "<program folder>\<fileName>".
    void Load(const wchar_t* fileName);
    // Loads a settings file by its full path; it is also where Save writes.
    void LoadFrom(const wchar_t* fullPath);

    // Copies the value into `out` (of `capacity` units). An absent key copies
    // the default, or leaves `out` as it was when the default is null.
    void GetString(const wchar_t* key, wchar_t* out, int capacity, const wchar_t* defaultValue);
    int GetInt(const wchar_t* key, int defaultValue);
    bool GetBool(const wchar_t* key, bool defaultValue);
    void SetString(const wchar_t* key, const wchar_t* value);
    void SetInt(const wchar_t* key, int value);

    // Writes the whole table to `path`; false when the file could not be
    // written, or was not to be.
    bool Save();

    wchar_t path[256];
    CGrowArray<SettingsEntry*> entries;
    // The file exists but could not be read: it is never written over, so
    // the user's settings survive a run that could not see them.
    bool fileUnread;

private:
    SettingsEntry* Find(const wchar_t* key);
    void Release();
    static void AddEntry(void* context, const wchar_t* key, int keyLength,
                         const wchar_t* value, int valueLength);
};

extern CSettings g_settings;

#endif
