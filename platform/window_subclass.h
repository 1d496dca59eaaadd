#ifndef QUILLEX_PLATFORM_WINDOW_SUBCLASS_H
#define QUILLEX_PLATFORM_WINDOW_SUBCLASS_H

#include <windows.h>

// The one way behaviour is attached to a window: the attachment's procedure
// replaces the window's, sees every message first and passes on what it does
// not take to the procedure it replaced, as on the handheld. Its state is
// found from the window handle in a table of the program's own, so a message
// costs a short lookup (the common controls' subclassing reads a window
// property for every message, which under Wine is a call to its server).
//
// Attachments stack, each in its own layer. A layer removed while others sit
// above it stays in the chain, passing everything on, until the window goes.
// When the window is destroyed (WM_NCDESTROY) every layer lets go by itself
// after its handler has seen the message and the message has been passed
// on; this also holds when the window is destroyed from inside one of its
// own handlers. Attach, detach and messages on the window's own thread.

struct WindowLayer;

// One message as a handler sees it; `layer` is what passing it on needs.
struct WindowMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    WindowLayer* layer;
};

// The message, or another one, to the procedure below the handler's layer;
// 0, and no call, once the window has been destroyed.
LRESULT PassOn(const WindowMessage& m);
LRESULT PassOn(const WindowMessage& m, UINT message, WPARAM wParam, LPARAM lParam);

namespace window_layers {

typedef LRESULT (*Handler)(void* data, const WindowMessage& m);

bool Attach(HWND window, WNDPROC procedure, void* data);
void Detach(HWND window, WNDPROC procedure);
void* DataOf(HWND window, WNDPROC procedure);
LRESULT Run(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC procedure,
            Handler handler);
// Layers alive, for checks.
int Count();

}

// An attachment: `Handle` gets every message of the windows it is attached
// to, with the `Data` given at attachment (void for none). A handler that
// does not take a message returns PassOn(m).
template <class Data, LRESULT (*Handle)(Data* data, const WindowMessage& m)>
class WindowSubclass {
public:
    // False when the window is not there or memory ran out; attaching twice
    // to one window only replaces the data.
    static bool Attach(HWND window, Data* data)
    {
        return window_layers::Attach(window, Procedure, (void*)data);
    }
    // The handler sees no further message of the window; nothing happens
    // when it is not attached.
    static void Detach(HWND window) { window_layers::Detach(window, Procedure); }
    // The data attached to the window, null when none is.
    static Data* Of(HWND window) { return (Data*)window_layers::DataOf(window, Procedure); }

private:
    static LRESULT CallHandler(void* data, const WindowMessage& m)
    {
        return Handle((Data*)data, m);
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return window_layers::Run(window, message, wParam, lParam, Procedure, CallHandler);
    }
};

#endif
