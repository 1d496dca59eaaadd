#include "editor/text_replace.h"

#include <limits.h>
#include <new>
#include <string.h>

namespace {

// Where the rewritten text goes: counted only, or written too.
struct Writer {
    wchar_t* out;
    long long length;
    wchar_t last;

    void Put(const wchar_t* units, int n)
    {
        if (n <= 0)
            return;
        if (out)
            memcpy(out + length, units, (size_t)n * sizeof(wchar_t));
        length += n;
        last = units[n - 1];
    }
};

// One pass over the text; answers the number of replacements.
int Rewrite(const wchar_t* text, int length, const wchar_t* find, int findLength,
            const wchar_t* replacement, int replacementLength, const SearchOptions& options,
            Writer* writer, long long* caret)
{
    int count = 0;
    int rest = 0;
    *caret = 0;
    for (;;) {
        // The unit before the resumed search is the one written last, which
        // may be the end of the previous replacement.
        wchar_t before = writer->length == 0 ? L' ' : writer->last;
        int found = FindMatch(text + rest, length - rest, find, findLength, 0, options, before);
        if (found < 0)
            break;
        writer->Put(text + rest, found);
        writer->Put(replacement, replacementLength);
        *caret = writer->length;
        rest += found + findLength;
        ++count;
    }
    writer->Put(text + rest, length - rest);
    return count;
}

}

bool ReplaceMatches(const wchar_t* text, int length, const wchar_t* find, int findLength,
                    const wchar_t* replacement, int replacementLength, bool ignoreCase,
                    bool wholeWord, ReplacedText* result)
{
    *result = ReplacedText{ nullptr, 0, 0, 0 };
    SearchOptions options = { true, ignoreCase, wholeWord };
    long long caret = 0;
    // The first pass only measures, so the text is written once into a
    // buffer of the right size.
    Writer measure = { nullptr, 0, 0 };
    Rewrite(text, length, find, findLength, replacement, replacementLength, options, &measure,
            &caret);
    if (measure.length >= INT_MAX / 2)
        return false;
    wchar_t* out = new (std::nothrow) wchar_t[measure.length + 1];
    if (!out)
        return false;
    Writer writer = { out, 0, 0 };
    result->count = Rewrite(text, length, find, findLength, replacement, replacementLength,
                            options, &writer, &caret);
    out[writer.length] = 0;
    result->text = out;
    result->length = (int)writer.length;
    result->caret = (int)caret;
    return true;
}
