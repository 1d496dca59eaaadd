#include <gtest/gtest.h>

#include <memory>

#include "app/app_state.h"
#include "platform/aygshell.h"
#include "tests/test_support.h"
#include "tests/widgets/widget_support.h"
#include "widgets/button_pictures.h"
#include "widgets/pic_btn.h"
#include "widgets/repaint.h"

namespace {

const COLORREF kFace = RGB(210, 220, 90);
const COLORREF kBlue = RGB(0, 0, 200);
// Far from the highlight spot the pressed look is 300/255 as bright.
const COLORREF kPressedBlue = RGB(0, 0, 235);
const COLORREF kGreen = RGB(0, 150, 0);
const int kButtonId = 1005;

// A QVGA screen, picture 0 blue with a key-coloured square in its bottom-left
// corner, picture 1 green, and one owner-drawn button on a parent window.
class PictureButton : public testing::Test {
protected:
    void SetUp() override
    {
        SetDeviceScreen(240, 320);
        g_app.colours[THEME_BUTTON] = kFace;
        std::wstring path = folder.Path(L"ListIconsQVGA.png");
        ASSERT_TRUE(WriteBitmapFile(path, 32, 16, [](int x, int y) {
            if ((x < 4 && y >= 12) || (x == 31 && y == 0))
                return RGB(254, 0, 254);
            return x < 16 ? kBlue : kGreen;
        }));
        LoadButtonPictures(path.c_str());
        button = parent.AddChild(L"BUTTON", BS_OWNERDRAW, kButtonId, 0, 0, 22, 22);
    }
    void TearDown() override
    {
        picture.reset();
        SetDeviceScreen(480, 640);
    }

    void Attach(int index, DWORD kind)
    {
        picture.reset();
        picture.reset(new CPicBtn(button, index, kind));
        RepaintNow(button);
    }
    LRESULT Send(UINT message, int x = 5, int y = 5)
    {
        return SendMessageW(button, message, 0, MAKELPARAM(x, y));
    }
    void Tap()
    {
        Send(WM_LBUTTONDOWN);
        Send(WM_LBUTTONUP);
    }
    // A picture pixel far from the highlight spot: picture (15, 14) at (2, 2).
    COLORREF PictureColour() { return WindowPixel(button, 17, 16); }

    TempFolder folder;
    CommandParent parent{ 60, 40 };
    HWND button = nullptr;
    std::unique_ptr<CPicBtn> picture;
};

}

TEST_F(PictureButton, ShowsItsPictureOnTheFace)
{
    Attach(0, PICBTN_PUSH);
    EXPECT_EQ(kBlue, PictureColour());
    EXPECT_EQ(kFace, WindowPixel(button, 19, 10));
    EXPECT_EQ((DWORD)kButtonId, picture->controlId);

    Attach(1, PICBTN_PUSH);
    EXPECT_EQ(kGreen, PictureColour());
}

TEST_F(PictureButton, PushButtonLooksPressedOnlyWhileTheStylusIsDown)
{
    Attach(0, PICBTN_PUSH);
    COLORREF raisedEdge = WindowPixel(button, 0, 10);
    EXPECT_EQ(1, Send(WM_LBUTTONDOWN));
    EXPECT_TRUE(picture->pressed);
    EXPECT_EQ(button, GetCapture());
    EXPECT_EQ(kPressedBlue, PictureColour());
    EXPECT_NE(raisedEdge, WindowPixel(button, 0, 10));
    EXPECT_TRUE(parent.commands.empty());

    EXPECT_EQ(1, Send(WM_LBUTTONUP));
    EXPECT_FALSE(picture->pressed);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(kBlue, PictureColour());
    EXPECT_EQ(raisedEdge, WindowPixel(button, 0, 10));
    ASSERT_EQ(1u, parent.commands.size());
    EXPECT_EQ((WPARAM)kButtonId, parent.commands[0].wParam);
    EXPECT_EQ(0, parent.commands[0].lParam);
}

TEST_F(PictureButton, LiftingTheStylusOutsideStillSendsTheCommand)
{
    Attach(0, PICBTN_PUSH);
    Send(WM_LBUTTONDOWN);
    Send(WM_LBUTTONUP, -30, 60);
    ASSERT_EQ(1u, parent.commands.size());
    EXPECT_EQ((WPARAM)kButtonId, parent.commands[0].wParam);

    // A release without a press before it sends nothing.
    Send(WM_LBUTTONUP);
    EXPECT_EQ(1u, parent.commands.size());
}

TEST_F(PictureButton, ToggleLooksPressedWhileOn)
{
    Attach(0, PICBTN_TOGGLE);
    EXPECT_FALSE(picture->on);
    Tap();
    EXPECT_TRUE(picture->on);
    EXPECT_EQ(kPressedBlue, PictureColour());
    EXPECT_EQ(1u, parent.commands.size());

    // While on, the stylus going down changes nothing of its look.
    Send(WM_LBUTTONDOWN);
    EXPECT_EQ(kPressedBlue, PictureColour());
    Send(WM_LBUTTONUP);
    EXPECT_FALSE(picture->on);
    EXPECT_EQ(kBlue, PictureColour());
    EXPECT_EQ(2u, parent.commands.size());
}

TEST_F(PictureButton, DoubleTapOnAToggleFlipsItTwice)
{
    Attach(0, PICBTN_TOGGLE);
    Send(WM_LBUTTONDOWN);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(1, Send(WM_LBUTTONDBLCLK));
    Send(WM_LBUTTONUP);
    EXPECT_FALSE(picture->on);
    EXPECT_EQ(kBlue, PictureColour());
    ASSERT_EQ(2u, parent.commands.size());
    EXPECT_EQ((WPARAM)kButtonId, parent.commands[1].wParam);
}

TEST_F(PictureButton, DoubleTapOnAPushButtonSendsTwoCommands)
{
    Attach(0, PICBTN_PUSH);
    Send(WM_LBUTTONDOWN);
    Send(WM_LBUTTONUP);
    Send(WM_LBUTTONDBLCLK);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(2u, parent.commands.size());
    EXPECT_FALSE(picture->pressed);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(PictureButton, KeyPixelsShowTheFaceInBothLooks)
{
    Attach(0, PICBTN_TOGGLE);
    // Picture pixel (1, 13) is in the key square.
    EXPECT_EQ(kFace, WindowPixel(button, 3, 15));
    Tap();
    ASSERT_TRUE(picture->on);
    EXPECT_EQ(kFace, WindowPixel(button, 3, 15));
}

TEST_F(PictureButton, HighlightStateReachesTheButton)
{
    Attach(0, PICBTN_PUSH);
    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(1u, picture->highlight);
    EXPECT_TRUE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
    EXPECT_FALSE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

TEST_F(PictureButton, WithoutPicturesOnlyTheFaceShows)
{
    MessageBoxAnswerer boxes;
    LoadButtonPictures(folder.Path(L"missing.png").c_str());
    ASSERT_EQ(1u, boxes.seen.size());
    Attach(0, PICBTN_TOGGLE);
    EXPECT_EQ(kFace, PictureColour());
    Tap();
    EXPECT_EQ(kFace, PictureColour());
    EXPECT_EQ(1u, parent.commands.size());
}

// The pictures made from the decoded picture keep only the buttons' own,
// with the key of the whole picture: a button still shows its picture, one
// before the kept ones shows none, and the decoded picture is left as it was.
TEST_F(PictureButton, ShowsItsPictureFromTheKeptOnes)
{
    HBITMAP decoded = SHLoadImageFile(folder.Path(L"ListIconsQVGA.png").c_str());
    ASSERT_NE(nullptr, decoded);
    MakeButtonPictures(decoded, 1, 1);
    EXPECT_EQ(16, g_buttonPictures.normalPictures.width);
    EXPECT_EQ(RGB(254, 0, 254), g_buttonPictures.normalPictures.keyColour);
    Attach(1, PICBTN_PUSH);
    EXPECT_EQ(kGreen, PictureColour());
    Attach(0, PICBTN_PUSH);
    EXPECT_EQ(kFace, PictureColour());
    MakeButtonPictures(decoded, 0, 1);
    EXPECT_EQ(RGB(254, 0, 254), g_buttonPictures.normalPictures.keyColour);
    CImageStrip whole;
    ASSERT_TRUE(whole.CopyBand(decoded, 0, 32));
    EXPECT_EQ(RGB(254, 0, 254), StripPixel(whole, 1, 14));
    DeleteObject(decoded);
}
