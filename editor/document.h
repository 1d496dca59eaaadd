#ifndef QUILLEX_EDITOR_DOCUMENT_H
#define QUILLEX_EDITOR_DOCUMENT_H

#include "platform/pocketpc.h"

// One open document: the file it belongs to, the encoding and codec flags it
// was last read or written with, whether it has unsaved changes, and the
// multi-line edit window that holds its text. The text lives only in the
// edit window; every text operation goes through the record to it.
class CDocument {
public:
    CDocument(HWND parent, bool wordWrap);

    void Destroy();
    void CreateEditWindow();
    void RebuildEditWindow();

    bool IsWordWrap() const { return wordWrap != 0; }
    void SetWordWrap(bool on);
    void SetModified(bool on);
    bool HasFileName() const { return path[0] != 0; }

    // Read or write the document through the text codec. False when the file
    // could not be read (the document is unchanged) or written (it keeps its
    // path, encoding, flags and modified mark); the codec told the user.
    bool Load(const wchar_t* filePath, int encodingHint);
    bool Save(const wchar_t* filePath, int newEncoding, DWORD newFlags);

    int GetText(wchar_t* buffer);
    void SetText(const wchar_t* text);
    int GetTextLength();
    void GetSelection(DWORD* start, DWORD* end);
    void SetSelection(int start, int end, bool scroll);
    LRESULT SendToEdit(UINT message, WPARAM wParam, LPARAM lParam);
    void Show(bool show);
    bool IsVisible();
    void MoveTo(int x, int y, int width, int height);

    wchar_t path[260];
    int encoding;
    DWORD codecFlags;
    HWND edit;
    HWND parent;
    BYTE wordWrap;
    BYTE modified;
    WNDPROC editProc;
    HFONT font;
    // The text is only the start of its file (cut on load): writing it over
    // that file would lose the rest.
    bool truncated;

    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

private:
    bool Transfer(const wchar_t* filePath, bool load, int encodingAsked, DWORD flagsGiven);
};

// Most units GetText copies, terminator included.
const int DOCUMENT_TEXT_MAX = 65536;

#endif
