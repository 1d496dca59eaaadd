#ifndef QUILLEX_DIALOGS_DIALOG_TEMPLATE_H
#define QUILLEX_DIALOGS_DIALOG_TEMPLATE_H

#include "platform/pocketpc.h"

// Every dialog of the program runs through one procedure: it starts the
// dialog the handheld's way (full screen, "OK" in the caption, soft keyboard
// down, empty menu bar), hands the messages a dialog cares about to its
// handlers, and ends it: with what the command handler answers, or with
// DIALOG_CLOSED when closed by WM_CLOSE.

// How a dialog ended, with the values the handheld's own dialogs end with.
enum DialogEnd : INT_PTR {
    DIALOG_NOT_SHOWN = -1,     // the template could not be loaded or run
    DIALOG_GOES_ON = 0,        // a command handler's answer: the dialog stays
    DIALOG_OK = IDOK,          // 1
    DIALOG_CANCEL = IDCANCEL,  // 2
    DIALOG_CLOSED = 16,        // WM_CLOSE
};

// The handlers of one dialog, each given the dialog's own state; every one
// may be null.
template <class State>
struct DialogHandlers {
    // WM_INITDIALOG, after the handheld's start: TRUE lets the dialog give
    // the focus to its first control, FALSE when the handler has set it.
    BOOL (*init)(HWND dialog, State& state);
    // WM_COMMAND: how the command ends the dialog, DIALOG_GOES_ON when not.
    DialogEnd (*command)(HWND dialog, State& state, int id, int code);
    void (*notify)(HWND dialog, State& state, const NMHDR* header);
    void (*size)(HWND dialog, State& state);
};

// The state of a dialog that keeps none.
struct NoDialogState {
};

// What the one procedure knows of a showing: the state and handlers behind
// plain pointers, and the calls that give them back their type.
struct DialogRun {
    void* state;
    const void* handlers;
    BOOL (*init)(const DialogRun& run, HWND dialog);
    DialogEnd (*command)(const DialogRun& run, HWND dialog, int id, int code);
    // False when the dialog has no handler for the message.
    bool (*notify)(const DialogRun& run, HWND dialog, const NMHDR* header);
    bool (*size)(const DialogRun& run, HWND dialog);
};

// Runs dialog template `id` of the program's own module modally, owned by
// whatever owns the device, through the one procedure.
DialogEnd RunHandheldDialog(int id, const DialogRun& run);

// Runs dialog template `id` with `handlers` on `state`.
template <class State>
DialogEnd RunDialogTemplate(int id, const DialogHandlers<State>& handlers, State& state)
{
    struct Typed {
        static const DialogHandlers<State>& On(const DialogRun& run)
        {
            return *static_cast<const DialogHandlers<State>*>(run.handlers);
        }
        static State& Of(const DialogRun& run)
        {
            return *static_cast<State*>(run.state);
        }
        static BOOL Init(const DialogRun& run, HWND dialog)
        {
            return On(run).init ? On(run).init(dialog, Of(run)) : TRUE;
        }
        static DialogEnd Command(const DialogRun& run, HWND dialog, int id, int code)
        {
            return On(run).command ? On(run).command(dialog, Of(run), id, code) : DIALOG_GOES_ON;
        }
        static bool Notify(const DialogRun& run, HWND dialog, const NMHDR* header)
        {
            if (!On(run).notify)
                return false;
            On(run).notify(dialog, Of(run), header);
            return true;
        }
        static bool Size(const DialogRun& run, HWND dialog)
        {
            if (!On(run).size)
                return false;
            On(run).size(dialog, Of(run));
            return true;
        }
    };
    DialogRun run = { &state, &handlers, Typed::Init, Typed::Command, Typed::Notify, Typed::Size };
    return RunHandheldDialog(id, run);
}

inline DialogEnd RunDialogTemplate(int id, const DialogHandlers<NoDialogState>& handlers)
{
    NoDialogState none;
    return RunDialogTemplate(id, handlers, none);
}

// A control whose template text a language file may replace.
struct DialogText {
    int id;
    const wchar_t* key;
};

// Gives each control the text of its key where the loaded language file
// has one; the others keep the template's text.
void SetDialogTexts(HWND dialog, const DialogText* texts, int count);

template <int N>
void SetDialogTexts(HWND dialog, const DialogText (&texts)[N])
{
    SetDialogTexts(dialog, texts, N);
}

#endif
