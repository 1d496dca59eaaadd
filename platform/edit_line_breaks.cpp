#include "platform/edit_line_breaks.h"

#include <usp10.h>

#include <algorithm>
#include <new>

namespace {

// Break opportunities depend on the units just before them: this many are
// read before the measured part.
const int kContext = 64;
// The control cannot measure a run of text of more script items than this
// at once; it then takes the run as its average unit width times its length.
const int kMostItems = 254;
// Items are counted from the paragraph's; a run this close to the limit is
// measured as the control measures it, its ends may count otherwise.
const int kItemMargin = 3;
// Runs measured at once for the unit widths, well below the limit.
const int kItemsAtOnce = 200;

// The selected font of a window's device context, put back on scope exit.
class WindowFontContext {
public:
    explicit WindowFontContext(HWND window) : window(window), dc(GetDC(window)), previous(nullptr)
    {
        HFONT font = (HFONT)SendMessageW(window, WM_GETFONT, 0, 0);
        if (dc && font)
            previous = SelectObject(dc, font);
    }
    ~WindowFontContext()
    {
        if (previous)
            SelectObject(dc, previous);
        if (dc)
            ReleaseDC(window, dc);
    }
    WindowFontContext(const WindowFontContext&) = delete;
    WindowFontContext& operator=(const WindowFontContext&) = delete;
    HWND window;
    HDC dc;
    HGDIOBJ previous;
};

// The widths of `count` units as the control measures a line of them.
bool UnitWidths(HDC dc, const wchar_t* units, int count, int* widths)
{
    if (count <= 0)
        return true;
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    if (FAILED(ScriptStringAnalyse(dc, units, count, (int)(1.5 * count + 16), -1,
                                   SSA_LINK | SSA_FALLBACK | SSA_GLYPHS, -1, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, &analysis)))
        return false;
    bool done = SUCCEEDED(ScriptStringGetLogicalWidths(analysis, widths));
    ScriptStringFree(&analysis);
    return done;
}

}

CEditLineBreaks::CEditLineBreaks()
    : window(nullptr), text(nullptr), length(0), base(0), sums(nullptr), soft(nullptr), formatWidth(0),
      averageWidth(0)
{
}

CEditLineBreaks::~CEditLineBreaks()
{
    Release();
}

void CEditLineBreaks::Release()
{
    delete[] sums;
    delete[] soft;
    sums = nullptr;
    soft = nullptr;
}

bool CEditLineBreaks::Measure(HWND window, const wchar_t* newText, int newLength, int from)
{
    Release();
    this->window = window;
    itemStarts.clear();
    text = newText;
    length = newLength;
    base = from > kContext ? from - kContext : 0;
    for (int i = from; i < length; ++i) {
        // A tab is as wide as its place makes it; a lone carriage return is
        // drawn as a unit of its own.
        if (text[i] == L'\t' || (text[i] == L'\r' && (i + 1 >= length || text[i + 1] != L'\n')))
            return false;
    }
    RECT format;
    SendMessageW(window, EM_GETRECT, 0, (LPARAM)&format);
    formatWidth = format.right - format.left;
    int count = length - base;
    sums = new (std::nothrow) int[count + 1];
    soft = new (std::nothrow) bool[count + 1];
    SCRIPT_LOGATTR* attributes = new (std::nothrow) SCRIPT_LOGATTR[count > 0 ? count : 1];
    int* widths = new (std::nothrow) int[count > 0 ? count : 1];
    bool measured = sums && soft && attributes && widths;
    if (measured && count > 0) {
        SCRIPT_ANALYSIS analysis = {};
        analysis.eScript = SCRIPT_UNDEFINED;
        measured = SUCCEEDED(ScriptBreak(text + base, count, &analysis, attributes));
    }
    WindowFontContext context(window);
    TEXTMETRICW metrics;
    measured = measured && context.dc && GetTextMetricsW(context.dc, &metrics);
    if (measured) {
        averageWidth = metrics.tmAveCharWidth;
        // Each paragraph measured in runs of whole items, its line break as
        // nothing.
        ZeroMemory(widths, sizeof(int) * (count > 0 ? count : 1));
        for (int start = base; measured && start < length;) {
            int end = ParagraphEnd(start);
            measured = MeasureParagraph(context.dc, start, end, widths);
            start = end < length && text[end] == L'\r' ? end + 2 : end + 1;
        }
    }
    if (measured) {
        sums[0] = 0;
        for (int i = 0; i < count; ++i) {
            sums[i + 1] = sums[i] + widths[i];
            soft[i] = attributes[i].fSoftBreak != 0;
        }
        soft[count] = false;
    }
    delete[] attributes;
    delete[] widths;
    if (!measured)
        Release();
    return measured;
}

bool CEditLineBreaks::MeasureParagraph(HDC dc, int start, int end, int* widths)
{
    int units = end - start;
    if (units <= 0)
        return true;
    SCRIPT_ITEM* found = new (std::nothrow) SCRIPT_ITEM[units + 2];
    int count = 0;
    bool done = found && SUCCEEDED(ScriptItemize(text + start, units, units + 1, nullptr,
                                                 nullptr, found, &count));
    for (int i = 1; done && i < count; ++i)
        itemStarts.push_back(start + found[i].iCharPos);
    for (int i = 0; done && i < count; i += kItemsAtOnce) {
        int from = found[i].iCharPos;
        int to = found[std::min(i + kItemsAtOnce, count)].iCharPos;
        done = UnitWidths(dc, text + start + from, to - from, widths + start + from - base);
    }
    delete[] found;
    return done;
}

int CEditLineBreaks::RunWidth(int start, int end) const
{
    int items = 1 + (int)(std::lower_bound(itemStarts.begin(), itemStarts.end(), end) -
                          std::upper_bound(itemStarts.begin(), itemStarts.end(), start));
    if (items < kMostItems - kItemMargin)
        return Width(start, end);
    if (items <= kMostItems + kItemMargin) {
        WindowFontContext context(window);
        SCRIPT_STRING_ANALYSIS analysis = nullptr;
        if (context.dc &&
            SUCCEEDED(ScriptStringAnalyse(context.dc, text + start, end - start,
                                          (int)(1.5 * (end - start) + 16), -1,
                                          SSA_LINK | SSA_FALLBACK | SSA_GLYPHS, -1, nullptr,
                                          nullptr, nullptr, nullptr, nullptr, &analysis))) {
            int width = ScriptString_pSize(analysis)->cx;
            ScriptStringFree(&analysis);
            return width;
        }
    }
    return -1;
}

int CEditLineBreaks::ParagraphEnd(int at) const
{
    while (at < length && text[at] != L'\n' && !(text[at] == L'\r' && text[at + 1] == L'\n'))
        ++at;
    return at;
}

int CEditLineBreaks::SoftBreakBefore(int index) const
{
    if (index > 0)
        --index;
    while (index > base && !soft[index - base])
        --index;
    return index;
}

int CEditLineBreaks::LineEnd(int start, int end) const
{
    int paragraphEnd = ParagraphEnd(start);
    if (end > paragraphEnd)
        end = paragraphEnd;
    int units = end - start;
    int whole = units > 0 ? RunWidth(start, end) : 0;
    bool measured = whole >= 0;
    if (!measured)
        whole = averageWidth * units;
    if (whole > formatWidth && formatWidth > averageWidth) {
        // The guess from the average width of the rest, then back a word
        // at a time while the line is too wide, computed as the control
        // computes it (in float).
        int prev = units - 1;
        float d = (float)whole / (float)formatWidth;
        if (d > 1.2f)
            d -= 0.2f;
        int next = (int)((float)prev / d);
        if (next >= prev)
            next = prev - 1;
        int width = whole;
        do {
            prev = SoftBreakBefore(start + next) - start;
            if (prev < 0)
                prev = 0;
            if (prev)
                width = Width(start, start + prev);
            next = prev - 1;
        } while (prev && width > formatWidth);
        if (prev == 0 && !measured) {
            prev = formatWidth / averageWidth;
        } else if (prev == 0) {
            // No word fits: units taken off the end, from the width of the
            // last word tried.
            prev = units - 1;
            do {
                width -= Width(start + prev, start + prev + 1);
                --prev;
            } while (prev > 0 && width > formatWidth);
            if (prev <= 0)
                prev = 1;
        }
        return start + prev;
    }
    if (end < paragraphEnd || end == length)
        return end;
    return end + (text[end] == L'\r' ? 2 : 1);
}
