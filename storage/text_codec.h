#ifndef QUILLEX_STORAGE_TEXT_CODEC_H
#define QUILLEX_STORAGE_TEXT_CODEC_H

#include "storage/atomic_file.h"
#include "storage/encodings.h"
#include "storage/file_io.h"

// Moves one document between a file and its edit window. One object does one
// load or one save, all in the constructor; the caller then reads `encoding`,
// `flags`, `succeeded` and `truncated` and destroys the object at once.
//
// The conversions themselves (marks, detection, line ends, the read cap) are
// the plain functions of text_convert.h; this class reads and writes the
// file and the edit window around them and tells the user what went wrong.
class CTextFileIO : public CFileIO {
public:
    // For a load pass the requested encoding (ENC_AUTO to detect) and flags 0;
    // for a save, the chosen encoding and the document's flags. `edit` is the
    // document's edit window; messages are owned by its top-level window.
    // `guard` (saves only, may be null) is handed to the file's writer.
    CTextFileIO(const wchar_t* path, bool load, HWND edit, int encoding, DWORD flags,
                const WriteGuard* guard = nullptr);
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
    void RunSave(const wchar_t* path, int chosen, const WriteGuard* guard);
    int DecideEncoding(int requested, ULONGLONG size);
    // Reads `bytes` bytes after the mark and decodes them; false when they
    // could not be read, converted or held.
    bool ReadText(int chosen, DWORD bytes, int* units);
    // `cut`: only the start of the file was read.
    void FinishLoad(int units, bool cut);
    // Whether the first line feed after the text read, read on from
    // `beyond`, stands without a carriage return.
    bool FirstLineFeedBeyondIsBare(int chosen, int units);
    void FailRead();
    HWND Owner() const;
};

#endif
