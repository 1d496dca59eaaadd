#ifndef QUILLEX_EDITOR_TAB_PANEL_H
#define QUILLEX_EDITOR_TAB_PANEL_H

#include "platform/pocketpc.h"
#include "platform/window_subclass.h"
#include "widgets/image_strip.h"

// The strip of document tabs along the top of the main window: one tab of
// equal width per open document, labelled with its file name, the current
// and the modified ones coloured. It takes over a plain "BUTTON" child
// window, paints it entirely through an off-screen surface, and tells the
// parent by WM_COMMAND (its control id, tab index) which tab was tapped;
// a double tap then asks for a new document, tap-and-hold for closing the
// tapped one. Tab i shows g_app.documents[i].
class CTabPanel {
public:
    // Attaches the object to the panel window; the window lets go of it at
    // WM_NCDESTROY.
    explicit CTabPanel(HWND panelWindow);
    // Releases the drawing objects and, while the window lives, takes the
    // object off it, so its last messages never reach the deleted object.
    virtual ~CTabPanel();

    void SetTabCount(int count);
    void SetCurrentTab(int index);

    HBRUSH backgroundBrush;
    HBRUSH currentBrush;
    HBRUSH modifiedBrush;
    HBRUSH modifiedCurrentBrush;
    HFONT font;
    HPEN lightPen;
    HPEN darkPen;
    HWND window;      // null once the window has gone
    DWORD controlId;
    int tabCount;
    BYTE pressed;
    int currentTab;
    CImageStrip buffer;

    CTabPanel(const CTabPanel&) = delete;
    CTabPanel& operator=(const CTabPanel&) = delete;

private:
    static LRESULT OnMessage(CTabPanel* self, const WindowMessage& m);
    typedef WindowSubclass<CTabPanel, OnMessage> Subclass;
    LRESULT OnPaint(const WindowMessage& m);
    void DrawPanel(const RECT& client);
    void DrawTab(int index, int tabWidth, int tabHeight);
    bool FitBuffer(const RECT& client);
    bool HitTest(LPARAM lParam);
    LRESULT OnStylusDown(LPARAM lParam);
    LRESULT OnStylusUp();
    LRESULT OnDoubleTap(LPARAM lParam);
    void Notify(WPARAM command, LPARAM lParam);
};

#endif
