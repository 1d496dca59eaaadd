#include <gtest/gtest.h>

#include <string>

#include "platform/window_subclass.h"

namespace {

const UINT kProbe = WM_APP + 1;
const UINT kDestroyNow = WM_APP + 2;

// Who saw which message, in order: "L" the lower layer, "U" the upper one,
// "W" the window's own procedure; destruction is written "L!", "U!", "W!".
std::wstring g_seen;

void Note(const wchar_t* who, UINT message)
{
    if (message == kProbe || message == kDestroyNow)
        g_seen += who;
    else if (message == WM_NCDESTROY)
        (g_seen += who) += L"!";
}

LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Note(L"W", message);
    return message == kProbe ? 7 : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Lower(int*, const WindowMessage& m)
{
    Note(L"L", m.message);
    return PassOn(m);
}

// Destroys its window from inside its own handler and still passes the
// message on, as a handler that closes a document does.
LRESULT Upper(int* passedAfter, const WindowMessage& m)
{
    Note(L"U", m.message);
    if (m.message != kDestroyNow)
        return PassOn(m);
    DestroyWindow(m.window);
    *passedAfter = (int)PassOn(m);
    return 1;
}

typedef WindowSubclass<int, Lower> LowerLayer;
typedef WindowSubclass<int, Upper> UpperLayer;

class WindowSubclassTest : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = OwnProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuillexLayered";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, L"QuillexLayered", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        layersBefore = window_layers::Count();
        ASSERT_TRUE(LowerLayer::Attach(window, &lowerData));
        ASSERT_TRUE(UpperLayer::Attach(window, &passedAfter));
        g_seen.clear();
    }
    void TearDown() override
    {
        if (IsWindow(window))
            DestroyWindow(window);
        EXPECT_EQ(layersBefore, window_layers::Count());   // every layer let go
    }
    std::wstring Probe()
    {
        g_seen.clear();
        EXPECT_EQ(7, SendMessageW(window, kProbe, 0, 0));
        return g_seen;
    }

    HWND window = nullptr;
    int layersBefore = 0;
    int lowerData = 0;
    int passedAfter = -1;
};

}

TEST_F(WindowSubclassTest, StackedLayersSeeMessagesTopFirstAndComeOffInEitherOrder)
{
    EXPECT_EQ(L"ULW", Probe());
    EXPECT_EQ(&lowerData, LowerLayer::Of(window));

    struct Case {
        bool lowerFirst;
        const wchar_t* afterFirst;
    } cases[] = { { true, L"UW" }, { false, L"LW" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lowerFirst ? "lower layer off first" : "upper layer off first");
        LowerLayer::Attach(window, &lowerData);
        UpperLayer::Attach(window, &passedAfter);
        if (c.lowerFirst)
            LowerLayer::Detach(window);
        else
            UpperLayer::Detach(window);
        EXPECT_EQ(c.afterFirst, Probe());
        if (c.lowerFirst)
            UpperLayer::Detach(window);
        else
            LowerLayer::Detach(window);
        EXPECT_EQ(L"W", Probe());
        // Both off: the window has its own procedure back.
        EXPECT_EQ((LONG_PTR)OwnProc, GetWindowLongPtrW(window, GWLP_WNDPROC));
        EXPECT_EQ(layersBefore, window_layers::Count());
    }
}

TEST_F(WindowSubclassTest, WindowDestroyedFromInsideAHandlerLetsEveryLayerGoOnce)
{
    EXPECT_EQ(1, SendMessageW(window, kDestroyNow, 0, 0));
    EXPECT_FALSE(IsWindow(window));
    // The destruction passed every layer and the window's own procedure once,
    // top first; the message that caused it went no further than its handler.
    EXPECT_EQ(L"UU!L!W!", g_seen);
    EXPECT_EQ(0, passedAfter);
    EXPECT_EQ(layersBefore, window_layers::Count());
}

TEST_F(WindowSubclassTest, LayerDetachedBelowAnotherPassesOnUntilTheWindowGoes)
{
    LowerLayer::Detach(window);
    EXPECT_EQ(nullptr, LowerLayer::Of(window));
    EXPECT_EQ(L"UW", Probe());
    DestroyWindow(window);
    EXPECT_EQ(L"UW" L"U!W!", g_seen);
}
