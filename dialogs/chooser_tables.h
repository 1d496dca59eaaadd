#ifndef QUILLEX_DIALOGS_CHOOSER_TABLES_H
#define QUILLEX_DIALOGS_CHOOSER_TABLES_H

// The chooser's fixed vocabulary: the file types of its type box with their
// pattern lists, the encodings of its encoding box, and the extension a save
// adds for a type. None of these texts is translated.

// A type box entry. A pattern list is a run of "|*.ext" items closed by "|",
// all lower case; an empty list filters nothing.
struct ChooserTypeItem {
    const wchar_t* name;
    const wchar_t* patterns;
    bool openOnly;            // offered when opening and in recent mode only
};

struct ChooserEncodingItem {
    const wchar_t* name;
    int id;
    bool openOnly;
};

// Room for the text of an encoding box item.
const int CHOOSER_ENCODING_NAME_UNITS = 100;

const int CHOOSER_TYPE_COUNT = 5;
const int CHOOSER_ENCODING_COUNT = 7;
extern const ChooserTypeItem kChooserTypes[CHOOSER_TYPE_COUNT];
extern const ChooserEncodingItem kChooserEncodings[CHOOSER_ENCODING_COUNT];

// The pattern list of the type named exactly `typeName`; the empty list (no
// filtering) for a name that is not a type.
const wchar_t* PatternsOfType(const wchar_t* typeName);

// Whether a name (or a whole path) is listed under a pattern list: its key,
// "|*" + the text from its last "." (the whole text when it has none) + "|",
// lower-cased, must occur in the list; an empty list lists everything.
bool MatchesPatterns(const wchar_t* patterns, const wchar_t* name);

// The encoding whose box text is exactly `name`, else `fallback`.
int EncodingOfName(const wchar_t* name, int fallback);

// The box text of an encoding that can be written, or null (also for
// automatic detection, which is no way of writing).
const wchar_t* SaveEncodingName(int id);

// The extension a save under `typeName` appends to `fileName`, or "" when
// the name already ends in one of the type's own extensions (compared
// exactly, case included) or the type adds none.
const wchar_t* DefaultExtension(const wchar_t* typeName, const wchar_t* fileName);

#endif
