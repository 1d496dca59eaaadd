#include "shell/deferred_requests.h"

#include "app/app_state.h"
#include "editor/document.h"
#include "editor/layout.h"
#include "platform/modal_stack.h"
#include "shell/document_commands.h"
#include "shell/document_view.h"
#include "storage/encodings.h"
#include "storage/grow_array.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/wide_text.h"

namespace {

struct KeptPath {
    wchar_t path[MAX_PATH];
};

CGrowArray<KeptPath> g_handOvers;
bool g_closeKept = false;

}

void DeferClose()
{
    g_closeKept = true;
    NotifyWhenModalEnds();
}

bool DeferHandOver(const wchar_t* path)
{
    KeptPath kept;
    CopyUnits(kept.path, path);
    if (g_handOvers.Append(kept) >= 0) {
        NotifyWhenModalEnds();
        return true;
    }
    // The file will not open by itself later: the user must know to open it
    // again. The message goes over whatever owns the device.
    wchar_t report[800];
    SubstituteFirst(g_lang.Lookup(L"err_handover", L"Недостаточно памяти, чтобы открыть файл %s."),
                    L"%s", path, report, ARRAYSIZE(report));
    ShowNotice(g_app.mainWindow, nullptr, report, MB_ICONERROR);
    return false;
}

void OpenHandedOverFile(const wchar_t* path)
{
    // Without a new tab the file would replace the current document.
    if (!AddDocument(true))
        return;
    CurrentDocument()->Load(path, ENC_AUTO);
    ShowCurrentDocument();
}

void RunDeferredRequests()
{
    HWND window = g_app.mainWindow;
    // Another modal wait may have begun since this was posted; its end
    // tells again.
    if (!window || ModalBusy()) {
        NotifyWhenModalEnds();
        return;
    }
    // Opening a file can show a message, during which more may be handed
    // over: take one path at a time from the front.
    while (g_handOvers.count > 0) {
        KeptPath next = g_handOvers[0];
        for (int i = 1; i < g_handOvers.count; ++i)
            g_handOvers[i - 1] = g_handOvers[i];
        g_handOvers.count--;
        OpenHandedOverFile(next.path);
    }
    if (g_closeKept) {
        g_closeKept = false;
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

void ForgetDeferredRequests()
{
    g_handOvers.Clear();
    g_closeKept = false;
}
