#include "platform/pocketpc.h"

#include "dialogs/chooser_tables.h"
#include "storage/encodings.h"

const ChooserTypeItem kChooserTypes[CHOOSER_TYPE_COUNT] = {
    { L"All docs",
      L"|*.txt|*.htm|*.ini|*.html|*.csv|*.bat|*.nfo|*.ns|*.xml|*.cpp|*.h|*.inf|*.css|*.log"
      L"|*.inc|*.php|*.shtml|*.pas|*.dpr|*.asm|*.vbs|*.js|*.aspx|*.aspx|",
      true },
    { L"Text", L"|*.txt|*.nfo|", false },
    { L"Configs", L"|*.ini|*.cfg|*.inf|", false },
    { L"WEB",
      L"|*.htm|*.html|*.inc|*.php|*.shtml|*.htx|*.asp|*.sql|*.xml|*.vbs|*.js|*.aspx|*.pl|*.cgi|",
      false },
    { L"All files", L"", false },
};

const ChooserEncodingItem kChooserEncodings[CHOOSER_ENCODING_COUNT] = {
    { L"(Auto)", ENC_AUTO, true },
    { L"ANSI", ENC_ANSI, false },
    { L"Win-1251", ENC_WIN1251, false },
    { L"Unicode", ENC_UTF16, false },
    { L"KOI8-R", ENC_KOI8R, false },
    { L"DOS RUS", ENC_DOS866, false },
    { L"UTF-8", ENC_UTF8, false },
};

namespace {

// What a save adds under a type, and the endings that make it add nothing.
struct DefaultExtensionRule {
    const wchar_t* typeName;
    const wchar_t* added;
    const wchar_t* kept[2];
};

const DefaultExtensionRule kDefaultExtensions[] = {
    { L"Text", L".txt", { L".txt", nullptr } },
    { L"Configs", L".ini", { L".ini", nullptr } },
    { L"WEB", L".htm", { L".htm", L".html" } },
};

// Longest key: "|*" + a whole name of up to MAX_PATH - 1 units + "|".
const int KEY_UNITS = MAX_PATH + 4;

}

const wchar_t* PatternsOfType(const wchar_t* typeName)
{
    for (const ChooserTypeItem& type : kChooserTypes) {
        if (wcscmp(type.name, typeName) == 0)
            return type.patterns;
    }
    return L"";
}

bool MatchesPatterns(const wchar_t* patterns, const wchar_t* name)
{
    if (!patterns[0])
        return true;
    const wchar_t* dot = wcsrchr(name, L'.');
    wchar_t key[KEY_UNITS];
    // A name too long for the key cannot be one of the short listed endings.
    if (FAILED(StringCchPrintfW(key, KEY_UNITS, L"|*%s|", dot ? dot : name)))
        return false;
    CharLowerBuffW(key, (DWORD)wcslen(key));
    return wcsstr(patterns, key) != nullptr;
}

int EncodingOfName(const wchar_t* name, int fallback)
{
    for (const ChooserEncodingItem& encoding : kChooserEncodings) {
        if (wcscmp(encoding.name, name) == 0)
            return encoding.id;
    }
    return fallback;
}

const wchar_t* SaveEncodingName(int id)
{
    for (const ChooserEncodingItem& encoding : kChooserEncodings) {
        if (!encoding.openOnly && encoding.id == id)
            return encoding.name;
    }
    return nullptr;
}

const wchar_t* DefaultExtension(const wchar_t* typeName, const wchar_t* fileName)
{
    const wchar_t* dot = wcsrchr(fileName, L'.');
    const wchar_t* extension = dot ? dot : L"";
    for (const DefaultExtensionRule& rule : kDefaultExtensions) {
        if (wcscmp(rule.typeName, typeName) != 0)
            continue;
        for (const wchar_t* kept : rule.kept) {
            if (kept && wcscmp(kept, extension) == 0)
                return L"";
        }
        return rule.added;
    }
    return L"";
}
