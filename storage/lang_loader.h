#ifndef QUILLEX_STORAGE_LANG_LOADER_H
#define QUILLEX_STORAGE_LANG_LOADER_H

#include "storage/file_io.h"
#include "storage/grow_array.h"

// One translated text of a language file.
struct LangEntry {
    wchar_t key[50];        // kept for reference; lookups use the hash
    DWORD keyHash;
    wchar_t text[390];
};

// The user-interface texts of one language, read from
// "<program folder>\Languages\<name>". Every text the program shows is looked
// up here with its built-in Russian default at the call site.
class CLangLoader : public CFileIO {
public:
    CLangLoader();
    ~CLangLoader() override;

    // Loads "Languages\<fileName>" beside the executable.
    void Load(const wchar_t* fileName);
    // Loads a language file by its full path.
    void LoadFrom(const wchar_t* fullPath);

    // The entry's text, else the default, else "". The pointer stays valid to
    // the end of the program, across later loads too.
    const wchar_t* Lookup(const wchar_t* key, const wchar_t* defaultText);

    // The looked-up text followed by `suffix` (an accelerator hint such as
    // "\tCtrl+N"), in one shared buffer that the next call overwrites.
    const wchar_t* LookupWithSuffix(const wchar_t* key, const wchar_t* defaultText,
                                    const wchar_t* suffix);

    // Sets the control's text only when the file has a non-empty text for the
    // key; otherwise the dialog template's own text stays.
    void SetDialogItemText(HWND dialog, int controlId, const wchar_t* key);

    wchar_t path[256];
    CGrowArray<LangEntry*> entries;

private:
    static void AddEntry(void* context, const wchar_t* key, int keyLength,
                         const wchar_t* text, int textLength);

    // Entries of earlier loads: texts handed out from them must stay valid.
    CGrowArray<LangEntry*> retired;
    wchar_t suffixed[500];
};

extern CLangLoader g_lang;

// A message box with the text of `key` (default `text`) and the caption of
// key `notice`, the program's one caption for messages. It is owned by the
// window that owns the device, `owner` when there is no main window.
int ShowNotice(HWND owner, const wchar_t* key, const wchar_t* text, UINT type);

// Tells the user, in a message owned by `owner`, that memory ran short.
void ShowOutOfMemory(HWND owner);

#endif
