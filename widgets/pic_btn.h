#ifndef QUILLEX_WIDGETS_PIC_BTN_H
#define QUILLEX_WIDGETS_PIC_BTN_H

#include "platform/pocketpc.h"
#include "platform/window_subclass.h"

// Button kinds.
const DWORD PICBTN_PUSH = 0;     // sends its command when the stylus is lifted
const DWORD PICBTN_TOGGLE = 1;   // flips `on` and sends its command on each tap

// Turns an owner-drawn button into a picture button: a face of theme colour 9,
// picture `pictureIndex` of the shared button pictures and a raised edge, or
// the highlighted picture and a sunken edge while it looks pressed. It sends
// WM_COMMAND (its control id, 0) to its parent for every tap.
class CPicBtn {
public:
    // Attaches the object to the button window; the window lets go of it at
    // WM_NCDESTROY.
    CPicBtn(HWND button, int picture, DWORD buttonKind);
    // Takes the object off the window while the window lives.
    virtual ~CPicBtn();

    bool LooksPressed() const;

    HWND window;      // null once the window has gone
    DWORD highlight;
    int pictureIndex;
    DWORD kind;
    BYTE on;          // state of a toggle button, read by its owner
    BYTE pressed;     // the stylus went down on it and the mouse is captured
    DWORD controlId;

    CPicBtn(const CPicBtn&) = delete;
    CPicBtn& operator=(const CPicBtn&) = delete;

private:
    static LRESULT OnMessage(CPicBtn* self, const WindowMessage& m);
    typedef WindowSubclass<CPicBtn, OnMessage> Subclass;
    LRESULT OnPaint(const WindowMessage& m);
    LRESULT OnSetState(const WindowMessage& m);
    LRESULT OnStylusDown();
    LRESULT OnStylusUp();
    LRESULT OnDoubleTap();
    void Flip();
    void SendCommand();
};

#endif
