#include "shell/commands.h"

#include "app/app_state.h"
#include "dialogs/settings_dialog.h"
#include "editor/document.h"
#include "editor/find_bar.h"
#include "editor/layout.h"
#include "editor/tab_host.h"
#include "lists/quick_insert.h"
#include "resources/resource.h"
#include "shell/about_box.h"
#include "shell/document_commands.h"
#include "shell/document_view.h"
#include "shell/encoding_commands.h"
#include "shell/settings_change.h"
#include "storage/encodings.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/settings.h"

namespace {

CDocument* Current()
{
    return CurrentDocument();
}

void SetCaret(int position)
{
    Current()->SetSelection(position, position, true);
}

int LineStart()
{
    return (int)Current()->SendToEdit(EM_LINEINDEX, (WPARAM)-1, 0);
}

// Scrolls a page and taps where the caret was on the screen, so the caret
// stays at the same place of the window in the scrolled text.
void MovePage(bool down)
{
    POINT caret = {};
    GetCaretPos(&caret);
    Current()->SendToEdit(EM_SCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0);
    LPARAM at = MAKELPARAM(caret.x, caret.y + 1);
    Current()->SendToEdit(WM_LBUTTONDOWN, MK_LBUTTON, at);
    Current()->SendToEdit(WM_LBUTTONUP, MK_LBUTTON, at);
}

void ToggleWordWrap()
{
    bool wrap = !Current()->IsWordWrap();
    if (!Current()->SetWordWrap(wrap)) {
        ShowOutOfMemory(g_app.mainWindow);
        return;
    }
    g_settings.SetInt(L"WordWrap", wrap ? 1 : 0);
    ShowCurrentDocument();
}

void Reopen(int encoding)
{
    if (!Current()->HasFileName()) {
        ShowNotice(g_app.mainWindow, L"no_reopen",
                   L"Файл не сохранён, поэтому переоткрыть его невозможно.", MB_ICONHAND);
        return;
    }
    if (!ConfirmSaveChanges(false))
        return;
    Current()->Load(Current()->path, encoding);
    ShowCurrentDocument();
}

void SwitchTo(int index)
{
    g_app.previous = g_app.current;
    g_app.current = index;
    ShowCurrentDocument();
}

void CloseCurrentWindow()
{
    // `previous` moves down with the entries after the closed one; a
    // cancelled close leaves it as it was.
    int target = g_app.current < g_app.previous ? g_app.previous - 1 : g_app.previous;
    if (CloseDocument(target))
        g_app.previous = target;
}

void SettingsCommand()
{
    MenuSettings before = ReadMenuSettings();
    ShowSettingsDialog();
    ApplySettingsChange(before);
}

}

bool DispatchCommand(HWND window, int id, LPARAM lParam)
{
    if (id >= CMD_QUICK_INSERT_FIRST) {
        if (g_app.quickInsert &&
            g_app.quickInsert->InsertQuickText(id - CMD_QUICK_INSERT_FIRST, Current()->edit))
            Current()->SetModified(true);
        return false;
    }
    int count = g_app.documents.count;
    switch (id) {
    case CMD_CLOSE:
    case CMD_EXIT: SendMessageW(window, WM_CLOSE, 0, 0); break;
    case CMD_TAB_CHOSEN: SwitchTo((int)lParam); break;
    case CMD_COPY: Current()->SendToEdit(WM_COPY, 0, 0); break;
    case CMD_PASTE: Current()->SendToEdit(WM_PASTE, 0, 0); Current()->SetModified(true); break;
    case CMD_CUT: Current()->SendToEdit(WM_CUT, 0, 0); Current()->SetModified(true); break;
    case CMD_WORD_WRAP: ToggleWordWrap(); break;
    case CMD_NEW: NewDocumentCommand(); break;
    case CMD_OPEN: OpenDocumentCommand(); break;
    case CMD_SAVE: SaveDocument(g_app.current); break;
    case CMD_SAVE_AS: SaveDocumentAs(g_app.current); FocusCurrentDocument(); break;
    case CMD_SELECT_ALL: Current()->SetSelection(0, -1, false); break;
    case CMD_SEARCH: ToggleFindBar(false); break;
    case CMD_REPLACE: ToggleFindBar(true); break;
    case CMD_FILE_START: SetCaret(0); break;
    case CMD_FILE_END: SetCaret(Current()->GetTextLength()); break;
    case CMD_PAGE_UP: MovePage(false); break;
    case CMD_PAGE_DOWN: MovePage(true); break;
    case CMD_LINE_START: SetCaret(LineStart()); break;
    case CMD_LINE_END:
        SetCaret(LineStart() + (int)Current()->SendToEdit(EM_LINELENGTH, (WPARAM)-1, 0));
        break;
    case CMD_REOPEN_ANSI:
    case CMD_REOPEN_1251:
    case CMD_REOPEN_866:
    case CMD_REOPEN_KOI8R:
    case CMD_REOPEN_UTF16:
    case CMD_REOPEN_UTF8:
    case CMD_REOPEN_AUTO: Reopen(EncodingForCommand(id)); break;
    case CMD_WINDOW_NEW: {
        int before = g_app.current;
        if (AddDocument(false))
            g_app.previous = before;
        break;
    }
    case CMD_WINDOW_NEXT: SwitchTo(g_app.current + 1 < count ? g_app.current + 1 : count - 1); break;
    case CMD_WINDOW_PREVIOUS: SwitchTo(g_app.current > 0 ? g_app.current - 1 : 0); break;
    case CMD_WINDOW_CLOSE: CloseCurrentWindow(); break;
    case CMD_RECENT: RecentDocumentCommand(); break;
    case CMD_SAVE_ALL:
        for (int i = 0; i < g_app.documents.count; ++i)
            SaveDocument(i);
        break;
    case CMD_QUICK_INSERT_LEFT:
    case CMD_QUICK_INSERT_RIGHT:
        if (g_app.quickInsert)
            g_app.quickInsert->ShowQuickInsert(id == CMD_QUICK_INSERT_LEFT, g_app.mainWindow);
        break;
    case CMD_SETTINGS: SettingsCommand(); break;
    case CMD_ABOUT: ShowAboutBox(); break;
    default: return false;
    }
    return true;
}
