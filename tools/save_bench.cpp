// save-bench: where Ctrl+S of a 30000-unit document goes, in this process,
// with the editor's real main window: the whole command just after a key
// (to the window repainted), then each of its steps alone, then the same
// bytes written by bare Win32 calls as the floor (tools/bare_save.h). The
// steps take turns within each run, so that a burst of other work on the
// machine's disk slows them alike. One line per step, the median of the
// runs in milliseconds. Run by tools/bench.

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


void Painted()
{
    Pump();
    RedrawWindow(g_app.mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// `prepare` runs untimed before each run of `operation`.
struct Step {
    const char* name;
    std::function<void()> prepare;
    std::function<void()> operation;
};

// The milliseconds of each step's runs.
std::vector<std::vector<double>> TimeInTurns(const std::vector<Step>& steps)
{
    std::vector<std::vector<double>> runs(steps.size());
    for (int i = 0; i < RUNS; ++i) {
        for (size_t n = 0; n < steps.size(); ++n) {
            steps[n].prepare();
            Painted();
            double start = Now();
            steps[n].operation();
            runs[n].push_back(Now() - start);
        }
    }
    return runs;
}

void Print(const std::vector<Step>& steps, const std::vector<std::vector<double>>& runs,
           size_t from, size_t to)
{
    for (size_t i = from; i < to; ++i)
        printf("  %-56s %7.2f ms\n", steps[i].name, Median(runs[i]));
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
    // The writer alone and the floor write a file of their own: the
    // document's would look changed by another program to the command.
    std::wstring other = std::wstring(folder) + L"save-bench-bytes.txt";
    std::wstring text = RepeatedLines(L"текст ", L"конец\r\n");
    CDocument* document = g_app.documents[0];
    document->SetText(text.c_str());
    document->Save(path.c_str(), ENC_UTF16, CODEC_BOM);
    // Snapshots on, as in the program: the key starts one, the save drops it.
    std::wstring snapshots = std::wstring(folder) + L"save-bench-snapshots";
    SetSnapshotFolder(snapshots.c_str());
    EncodedText bytes = {};
    EncodeText(text.c_str(), (int)text.size(), ENC_UTF16, CODEC_BOM, &bytes);

    auto nothing = [] {};
    auto typeKey = [&] { document->SendToEdit(WM_CHAR, L'ж', 1); };
    auto write = [&](bool flush) {
        SetFlushToStorage(flush);
        WriteFileWhole(other.c_str(), bytes.bytes, bytes.count, nullptr);
        SetFlushToStorage(true);
    };
    std::vector<Step> steps = {
        { "the command just after a key, to the window repainted", typeKey,
          [] {
              SendMessageW(g_app.mainWindow, WM_COMMAND, CMD_SAVE, 0);
              Painted();
          } },
        { "the document's save alone, just after a key", typeKey,
          [&] { document->Save(document->path, document->encoding, document->codecFlags); } },
        { "changed-on-disk check", nothing, [&] { document->FileChangedOnDisk(); } },
        { "characters the encoding cannot hold", nothing,
          [&] { document->CountUnwritable(document->encoding); } },
        { "text copied out of the edit window and encoded", nothing,
          [&] {
              int units = 0;
              wchar_t* copy = document->CopyText(&units);
              EncodedText encoded = {};
              EncodeText(copy, units, ENC_UTF16, CODEC_BOM, &encoded);
              delete[] encoded.bytes;
              delete[] copy;
          } },
        { "the file written: checks, copy, flush, move", nothing, [&] { write(true); } },
        { "the same without the flush", nothing, [&] { write(false); } },
        { "recent list", nothing, [&] { AddRecent(path.c_str()); } },
        { "snapshot dropped (started by a key)", [&] { NoteDocumentChange(document); },
          [&] { DropSnapshot(document); } },
        { "tab and menus shown after the save", nothing, [] { ShowDocumentState(); } },
        { "a new copy, flushed, moved over the file", nothing,
          [&] { BareSave(other, bytes.bytes, bytes.count, true); } },
        { "written over the file, no flush (as notepad)", nothing,
          [&] { BareSave(other, bytes.bytes, bytes.count, false); } },
    };
    std::vector<std::vector<double>> runs = TimeInTurns(steps);
    const size_t bare = steps.size() - 2;
    printf("Ctrl+S of a %d-unit document, UTF-16, step by step (median of %d runs, ms)\n",
           (int)text.size(), RUNS);
    Print(steps, runs, 0, bare);
    printf("the same bytes by bare Win32 calls\n");
    Print(steps, runs, bare, steps.size());
    delete[] bytes.bytes;
    DropAllSnapshots();
    SetSnapshotFolder(L"");
    DeleteFileW(path.c_str());
    DeleteFileW(other.c_str());
    return 0;
}
