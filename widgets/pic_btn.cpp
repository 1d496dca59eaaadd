#include "widgets/pic_btn.h"

#include "app/app_state.h"
#include "widgets/button_pictures.h"
#include "widgets/repaint.h"

CPicBtn::CPicBtn(HWND button, int picture, DWORD buttonKind)
    : window(button), highlight(0), pictureIndex(picture), kind(buttonKind), on(0), pressed(0),
      controlId(0)
{
    Subclass::Attach(window, this);
    controlId = (DWORD)GetWindowLongPtrW(window, GWLP_ID);
}

CPicBtn::~CPicBtn()
{
    // Later messages must not reach a deleted object.
    if (window)
        Subclass::Detach(window);
    window = nullptr;
}

bool CPicBtn::LooksPressed() const
{
    return kind == PICBTN_TOGGLE ? on != 0 : pressed != 0;
}

LRESULT CPicBtn::OnMessage(CPicBtn* self, const WindowMessage& m)
{
    switch (m.message) {
    case WM_PAINT:
        return self->OnPaint(m);
    case WM_ERASEBKGND:
        // The paint that follows covers the whole button: drawing it here as
        // well would draw every change twice.
        return 1;
    case BM_SETSTATE:
        return self->OnSetState(m);
    case WM_LBUTTONDOWN:
        return self->OnStylusDown();
    case WM_LBUTTONUP:
        return self->OnStylusUp();
    case WM_LBUTTONDBLCLK:
        return self->OnDoubleTap();
    case WM_NCDESTROY:
        self->window = nullptr;
        break;
    default:
        break;
    }
    return PassOn(m);
}

LRESULT CPicBtn::OnPaint(const WindowMessage& m)
{
    const ButtonPictures& pictures = g_buttonPictures;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    if (pictures.faceBrush)
        FillRect(dc, &client, pictures.faceBrush);
    bool looksPressed = LooksPressed();
    const CImageStrip& strip = looksPressed ? pictures.pressedPictures : pictures.normalPictures;
    int size = pictures.pictureSize;
    int inset = 2 * ScreenScale();
    strip.Draw(dc, inset, inset, (pictureIndex - pictures.firstPicture) * size, 0, size, size);
    if (looksPressed)
        DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT | BF_SOFT);
    else
        DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    EndPaint(window, &paint);
    return PassOn(m);
}

LRESULT CPicBtn::OnSetState(const WindowMessage& m)
{
    if ((DWORD)m.wParam != highlight) {
        highlight = (DWORD)m.wParam;
        RepaintNow(window);
    }
    return PassOn(m);
}

LRESULT CPicBtn::OnStylusDown()
{
    pressed = 1;
    SetCapture(window);
    RepaintNow(window);
    return 1;
}

// The command goes out wherever the stylus is lifted, inside the button or not.
LRESULT CPicBtn::OnStylusUp()
{
    if (pressed) {
        pressed = 0;
        ReleaseCapture();
        Flip();
        SendCommand();
    }
    RepaintNow(window);
    return 1;
}

// The second tap of a double tap counts as a tap of its own.
LRESULT CPicBtn::OnDoubleTap()
{
    if (pressed) {
        pressed = 0;
        ReleaseCapture();
    }
    Flip();
    RepaintNow(window);
    SendCommand();
    return 1;
}

void CPicBtn::Flip()
{
    if (kind == PICBTN_TOGGLE)
        on = on ? 0 : 1;
}

void CPicBtn::SendCommand()
{
    SendMessageW(GetParent(window), WM_COMMAND, (WPARAM)LOWORD(controlId), 0);
}
