// save-bench: where Ctrl+S of a 30000-unit document goes, in this process,
// with the editor's real main window: the whole command just after a key
// (to the window repainted), then each of its steps alone, then the same
// bytes written by bare Win32 calls as the floor (tools/bare_save.h). One
// line per step, the median of several runs in milliseconds. Run by
// tools/bench.

#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/document_snapshots.h"
#include "lists/recent_files.h"
#include "resources/resource.h"
#include "shell/document_view.h"
#include "storage/atomic_file.h"
#include "storage/encodings.h"
#include "storage/text_convert.h"
#include "tools/bare_save.h"
#include "tools/bench_editor.h"

namespace {

const int RUNS = 31;

// 500 lines of 60 units.
std::wstring MakeDocumentText()
{
    std::wstring line;
    for (int i = 0; i < 9; ++i)
        line += L"текст ";
    line += L"конец\r\n";
    std::wstring text;
    while (text.size() + line.size() <= 30000)
        text += line;
    return text;
}

void Painted()
{
    Pump();
    RedrawWindow(g_app.mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Time(const char* name, const std::function<void()>& prepare,
          const std::function<void()>& operation)
{
    std::vector<double> runs;
    for (int i = 0; i < RUNS; ++i) {
        prepare();
        Painted();
        double start = Now();
        operation();
        runs.push_back(Now() - start);
    }
    printf("  %-56s %7.2f ms\n", name, Median(runs));
    fflush(stdout);
}

}

int wmain()
{
    BenchEditor editor(L"save-bench");
    if (!editor.started)
        return 1;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"save-bench.txt";
    std::wstring text = MakeDocumentText();
    CDocument* document = g_app.documents[0];
    document->SetText(text.c_str());
    document->Save(path.c_str(), ENC_UTF16, CODEC_BOM);
    // Snapshots on, as in the program: the key starts one, the save drops it.
    std::wstring snapshots = std::wstring(folder) + L"save-bench-snapshots";
    SetSnapshotFolder(snapshots.c_str());
    auto typeKey = [&] { document->SendToEdit(WM_CHAR, L'ж', 1); };

    printf("Ctrl+S of a %d-unit document, UTF-16, step by step (median of %d runs, ms)\n",
           (int)text.size(), RUNS);
    Time("the command just after a key, to the window repainted", typeKey, [] {
        SendMessageW(g_app.mainWindow, WM_COMMAND, CMD_SAVE, 0);
        Painted();
    });
    Time("the document's save alone, just after a key", typeKey,
         [&] { document->Save(document->path, document->encoding, document->codecFlags); });
    Time("changed-on-disk check", [] {}, [&] { document->FileChangedOnDisk(); });
    Time("characters the encoding cannot hold", [] {},
         [&] { document->CountUnwritable(document->encoding); });
    EncodedText bytes = {};
    Time("text copied out of the edit window and encoded", [&] { delete[] bytes.bytes; }, [&] {
        int units = 0;
        wchar_t* copy = document->CopyText(&units);
        EncodeText(copy, units, ENC_UTF16, CODEC_BOM, &bytes);
        delete[] copy;
    });
    Time("the file written: checks, copy, flush, move", [] {},
         [&] { WriteFileWhole(path.c_str(), bytes.bytes, bytes.count, nullptr); });
    SetFlushToStorage(false);
    Time("the same without the flush", [] {},
         [&] { WriteFileWhole(path.c_str(), bytes.bytes, bytes.count, nullptr); });
    SetFlushToStorage(true);
    Time("recent list", [] {}, [&] { AddRecent(path.c_str()); });
    Time("snapshot dropped (started by a key)", [&] { NoteDocumentChange(document); },
         [&] { DropSnapshot(document); });
    Time("tab and menus shown after the save", [] {}, [] { ShowDocumentState(); });
    printf("the same bytes by bare Win32 calls\n");
    Time("a new copy, flushed, moved over the file", [] {},
         [&] { BareSave(path, bytes.bytes, bytes.count, true); });
    Time("written over the file, no flush (as notepad)", [] {},
         [&] { BareSave(path, bytes.bytes, bytes.count, false); });
    delete[] bytes.bytes;
    DropAllSnapshots();
    SetSnapshotFolder(L"");
    DeleteFileW(path.c_str());
    return 0;
}
