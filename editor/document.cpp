#include "editor/document.h"

#include <new>

#include "editor/document_snapshots.h"
#include "editor/edit_subclass.h"
#include "lists/recent_files.h"
#include "app/app_state.h"
#include "storage/settings.h"
#include "storage/text_codec.h"
#include "storage/text_convert.h"
#include "storage/wide_text.h"

namespace {

// Paths must fit the record's field whole: a cut path would name another file.
bool FitsPath(const wchar_t* filePath)
{
    const int capacity = ARRAYSIZE(CDocument::path);
    return BoundedLength(filePath, capacity) < capacity;
}

// The stored size is the user's, as typed; the font made from it keeps to
// sizes a text can be read and edited in (0 would pick the font's own
// default, thousands would leave a letter per screen).
int EditFontHeight(int stored)
{
    int scale = ScreenScale();
    if (stored < 6 * scale)
        return 6 * scale;
    if (stored > 72 * scale)
        return 72 * scale;
    return stored;
}

// A save that has to write over the file in place brings the snapshot up
// to date first; a whole replace keeps the old file, and the snapshot of at
// most a few seconds ago covers the text.
void RefreshBeforeInPlace(void* document)
{
    RefreshSnapshot(static_cast<CDocument*>(document));
}

// The file's last-write time and size; false when it is not there.
bool ReadFileStamp(const wchar_t* filePath, FILETIME* time, ULONGLONG* size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(filePath, GetFileExInfoStandard, &data))
        return false;
    *time = data.ftLastWriteTime;
    *size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    return true;
}

}

CDocument::CDocument(HWND parentWindow, bool wrap)
    : encoding(0), codecFlags(0), edit(nullptr), parent(parentWindow), wordWrap(wrap ? 1 : 0),
      modified(0), font(nullptr), truncated(false),
      settingText(false), fileStamped(false), fileWriteTime(), fileSize(0)
{
    path[0] = 0;
    CreateEditWindow();
}

CDocument::~CDocument()
{
    DropSnapshot(this);
    if (edit)
        DestroyWindow(edit);
    if (font)
        DeleteObject(font);
}

void CDocument::CreateEditWindow()
{
    RECT client;
    GetClientRect(parent, &client);
    // Without ES_AUTOHSCROLL and WS_HSCROLL the control wraps at its right edge.
    DWORD style = WS_CHILD | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_NOHIDESEL;
    if (!wordWrap)
        style |= WS_HSCROLL;
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrW(parent, GWLP_HINSTANCE);
    edit = CreateWindowExW(0, L"EDIT", L"", style, 1, 1, client.right - 2, client.bottom - 2,
                           parent, (HMENU)0, instance, nullptr);
    if (!edit)
        return;
    // The platform's default (30000 units) is only the loading limit: a text
    // loaded at that limit must still take typing and pasting.
    SendMessageW(edit, EM_LIMITTEXT, DOCUMENT_EDIT_LIMIT, 0);

    AttachEditSubclass(edit, this);

    LOGFONTW logFont;
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(logFont), &logFont);
    // The face name field holds 31 characters; a longer name is cut.
    g_settings.GetString(L"FontName", logFont.lfFaceName, LF_FACESIZE, nullptr);
    logFont.lfHeight = EditFontHeight(g_settings.GetInt(L"FontSize", IsVgaScreen() ? 22 : 14));
    logFont.lfQuality = ANTIALIASED_QUALITY;
    font = CreateFontIndirectW(&logFont);
    SendMessageW(edit, WM_SETFONT, (WPARAM)font, 1);
}

bool CDocument::RebuildEditWindow()
{
    DWORD start = 0, end = 0;
    GetSelection(&start, &end);
    wchar_t* text = CopyText();
    if (!text)
        return false;
    // The new window is made before the old one goes, so that a failure
    // leaves the document as it was.
    HWND oldEdit = edit;
    HFONT oldFont = font;
    CreateEditWindow();
    if (!edit) {
        edit = oldEdit;
        font = oldFont;
        delete[] text;
        return false;
    }
    // The text goes into a window of the old one's size: a wrapping control
    // then wraps it once, not again when the layout sizes it.
    RECT place;
    GetWindowRect(oldEdit, &place);
    MapWindowPoints(nullptr, parent, (POINT*)&place, 2);
    MoveWindow(edit, place.left, place.top, place.right - place.left, place.bottom - place.top,
               FALSE);
    DestroyWindow(oldEdit);
    if (oldFont)
        DeleteObject(oldFont);

    SetText(text);
    SetSelection((int)start, (int)end, true);
    SetFocus(edit);
    delete[] text;
    return true;
}

bool CDocument::SetWordWrap(bool on)
{
    if (IsWordWrap() == on)
        return true;
    wordWrap = on ? 1 : 0;
    if (RebuildEditWindow())
        return true;
    wordWrap = on ? 0 : 1;
    return false;
}

void CDocument::SetModified(bool on)
{
    BYTE value = on ? 1 : 0;
    if (modified == value)
        return;
    modified = value;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(0, DOCN_MODIFIED), (LPARAM)edit);
}

bool CDocument::Load(const wchar_t* filePath, int encodingHint)
{
    return Transfer(filePath, true, encodingHint, 0);
}

bool CDocument::Save(const wchar_t* filePath, int newEncoding, DWORD newFlags)
{
    return Transfer(filePath, false, newEncoding, newFlags);
}

bool CDocument::Transfer(const wchar_t* filePath, bool load, int encodingAsked, DWORD flagsGiven)
{
    if (!FitsPath(filePath))
        return false;
    WriteGuard guard = { &RefreshBeforeInPlace, this };
    settingText = true;
    CTextFileIO codec(filePath, load, edit, encodingAsked, flagsGiven, &guard);
    settingText = false;
    // The file goes to the front of the recent list even when it failed, so
    // that it is at hand to try again.
    AddRecent(filePath);
    // The record takes the result only when the file went through.
    if (!codec.succeeded)
        return false;
    if (filePath != path)
        CopyUnits(path, filePath);
    encoding = codec.encoding;
    codecFlags = codec.flags;
    truncated = codec.truncated;
    modified = 0;
    StampFile();
    // What the snapshot kept is in the file now, or was given up for it.
    DropSnapshot(this);
    return true;
}

void CDocument::StampFile()
{
    fileStamped = ReadFileStamp(path, &fileWriteTime, &fileSize);
}

bool CDocument::FileChangedOnDisk() const
{
    FILETIME time;
    ULONGLONG size = 0;
    if (!fileStamped || !ReadFileStamp(path, &time, &size))
        return false;
    return size != fileSize || CompareFileTime(&time, &fileWriteTime) != 0;
}

int CDocument::CountUnwritable(int newEncoding)
{
    // No copy of the text for the encodings that hold every character.
    if (!CanLoseCharacters(newEncoding))
        return 0;
    int units = 0;
    wchar_t* text = CopyText(&units);
    if (!text)
        return -1;
    int count = ::CountUnwritable(text, units, newEncoding);
    delete[] text;
    return count;
}

int CDocument::GetText(wchar_t* buffer)
{
    return GetWindowTextW(edit, buffer, GetTextLength() + 1);
}

wchar_t* CDocument::CopyText(int* length)
{
    int n = GetTextLength();
    wchar_t* text = new (std::nothrow) wchar_t[n + 1];
    if (!text)
        return nullptr;
    text[0] = 0;
    n = GetText(text);
    if (length)
        *length = n;
    return text;
}

void CDocument::SetText(const wchar_t* text)
{
    settingText = true;
    SetLongEditText(edit, text);
    settingText = false;
}

int CDocument::GetTextLength()
{
    return GetWindowTextLengthW(edit);
}

void CDocument::GetSelection(DWORD* start, DWORD* end)
{
    SendMessageW(edit, EM_GETSEL, (WPARAM)start, (LPARAM)end);
}

void CDocument::SetSelection(int start, int end, bool scroll)
{
    SendMessageW(edit, EM_SETSEL, (WPARAM)start, (LPARAM)end);
    if (scroll)
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

LRESULT CDocument::SendToEdit(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageW(edit, message, wParam, lParam);
}

void CDocument::Show(bool show)
{
    ShowWindow(edit, show ? SW_SHOW : SW_HIDE);
}

bool CDocument::IsVisible()
{
    return IsWindowVisible(edit) != FALSE;
}

void CDocument::MoveTo(int x, int y, int width, int height)
{
    MoveWindow(edit, x, y, width, height, TRUE);
}

void CDocument::RestoreFrom(const Snapshot& snapshot)
{
    SetText(snapshot.text);
    CopyUnits(path, snapshot.path);
    encoding = snapshot.encoding;
    codecFlags = snapshot.flags;
    truncated = snapshot.truncated;
    SetModified(true);
}

// An untitled document emptied completely is dropped without a question,
// so it needs no snapshot either.
bool CDocument::NeedsSnapshot()
{
    return modified && (HasFileName() || GetTextLength() > 0);
}

SnapshotFields CDocument::SnapshotHeader()
{
    return SnapshotFields{ path, encoding, codecFlags, truncated };
}

wchar_t* CDocument::SnapshotText(int* units)
{
    return CopyText(units);
}
