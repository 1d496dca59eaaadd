#ifndef QUILLEX_EDITOR_EDIT_SUBCLASS_H
#define QUILLEX_EDITOR_EDIT_SUBCLASS_H

#include "platform/device_edit.h"
#include "platform/pocketpc.h"
#include "platform/window_subclass.h"

// What every document's edit window does on top of the platform edit
// control: typing marks its document modified, so does any change of the
// text by the user, commands go on to the main window, and tap-and-hold (or
// a context-menu request) opens the edit popup menu. Attached once, with the
// document; it lets go when the window is destroyed.
//
// The document is any record with `parent` (the window that gets the
// commands), `settingText` (the program itself is putting text in) and
// SetModified(bool): the record includes this file, not the other way round.

// The edit window tells its parent of a change (EN_CHANGE); the parent hands
// it back with this message, and the window's document takes it. The answer
// is the document when the change was the user's (it is then marked
// modified), 0 for the program's own putting of text.
const UINT WM_EDIT_CHANGED = WM_APP + 0x42;

// Hands a change notification back to the edit window that sent it: its
// document when the user changed the text, else null.
template <class Document>
Document* TellEditChange(HWND edit)
{
    return (Document*)SendMessageW(edit, WM_EDIT_CHANGED, 0, 0);
}

// Counts up whenever any document's text may have changed: a text read
// while it stays the same is still the window's text.
DWORD EditTextVersion();

namespace edit_window {

// The behaviour that needs no document; each answers whether it took the
// message.
void NoteTextMessage(UINT message);
bool TakePopupMessage(const WindowMessage& m, LRESULT* result);
LRESULT ForwardCommand(const WindowMessage& m, HWND target);

template <class Document>
LRESULT OnMessage(Document* document, const WindowMessage& m)
{
    edit_window::NoteTextMessage(m.message);
    switch (m.message) {
    case WM_KEYDOWN:
        // Shortcuts with Ctrl held change nothing by themselves; what they
        // do to the text is caught by the change notification.
        if ((GetAsyncKeyState(VK_CONTROL) & 0xFFFF) == 0)
            document->SetModified(true);
        break;
    case WM_COMMAND:
        return edit_window::ForwardCommand(m, document->parent);
    case WM_PASTE:
        // A long text is put in as one pass would lay it out, only faster.
        if (PasteLongText(m.window))
            return 0;
        break;
    case WM_EDIT_CHANGED:
        if (document->settingText)
            return 0;
        document->SetModified(true);
        return (LRESULT)document;
    default:
        break;
    }
    LRESULT result = 0;
    if (edit_window::TakePopupMessage(m, &result))
        return result;
    return PassOn(m);
}

}

template <class Document>
void AttachEditSubclass(HWND edit, Document* document)
{
    WindowSubclass<Document, edit_window::OnMessage<Document>>::Attach(edit, document);
}

#endif
