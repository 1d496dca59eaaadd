#include "platform/window_subclass.h"

#include <new>

struct WindowLayer {
    HWND window;
    WNDPROC procedure;   // the attachment's, which replaced `previous`
    WNDPROC previous;
    void* data;
    int busy;            // messages of this layer being handled, nested ones included
    bool passThrough;    // detached below another layer: passes everything on
    bool gone;           // the window was destroyed
    bool unlinked;       // out of the table, freed when no message is being handled
    bool destroyPassed;  // WM_NCDESTROY went on to the procedure below
    WindowLayer* next;   // in its bucket
};

namespace {

// Few windows carry layers; a bucket holds one or two.
const int kBuckets = 64;
WindowLayer* g_buckets[kBuckets];
int g_count = 0;

WindowLayer** Bucket(HWND window)
{
    UINT_PTR key = (UINT_PTR)window;
    return &g_buckets[(key ^ (key >> 6) ^ (key >> 16)) & (kBuckets - 1)];
}

WindowLayer* Find(HWND window, WNDPROC procedure)
{
    for (WindowLayer* layer = *Bucket(window); layer; layer = layer->next) {
        if (layer->window == window && layer->procedure == procedure && !layer->gone)
            return layer;
    }
    return nullptr;
}

void Unlink(WindowLayer* layer)
{
    if (layer->unlinked)
        return;
    for (WindowLayer** at = Bucket(layer->window); *at; at = &(*at)->next) {
        if (*at == layer) {
            *at = layer->next;
            break;
        }
    }
    layer->unlinked = true;
}

// A layer goes once it is out of the table and no message of it is still
// being handled further up the stack.
void ReleaseIfDone(WindowLayer* layer)
{
    if (layer->busy > 0 || !layer->unlinked)
        return;
    delete layer;
    --g_count;
}

// The layer on top of the window comes off, and with it any pass-through
// layers it uncovers.
void TakeOffTop(HWND window, WindowLayer* layer)
{
    while (layer) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)layer->previous);
        Unlink(layer);
        ReleaseIfDone(layer);
        WindowLayer* below = Find(window, (WNDPROC)GetWindowLongPtrW(window, GWLP_WNDPROC));
        layer = below && below->passThrough ? below : nullptr;
    }
}

}

LRESULT PassOn(const WindowMessage& m)
{
    return PassOn(m, m.message, m.wParam, m.lParam);
}

LRESULT PassOn(const WindowMessage& m, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowLayer* layer = m.layer;
    if (layer->gone)
        return 0;
    if (message == WM_NCDESTROY)
        layer->destroyPassed = true;
    return CallWindowProcW(layer->previous, m.window, message, wParam, lParam);
}

namespace window_layers {

bool Attach(HWND window, WNDPROC procedure, void* data)
{
    if (!IsWindow(window))
        return false;
    WindowLayer* layer = Find(window, procedure);
    if (layer) {
        layer->data = data;
        layer->passThrough = false;
        return true;
    }
    layer = new (std::nothrow) WindowLayer{ window, procedure, nullptr, data, 0,
                                            false, false, false, false, nullptr };
    if (!layer)
        return false;
    layer->previous = (WNDPROC)SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)procedure);
    if (!layer->previous) {
        delete layer;
        return false;
    }
    WindowLayer** bucket = Bucket(window);
    layer->next = *bucket;
    *bucket = layer;
    ++g_count;
    return true;
}

void Detach(HWND window, WNDPROC procedure)
{
    WindowLayer* layer = Find(window, procedure);
    if (!layer)
        return;
    layer->data = nullptr;
    layer->passThrough = true;
    // Below another layer the procedure must stay where it is: the layer
    // above calls it.
    if ((WNDPROC)GetWindowLongPtrW(window, GWLP_WNDPROC) == procedure)
        TakeOffTop(window, layer);
}

void* DataOf(HWND window, WNDPROC procedure)
{
    WindowLayer* layer = Find(window, procedure);
    return layer ? layer->data : nullptr;
}

LRESULT Run(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC procedure,
            Handler handler)
{
    WindowLayer* layer = Find(window, procedure);
    if (!layer)
        return DefWindowProcW(window, message, wParam, lParam);
    WindowMessage m = { window, message, wParam, lParam, layer };
    ++layer->busy;
    LRESULT result = layer->passThrough ? PassOn(m) : handler(layer->data, m);
    if (message == WM_NCDESTROY) {
        // The layers below and the window's own procedure let go too.
        if (!layer->destroyPassed)
            PassOn(m);
        layer->gone = true;
        Unlink(layer);
    }
    --layer->busy;
    ReleaseIfDone(layer);
    return result;
}

int Count()
{
    return g_count;
}

}
