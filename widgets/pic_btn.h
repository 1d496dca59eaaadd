#ifndef QUILLEX_WIDGETS_PIC_BTN_H
#define QUILLEX_WIDGETS_PIC_BTN_H

#include "platform/pocketpc.h"

// Button kinds.
const DWORD PICBTN_PUSH = 0;     // sends its command when the stylus is lifted
const DWORD PICBTN_TOGGLE = 1;   // flips `on` and sends its command on each tap

// Turns an owner-drawn button into a picture button: a face of theme colour 9,
// picture `pictureIndex` of the shared button pictures and a raised edge, or
// the highlighted picture and a sunken edge while it looks pressed. It sends
// WM_COMMAND (its control id, 0) to its parent for every tap.
class CPicBtn {
public:
    // Attaches the button to the window as its subclass, with the object as
    // the subclass's data; the window lets go of it at WM_NCDESTROY.
    CPicBtn(HWND button, int picture, DWORD buttonKind);
    // Removes the subclass while the window lives.
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
    static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
    void Detach();
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    LRESULT OnStylusDown();
    LRESULT OnStylusUp();
    LRESULT OnDoubleTap();
    void Flip();
    void SendCommand();
};

#endif
