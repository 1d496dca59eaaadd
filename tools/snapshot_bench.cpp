// snapshot-bench: times the crash-recovery snapshots in this process, with
// the editor's real main window and 30000-unit documents, and prints one line
// per operation: its name and the median of several runs in milliseconds.
// Run by tools/bench.

#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/document_snapshots.h"
#include "resources/resource.h"
#include "tools/bench_editor.h"

namespace {

const int RUNS = 7;
const int KEYS = 200;

// 500 lines of 60 units, filled up to 30000 units.
std::wstring MakeDocumentText()
{
    std::wstring text = RepeatedLines(L"текст ", L"конец\r\n");
    return text + std::wstring(30000 - text.size(), L'я');
}

void Type(CDocument* document, int keys)
{
    for (int i = 0; i < keys; ++i) {
        document->SendToEdit(WM_CHAR, i % 10 == 9 ? L' ' : L'ж', 1);
        Pump();
    }
}

void Time(const char* name, const std::function<void()>& prepare,
          const std::function<void()>& operation)
{
    std::vector<double> runs;
    for (int i = 0; i < RUNS; ++i) {
        prepare();
        Pump();
        double start = Now();
        operation();
        runs.push_back(Now() - start);
    }
    printf("%-58s %8.2f ms\n", name, Median(runs));
    fflush(stdout);
}

}

int wmain()
{
    // The program folder of a run of its own, in the temporary folder.
    BenchEditor editor(L"snapshot-bench");
    if (!editor.started)
        return 1;
    std::wstring text = MakeDocumentText();
    for (int i = 1; i < 10; ++i)
        SendMessageW(g_app.mainWindow, WM_COMMAND, CMD_WINDOW_NEW, 0);
    for (int i = 0; i < g_app.documents.count; ++i)
        g_app.documents[i]->SetText(text.c_str());
    CDocument* first = g_app.documents[0];
    SendMessageW(g_app.mainWindow, WM_COMMAND, MAKEWPARAM(CMD_TAB_CHOSEN, 0), 0);

    // One modified document.
    Type(first, 1);
    WriteDueSnapshots();
    Time("snapshot of one changed 30000-unit document", [&] { Type(first, 1); },
         [] { WriteDueSnapshots(); });
    Time("typing 200 keys, one modified document", [] {}, [&] { Type(first, KEYS); });
    Time("snapshots after typing, one modified document", [&] { Type(first, 5); },
         [] { WriteDueSnapshots(); });

    // Ten modified documents, all with their snapshots.
    for (int i = 1; i < g_app.documents.count; ++i)
        Type(g_app.documents[i], 1);
    WriteDueSnapshots();
    Time("typing 200 keys, ten modified documents", [] {}, [&] { Type(first, KEYS); });
    Time("snapshots after typing, ten modified documents", [&] { Type(first, 5); },
         [] { WriteDueSnapshots(); });
    printf("snapshots kept: %d\n", SnapshotCount());

    return 0;
}
