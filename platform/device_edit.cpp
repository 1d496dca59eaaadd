#include "platform/device_edit.h"

#include <new>
#include <vector>

#include "platform/edit_line_breaks.h"

namespace {

// Each piece reaches at least this far beyond the last, so that the work
// around each insertion does not add up; no line measures much more.
const int kPiece = 512;
// Where no piece this long leaves the lines as one pass does, the rest goes
// in at once, so that the search for one costs little.
const int kLongestTry = 4096;

bool WrapsLines(HWND window)
{
    wchar_t name[8] = L"";
    if (!GetClassNameW(window, name, 8) || lstrcmpiW(name, L"Edit") != 0)
        return false;
    // Without a vertical scroll the control refuses insertions beyond its
    // last visible line.
    LONG style = GetWindowLongW(window, GWL_STYLE);
    return (style & ES_MULTILINE) && !(style & (ES_AUTOHSCROLL | WS_HSCROLL | ES_READONLY)) &&
           (style & (ES_AUTOVSCROLL | WS_VSCROLL));
}

// The window's text as it will be once `text` replaced [start, end).
class FinalText {
public:
    FinalText(HWND window, int start, int end, const wchar_t* text, int units)
        : units(nullptr), length(0)
    {
        int old = GetWindowTextLengthW(window);
        wchar_t* before = new (std::nothrow) wchar_t[old + 1];
        length = old - (end - start) + units;
        this->units = before ? new (std::nothrow) wchar_t[length + 1] : nullptr;
        if (this->units) {
            GetWindowTextW(window, before, old + 1);
            CopyMemory(this->units, before, start * sizeof(wchar_t));
            CopyMemory(this->units + start, text, units * sizeof(wchar_t));
            CopyMemory(this->units + start + units, before + end, (old - end) * sizeof(wchar_t));
            this->units[length] = 0;
        }
        delete[] before;
    }
    ~FinalText() { delete[] units; }
    FinalText(const FinalText&) = delete;
    FinalText& operator=(const FinalText&) = delete;
    wchar_t* units;
    int length;
};

// The lines from `first` on are laid out for a text that ends at `end`
// as one pass lays them out for the whole text.
bool SameLines(const CEditLineBreaks& breaks, const std::vector<int>& starts, size_t first, int end)
{
    for (size_t i = first; i + 1 < starts.size() && starts[i] < end; ++i) {
        if (breaks.LineEnd(starts[i], end) != starts[i + 1])
            return false;
    }
    return true;
}

// Replaces [start, end) of the window's text by `text` in pieces that leave
// every line where one pass leaves it. False, with nothing done, where that
// cannot be promised: the text then goes in in one pass.
bool ReplaceInPieces(HWND window, int start, int end, const wchar_t* text, BOOL canUndo)
{
    int units = lstrlenW(text);
    int old = GetWindowTextLengthW(window);
    if (units <= kPiece || !WrapsLines(window) || start < 0 || start > end || end > old ||
        old - (end - start) + units > (int)SendMessageW(window, EM_GETLIMITTEXT, 0, 0))
        return false;
    FinalText final(window, start, end, text, units);
    if (!final.units)
        return false;
    const wchar_t* all = final.units;
    int stop = start + units;
    // A paragraph that goes on after the insertion would be laid out again
    // with every piece.
    if (stop < final.length && all[stop] != L'\n' && !(all[stop] == L'\r' && all[stop + 1] == L'\n'))
        return false;
    // The control lays out again from the line before the one the change
    // starts in.
    int line = (int)SendMessageW(window, EM_LINEFROMCHAR, start, 0);
    int from = (int)SendMessageW(window, EM_LINEINDEX, line > 0 ? line - 1 : 0, 0);
    CEditLineBreaks breaks;
    if (from < 0 || from > start || !breaks.Measure(window, all, final.length, from))
        return false;

    // Where one pass starts the lines, up to the one the insertion ends in.
    std::vector<int> starts(1, from);
    for (;;) {
        int at = starts.back();
        int next = breaks.LineEnd(at, final.length);
        if (next <= at || next > stop || (next == final.length && all[next - 1] != L'\n'))
            break;
        starts.push_back(next);
    }

    bool shown = IsWindowVisible(window) != FALSE;
    if (shown)
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(window, EM_SETSEL, start, end);
    wchar_t* piece = new (std::nothrow) wchar_t[units + 1];
    // The control lays a piece's lines out for a text that ends where the
    // piece ends, and the last two lines again with the next piece: a
    // piece ends at a line start where that leaves every line as one pass
    // leaves it, farther where it does not.
    size_t first = 0, index = 0;
    for (int at = start; piece && at < stop;) {
        while (index < starts.size() && starts[index] < at + kPiece)
            ++index;
        while (index < starts.size() && !SameLines(breaks, starts, first, starts[index]))
            index = starts[index] - at < kLongestTry ? index + 1 : starts.size();
        int to = index < starts.size() ? starts[index] : stop;
        CopyMemory(piece, all + at, (to - at) * sizeof(wchar_t));
        piece[to - at] = 0;
        if (at > start)
            SendMessageW(window, EM_SETSEL, at, at);
        SendMessageW(window, EM_REPLACESEL, canUndo, (LPARAM)piece);
        first = index >= 2 ? index - 2 : 0;
        at = to;
    }
    bool done = piece != nullptr;
    delete[] piece;
    if (!done)
        SendMessageW(window, EM_REPLACESEL, canUndo, (LPARAM)text);
    // Should the control still have laid a line out otherwise, all of it is
    // laid out again at once (the font set again does that).
    int lines = (int)SendMessageW(window, EM_LINEFROMCHAR, stop, 0) -
                (int)SendMessageW(window, EM_LINEFROMCHAR, from, 0) + 1;
    if (lines != (int)starts.size())
        SendMessageW(window, WM_SETFONT, SendMessageW(window, WM_GETFONT, 0, 0), FALSE);
    if (shown) {
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    return true;
}

}

BOOL SetLongEditText(HWND window, LPCWSTR text)
{
    if (!text || !WrapsLines(window) || lstrlenW(text) <= kPiece)
        return SetWindowTextW(window, text);
    BOOL done = SetWindowTextW(window, L"");
    if (!done || !ReplaceInPieces(window, 0, 0, text, FALSE))
        return SetWindowTextW(window, text);
    SendMessageW(window, EM_SETSEL, 0, 0);
    SendMessageW(window, EM_SCROLLCARET, 0, 0);
    SendMessageW(window, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(window, EM_SETMODIFY, FALSE, 0);
    return TRUE;
}

void ReplaceEditSelection(HWND window, LPCWSTR text, BOOL canUndo)
{
    DWORD start = 0, end = 0;
    SendMessageW(window, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    if (!text || !ReplaceInPieces(window, (int)start, (int)end, text, canUndo))
        SendMessageW(window, EM_REPLACESEL, canUndo, (LPARAM)text);
}

bool PasteLongText(HWND window)
{
    if (!WrapsLines(window) || !IsClipboardFormatAvailable(CF_UNICODETEXT) ||
        !OpenClipboard(window))
        return false;
    bool done = false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = data ? (const wchar_t*)GlobalLock(data) : nullptr;
    if (text) {
        DWORD start = 0, end = 0;
        SendMessageW(window, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        done = ReplaceInPieces(window, (int)start, (int)end, text, TRUE);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return done;
}
