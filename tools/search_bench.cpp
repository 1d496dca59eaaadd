// search-bench: times the editor's search commands in this process, on a
// 30000-unit Russian document with 5000 matches in a real edit window, and
// prints one line per operation: its name and the median of several runs in
// milliseconds. Then, in the editor's own main window with its find bar,
// the time of one press of find next, stepping through 500 matches, against
// the edit control alone selecting the same places. Run by tools/bench.

#include <stdio.h>
#include <wchar.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/document_replace.h"
#include "editor/document_search.h"
#include "resources/resource.h"
#include "tools/bench_editor.h"

namespace {

const int RUNS = 7;
const int PRESSES = 500;

// 500 lines of 60 units, ten lower-case "кот" on each.
std::wstring MakeDocumentText()
{
    return RepeatedLines(L"кот и ", L"кот.\r\n");
}

// `prepare` runs untimed before each run; the timed part ends when the
// window has repainted.
void Time(const char* name, CDocument* document, const std::function<void()>& prepare,
          const std::function<bool()>& operation)
{
    std::vector<double> runs;
    bool right = true;
    for (int i = 0; i < RUNS; ++i) {
        prepare();
        Pump();
        double start = Now();
        right = operation() && right;
        UpdateWindow(document->parent);
        UpdateWindow(document->edit);
        runs.push_back(Now() - start);
    }
    printf("%-44s %8.1f ms%s\n", name, Median(runs), right ? "" : "  (WRONG RESULT)");
    fflush(stdout);
}

// Everything the press changed is on the screen.
void Painted()
{
    Pump();
    RedrawWindow(g_app.mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Milliseconds of one `press` (the median of PRESSES in each run, the median
// of the runs), each from the start of the text.
void TimePress(const char* name, const std::wstring& text, const std::function<void(int)>& press)
{
    CDocument* document = g_app.documents[0];
    std::vector<double> runs;
    for (int run = 0; run < RUNS; ++run) {
        document->SetText(text.c_str());
        document->SetSelection(0, 0, true);
        Painted();
        std::vector<double> presses;
        for (int i = 0; i < PRESSES; ++i) {
            double start = Now();
            press(i);
            Painted();
            presses.push_back(Now() - start);
        }
        runs.push_back(Median(presses));
    }
    DWORD start = 0, end = 0;
    document->GetSelection(&start, &end);
    bool right = start == (PRESSES - 1) * 6 && end == start + 3;
    printf("%-44s %8.2f ms%s\n", name, Median(runs), right ? "" : "  (WRONG RESULT)");
    fflush(stdout);
}

// Find next pressed in the editor's own window: by Enter in the find box and
// by a tap on ">>", against the edit control alone selecting the same places.
bool TimePresses(const std::wstring& text)
{
    BenchEditor editor(L"search-bench");
    if (!editor.started)
        return false;
    SendMessageW(g_app.mainWindow, WM_COMMAND, CMD_SEARCH, 0);
    HWND box = GetDlgItem(g_app.findBar, IDC_FIND_TEXT);
    SetWindowTextW(box, L"кот");
    printf("find next in the editor's window, per press (median of %d presses, %d runs)\n",
           PRESSES, RUNS);
    TimePress("find next, Enter in the find box", text,
              [box](int) { SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0x1C0001); });
    HWND next = GetDlgItem(g_app.findBar, IDC_FIND_NEXT);
    TimePress("find next, a tap on \">>\"", text, [next](int) {
        SendMessageW(next, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(next, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    });
    TimePress("(edit control only: select the same place)", text, [](int i) {
        g_app.documents[0]->SetSelection(i * 6, i * 6 + 3, true);
    });
    return true;
}

}

// With the argument "presses" only the presses in the editor's window run.
int wmain(int argc, wchar_t** argv)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"QuillexBench";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"QuillexBench", L"search-bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                  480, 640, nullptr, nullptr, instance, nullptr);
    CDocument* document = new CDocument(window, false);
    RECT client;
    GetClientRect(window, &client);
    document->MoveTo(1, 0, client.right - 2, client.bottom - 2);
    document->Show(true);

    const std::wstring text = MakeDocumentText();
    if (argc > 1 && wcscmp(argv[1], L"presses") == 0) {
        delete document;
        DestroyWindow(window);
        return TimePresses(text) ? 0 : 1;
    }
    auto reset = [&]() {
        document->SetText(text.c_str());
        document->SetSelection(0, 0, true);
    };
    printf("document: %d units, 5000 matches of the pattern, %d runs each (median)\n",
           (int)text.size(), RUNS);

    Time("find next, start to the last of 5000 matches", document, reset, [&]() {
        int found = 0;
        while (found < 5000 && FindInDocument(document, L"кот", true, true, false, FIND_SILENT))
            ++found;
        return found == 5000;
    });
    // For comparison: the edit control alone, selecting the same 5000 places.
    Time("(edit control only: select 5000 matches)", document, reset, [&]() {
        for (int i = 0; i < 5000; ++i)
            document->SetSelection(i * 6, i * 6 + 3, true);
        return true;
    });
    Time("replace all 5000, Tt off", document, reset, [&]() {
        return ReplaceAllInDocument(document, L"КОТ", L"пёс", true, false) == 5000;
    });
    Time("replace all 5000, Tt on", document, reset, [&]() {
        return ReplaceAllInDocument(document, L"кот", L"пёс", false, false) == 5000;
    });
    Time("replace all 5000, replacement holds the text", document, reset, [&]() {
        return ReplaceAllInDocument(document, L"кот", L"котик", true, false) == 5000;
    });
    Time("word wrap on", document, [&]() { reset(); document->SetWordWrap(false); }, [&]() {
        document->SetWordWrap(true);
        return document->IsWordWrap();
    });
    Time("word wrap off", document, [&]() { reset(); document->SetWordWrap(true); }, [&]() {
        document->SetWordWrap(false);
        return !document->IsWordWrap();
    });

    delete document;
    DestroyWindow(window);
    return TimePresses(text) ? 0 : 1;
}
