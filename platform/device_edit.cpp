#include "platform/device_edit.h"

#undef SetWindowTextW

namespace {

// Short enough that measuring a piece costs little, long enough that the
// work around each insertion does not add up.
const int kPiece = 512;

bool WrapsLines(HWND window)
{
    wchar_t name[8] = L"";
    if (!GetClassNameW(window, name, 8) || lstrcmpiW(name, L"Edit") != 0)
        return false;
    LONG style = GetWindowLongW(window, GWL_STYLE);
    return (style & ES_MULTILINE) && !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
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
    wchar_t piece[kPiece + 1];
    for (int at = 0; done && at < length;) {
        int n = length - at < kPiece ? length - at : kPiece;
        // Never between the halves of a line end or of a surrogate pair.
        while (n > 1 && at + n < length &&
               (text[at + n] == L'\n' || IS_LOW_SURROGATE(text[at + n])))
            --n;
        CopyMemory(piece, text + at, n * sizeof(wchar_t));
        piece[n] = 0;
        SendMessageW(window, EM_SETSEL, at, at);
        SendMessageW(window, EM_REPLACESEL, FALSE, (LPARAM)piece);
        at += n;
    }
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
