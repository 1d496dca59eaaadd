#include "platform/device_edit.h"

#include <new>

#undef SetWindowTextW

namespace {

// No line measures more than kPiece units of its paragraph; a piece of
// whole shorter paragraphs may be longer, up to kLongPiece, so that the work
// around each insertion does not add up.
const int kPiece = 512;
const int kLongPiece = 16384;

// Where the piece that starts at `at` ends: after whole paragraphs, or after
// kPiece units of a long one, never between the halves of a line end or of a
// surrogate pair.
int PieceEnd(LPCWSTR text, int at, int length)
{
    int end = at;
    while (end < length && end - at < kLongPiece) {
        int stop = end;
        while (stop < length && text[stop] != L'\n')
            ++stop;
        if (stop < length)
            ++stop;
        if (stop - end <= kPiece) {
            end = stop;
            continue;
        }
        if (end > at)
            break;
        end = at + kPiece;
        while (end - at > 1 && (text[end] == L'\n' || IS_LOW_SURROGATE(text[end])))
            --end;
        break;
    }
    return end;
}

bool WrapsLines(HWND window)
{
    wchar_t name[8] = L"";
    if (!GetClassNameW(window, name, 8) || lstrcmpiW(name, L"Edit") != 0)
        return false;
    // Without a vertical scroll the control refuses insertions beyond its
    // last visible line.
    LONG style = GetWindowLongW(window, GWL_STYLE);
    return (style & ES_MULTILINE) && !(style & (ES_AUTOHSCROLL | WS_HSCROLL)) &&
           (style & (ES_AUTOVSCROLL | WS_VSCROLL));
}

}

BOOL DeviceSetWindowText(HWND window, LPCWSTR text)
{
    int length = text ? lstrlenW(text) : 0;
    if (length <= kPiece || !WrapsLines(window) ||
        length > (int)SendMessageW(window, EM_GETLIMITTEXT, 0, 0))
        return SetWindowTextW(window, text);

    bool shown = IsWindowVisible(window) != FALSE;
    if (shown)
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    BOOL done = SetWindowTextW(window, L"");
    wchar_t* piece = new (std::nothrow) wchar_t[kLongPiece + kPiece + 1];
    if (!piece)
        done = SetWindowTextW(window, text);
    for (int at = 0; piece && done && at < length;) {
        int end = PieceEnd(text, at, length);
        CopyMemory(piece, text + at, (end - at) * sizeof(wchar_t));
        piece[end - at] = 0;
        SendMessageW(window, EM_SETSEL, at, at);
        SendMessageW(window, EM_REPLACESEL, FALSE, (LPARAM)piece);
        at = end;
    }
    delete[] piece;
    // Whatever the control refused goes in the one slow way.
    if (done && GetWindowTextLengthW(window) != length)
        done = SetWindowTextW(window, text);
    SendMessageW(window, EM_SETSEL, 0, 0);
    SendMessageW(window, EM_SCROLLCARET, 0, 0);
    SendMessageW(window, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(window, EM_SETMODIFY, FALSE, 0);
    if (shown) {
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    return done;
}
