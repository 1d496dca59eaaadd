#ifndef QUILLEX_STORAGE_TEXT_CODEC_H
#define QUILLEX_STORAGE_TEXT_CODEC_H

#include "storage/encodings.h"
#include "storage/file_io.h"

// Moves one document between a file and its edit window. One object does one
// load or one save, all in the constructor; the caller then reads `encoding`,
// `flags`, `succeeded` and `truncated` and destroys the object at once.
//
// Loads detect byte-order marks, the encoding (on request) and bare line
// feeds, keep at most TEXT_UNIT_LIMIT units and stamp ".LOG" files; saves
// write the mark and bare line feeds when the flags ask for them.
class CTextFileIO : public CFileIO {
public:
    // For a load pass the requested encoding (ENC_AUTO to detect) and flags 0;
    // for a save, the chosen encoding and the document's flags. `edit` is the
    // document's edit window; messages are owned by its top-level window.
    CTextFileIO(const wchar_t* path, bool load, HWND edit, int encoding, DWORD flags);
    ~CTextFileIO() override;

    int encoding;        // the encoding actually used
    DWORD flags;         // CODEC_BOM and CODEC_BARE_LF as loaded or written
    wchar_t* wideText;
    unsigned char* byteText;
    HWND edit;
    DWORD bomLength;
    // Where a file cut at the read cap goes on past the text read; 0 when
    // the whole file was read or its text ended before the cap.
    DWORD beyond;

    // False when the file could not be read (the edit window was left alone)
    // or not written whole; the user has already been told.
    bool succeeded;
    // True when the edit window holds only the start of the file (the size
    // limit, a file too big to read whole, or a NUL that ends the text
    // early): saving it over the file would lose the rest.
    bool truncated;

private:
    void RunLoad(const wchar_t* path, int requested);
    void RunSave(const wchar_t* path, int chosen);
    int DecideEncoding(int requested, ULONGLONG size);
    // Each reads `bytes` bytes after the mark and converts them; false when
    // they could not be read, converted or held.
    bool ReadUtf16(DWORD bytes, int* units);
    bool ReadCodePage(int codePage, DWORD bytes, int* units);
    bool ApplyLineFeedRule(int* units);
    // `cut`: only the start of the file was read.
    void FinishLoad(int units, bool cut);
    // The last unit (or byte) read, and whether the first line feed after
    // it, read on from `beyond`, stands without a carriage return.
    unsigned LastUnitRead(int units) const;
    bool FirstLineFeedBeyondIsBare(unsigned previous);
    // The edit window's text at wideText + offset, bare line feeds applied.
    bool FetchEditText(int offset, int* units);
    // The bytes a save writes, in one of the buffers.
    bool MakeUtf16Bytes(const void** bytes, DWORD* count);
    bool MakeCodePageBytes(int codePage, const void** bytes, DWORD* count);
    void FailRead();
    HWND Owner() const;
};

#endif
