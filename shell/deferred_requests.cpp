#include "shell/deferred_requests.h"

#include "app/app_state.h"
#include "editor/document.h"
#include "shell/document_commands.h"
#include "shell/document_view.h"
#include "storage/encodings.h"
#include "storage/grow_array.h"
#include "storage/wide_text.h"

namespace {

struct KeptPath {
    wchar_t path[MAX_PATH];
};

CGrowArray<KeptPath> g_handOvers;
bool g_closeKept = false;

bool AnythingKept()
{
    return g_closeKept || g_handOvers.count > 0;
}

}

void DeferClose()
{
    g_closeKept = true;
}

bool DeferHandOver(const wchar_t* path)
{
    KeptPath kept;
    CopyUnits(kept.path, MAX_PATH, path);
    return g_handOvers.Append(kept) >= 0;
}

void ScheduleDeferredRequests(HWND mainWindow)
{
    if (AnythingKept())
        PostMessageW(mainWindow, WM_RUN_DEFERRED, 0, 0);
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
    // schedules the requests again.
    if (!window || !IsWindowEnabled(window))
        return;
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
