#ifndef QUILLEX_PLATFORM_EDIT_LINE_BREAKS_H
#define QUILLEX_PLATFORM_EDIT_LINE_BREAKS_H

#include <windows.h>

#include <vector>

// Where Wine's edit control breaks the lines of a wrapping edit window. It
// lays a line out from the width of the whole rest of its paragraph: it
// guesses the break from the rest's average unit width, takes the word start
// before the guess and steps back a word while the line is too wide. The
// guess depends on how far the paragraph reaches at that moment, so a text
// put in as pieces breaks where one pass would only if, whenever a line is
// laid out, the guess falls in the same word as one pass's; this model
// tells, without laying anything out, where a line breaks for any end of
// its paragraph.
class CEditLineBreaks {
public:
    CEditLineBreaks();
    ~CEditLineBreaks();
    CEditLineBreaks(const CEditLineBreaks&) = delete;
    CEditLineBreaks& operator=(const CEditLineBreaks&) = delete;

    // Measures `text` (the window's text as it will be, `length` units) from
    // `from` on, as `window` lays it out: its font, its format width, its
    // break opportunities. False where the model does not hold (tabs, which
    // are as wide as their place makes them, or no memory): one pass then.
    bool Measure(HWND window, const wchar_t* text, int length, int from);

    // Where the line that starts at `start` ends (the next line's start)
    // when its paragraph reaches no further than `end`.
    int LineEnd(int start, int end) const;
    // The end of the paragraph `at` is in (before its line break).
    int ParagraphEnd(int at) const;

private:
    void Release();
    bool MeasureParagraph(HDC dc, int start, int end, int* widths);
    int Width(int start, int end) const { return sums[end - base] - sums[start - base]; }
    // The width of the rest of a paragraph, as the control measures it; -1
    // where it cannot measure so much at once.
    int RunWidth(int start, int end) const;
    int SoftBreakBefore(int index) const;

    HWND window;
    const wchar_t* text;
    int length;
    int base;               // where the measured part starts
    int* sums;              // width of the units from `base` up to each one
    bool* soft;             // a line may start at the unit (from `base` on)
    int formatWidth;
    int averageWidth;
    std::vector<int> itemStarts;   // where a script item starts inside a paragraph
};

#endif
