#ifndef QUILLEX_EDITOR_DOCUMENT_H
#define QUILLEX_EDITOR_DOCUMENT_H

#include "editor/document_snapshots.h"
#include "platform/pocketpc.h"

// One open document: the file it belongs to, the encoding and codec flags it
// was last read or written with, whether it has unsaved changes, and the
// multi-line edit window that holds its text. The text lives only in the
// edit window; every text operation goes through the record to it.
class CDocument final : public SnapshotSubject {
public:
    CDocument(HWND parent, bool wordWrap);
    // Releases the edit window and its font.
    ~CDocument();

    // Leaves `edit` null when the window could not be made.
    void CreateEditWindow();
    // False when the new window or the copy of the text could not be had:
    // the old window then stays, with its text.
    bool RebuildEditWindow();

    bool IsWordWrap() const { return wordWrap != 0; }
    // False when the edit window could not be rebuilt; word wrap is then as
    // it was.
    bool SetWordWrap(bool on);
    // A change of the mark is told to the parent (DOCN_MODIFIED), which
    // repaints what shows it.
    void SetModified(bool on);
    bool HasFileName() const { return path[0] != 0; }

    // Read or write the document through the text codec. False when the file
    // could not be read (the document is unchanged) or written (it keeps its
    // path, encoding, flags and modified mark); the codec told the user.
    bool Load(const wchar_t* filePath, int encodingHint);
    bool Save(const wchar_t* filePath, int newEncoding, DWORD newFlags);

    // Whether the document's file was changed by another program since it
    // was last loaded or saved (its last-write time or size differ). A file
    // deleted meanwhile, or one never read, has not.
    bool FileChangedOnDisk() const;
    // Characters of the text that `newEncoding` cannot hold (they would be
    // written as '?'); -1 when that could not be found out.
    int CountUnwritable(int newEncoding);

    // Copies the whole text; the caller allocates GetTextLength() + 1 units.
    int GetText(wchar_t* buffer);
    // The whole text in a new[] buffer the caller deletes, its length in
    // `length` when given; null when memory ran out.
    wchar_t* CopyText(int* length = nullptr);
    void SetText(const wchar_t* text);
    int GetTextLength();
    void GetSelection(DWORD* start, DWORD* end);
    void SetSelection(int start, int end, bool scroll);
    LRESULT SendToEdit(UINT message, WPARAM wParam, LPARAM lParam);
    void Show(bool show);
    bool IsVisible();
    void MoveTo(int x, int y, int width, int height);

    // Takes a text brought back from a snapshot, with its path, encoding and
    // flags, as a modified document.
    void RestoreFrom(const Snapshot& snapshot);
    bool NeedsSnapshot() override;
    SnapshotFields SnapshotHeader() override;
    wchar_t* SnapshotText(int* units) override;

    wchar_t path[260];
    int encoding;
    DWORD codecFlags;
    HWND edit;
    HWND parent;
    BYTE wordWrap;
    BYTE modified;
    HFONT font;
    // The text is only the start of its file (cut on load): writing it over
    // that file would lose the rest.
    bool truncated;
    // Set while the program itself puts text into the edit window: that
    // change is not an edit by the user.
    bool settingText;
    // The file as it was last loaded or saved, when it existed then.
    bool fileStamped;
    FILETIME fileWriteTime;
    ULONGLONG fileSize;

    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

private:
    void StampFile();
    bool Transfer(const wchar_t* filePath, bool load, int encodingAsked, DWORD flagsGiven);
};

// Notification code of the WM_COMMAND a document sends its parent when its
// modified mark changes; lParam is its edit window.
const WORD DOCN_MODIFIED = 0x7F01;

// Most units an edit window takes. Loading stops far below (the codec's
// limit); typing, pasting and inserts may grow the text up to this.
const int DOCUMENT_EDIT_LIMIT = 0x100000;

#endif
