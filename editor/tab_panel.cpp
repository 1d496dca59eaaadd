#include "editor/tab_panel.h"

#include "editor/document.h"
#include "editor/tap_and_hold.h"
#include "resources/resource.h"
#include "app/app_state.h"
#include "storage/lang_loader.h"
#include "widgets/repaint.h"

namespace {

const int kBufferHeight = 30;

int BufferWidth()
{
    return IsVgaScreen() ? 640 : 320;
}

// The system font at the panel's size, with Cyrillic and smoothed edges.
HFONT CreateTabFont()
{
    LOGFONTW logFont;
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(logFont), &logFont);
    logFont.lfHeight = IsVgaScreen() ? 22 : 11;
    logFont.lfCharSet = RUSSIAN_CHARSET;
    logFont.lfQuality = ANTIALIASED_QUALITY;
    return CreateFontIndirectW(&logFont);
}

// The owner may count more tabs than there are documents for a moment;
// such a tab reads as an untitled, unmodified one.
CDocument* DocumentOfTab(int index)
{
    return index < g_app.documents.count ? g_app.documents[index] : nullptr;
}

// The file name without its folders; untitled documents have no folder.
const wchar_t* TabLabel(int index)
{
    CDocument* document = DocumentOfTab(index);
    const wchar_t* slash = document ? wcsrchr(document->path, L'\\') : nullptr;
    return slash ? slash + 1 : g_lang.Lookup(L"untitled", L"Без имени");
}

bool IsModified(int index)
{
    CDocument* document = DocumentOfTab(index);
    return document && document->modified;
}

void DrawLine(HDC dc, HPEN pen, int x1, int y1, int x2, int y2)
{
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, previous);
}

}

CTabPanel::CTabPanel(HWND panelWindow)
    : backgroundBrush(nullptr), currentBrush(nullptr), modifiedBrush(nullptr),
      modifiedCurrentBrush(nullptr), font(nullptr), lightPen(nullptr), darkPen(nullptr),
      window(panelWindow), controlId(0), tabCount(0), pressed(0), currentTab(0)
{
    Subclass::Attach(window, this);
    controlId = (DWORD)GetWindowLongPtrW(window, GWLP_ID);

    const COLORREF* colours = g_app.colours;
    backgroundBrush = CreateSolidBrush(colours[THEME_TAB_BACKGROUND]);
    currentBrush = CreateSolidBrush(colours[THEME_TAB_CURRENT]);
    modifiedBrush = CreateSolidBrush(colours[THEME_TAB_MODIFIED]);
    modifiedCurrentBrush = CreateSolidBrush(colours[THEME_TAB_MODIFIED_CURRENT]);
    lightPen = CreatePen(PS_SOLID, 1, colours[THEME_TAB_LIGHT_LINE]);
    darkPen = CreatePen(PS_SOLID, 1, colours[THEME_TAB_DARK_LINE]);
    font = CreateTabFont();

    if (buffer.Create(BufferWidth(), kBufferHeight))
        buffer.Clear(-1, 0);
}

CTabPanel::~CTabPanel()
{
    if (window)
        Subclass::Detach(window);
    window = nullptr;
    HGDIOBJ objects[] = { backgroundBrush, currentBrush, modifiedBrush, modifiedCurrentBrush,
                          lightPen, darkPen, font };
    for (HGDIOBJ object : objects) {
        if (object)
            DeleteObject(object);
    }
    buffer.Release();
}

void CTabPanel::SetTabCount(int count)
{
    tabCount = count;
    RepaintNow(window);
}

void CTabPanel::SetCurrentTab(int index)
{
    currentTab = index;
    RepaintNow(window);
}

LRESULT CTabPanel::OnMessage(CTabPanel* self, const WindowMessage& m)
{
    switch (m.message) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_DRAWITEM:
        return self->OnPaint(m);
    case WM_LBUTTONDOWN:
        return self->OnStylusDown(m.lParam);
    case WM_LBUTTONUP:
        return self->OnStylusUp();
    case WM_LBUTTONDBLCLK:
        return self->OnDoubleTap(m.lParam);
    case WM_NCDESTROY:
        self->window = nullptr;
        break;
    default:
        break;
    }
    return PassOn(m);
}

// The whole panel is drawn off-screen and copied in one transfer, so it never
// shows half drawn.
LRESULT CTabPanel::OnPaint(const WindowMessage& m)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    if (FitBuffer(client)) {
        DrawPanel(client);
        buffer.Draw(dc, 0, 0, 0, 0, client.right, client.bottom);
    }
    EndPaint(window, &paint);
    return PassOn(m);
}

// The surface is made for the screen's width; a wider panel (a desktop
// window, a rotated screen) gets a wider surface instead of being drawn
// and copied beyond the end of this one.
bool CTabPanel::FitBuffer(const RECT& client)
{
    if (client.right > buffer.width || client.bottom > buffer.height) {
        int width = client.right > BufferWidth() ? client.right : BufferWidth();
        int height = client.bottom > kBufferHeight ? client.bottom : kBufferHeight;
        if (buffer.Create(width, height))
            buffer.Clear(-1, 0);
    }
    return !buffer.IsEmpty();
}

void CTabPanel::DrawPanel(const RECT& client)
{
    HDC dc = buffer.dc;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, g_app.colours[THEME_TAB_TEXT]);
    FillRect(dc, &client, backgroundBrush);
    HGDIOBJ previousFont = SelectObject(dc, font);
    DrawLine(dc, lightPen, 0, 0, client.right, 0);
    if (tabCount > 0) {
        int tabWidth = client.right / tabCount;
        int tabHeight = client.bottom;
        if (currentTab >= 0 && currentTab < tabCount) {
            RECT current = { currentTab * tabWidth + 2, 0, (currentTab + 1) * tabWidth, tabHeight };
            FillRect(dc, &current, currentBrush);
        }
        for (int i = 0; i < tabCount; ++i)
            DrawTab(i, tabWidth, tabHeight);
        // What the integer division leaves at the right keeps the background.
        int end = tabCount * tabWidth - 1;
        DrawLine(dc, lightPen, end, 0, end, tabHeight);
    }
    SelectObject(dc, previousFont);
}

void CTabPanel::DrawTab(int index, int tabWidth, int tabHeight)
{
    HDC dc = buffer.dc;
    int left = index * tabWidth;
    int right = left + tabWidth;
    if (IsModified(index)) {
        RECT marked = { left + 2, 0, right, tabHeight };
        FillRect(dc, &marked, index == currentTab ? modifiedCurrentBrush : modifiedBrush);
    }
    DrawLine(dc, darkPen, left, 0, left, tabHeight);
    DrawLine(dc, lightPen, left + 1, 0, left + 1, tabHeight);

    // A label that fills the tab starts at its left edge, so the start of the
    // name stays readable; a shorter one is centred.
    const wchar_t* label = TabLabel(index);
    int length = lstrlenW(label);
    SIZE extent = {};
    GetTextExtentExPointW(dc, label, length, 0, nullptr, nullptr, &extent);
    UINT align = extent.cx > 0.9 * tabWidth ? DT_LEFT : DT_CENTER;
    RECT box = { left + 2, 0, right, tabHeight };
    DrawTextW(dc, label, length, &box, align | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

// The tab under the stylus becomes the current one; taps right of the last
// tab (the remainder of the integer division) choose the last.
bool CTabPanel::HitTest(LPARAM lParam)
{
    if (tabCount < 1)
        return false;
    RECT client;
    GetClientRect(window, &client);
    int tabWidth = client.right / tabCount;
    int x = (short)LOWORD(lParam);
    int index = tabWidth > 0 ? x / tabWidth : tabCount - 1;
    if (index < 0)
        index = 0;
    if (index > tabCount - 1)
        index = tabCount - 1;
    currentTab = index;
    return true;
}

LRESULT CTabPanel::OnStylusDown(LPARAM lParam)
{
    pressed = 1;
    SetCapture(window);
    if (!HitTest(lParam))
        return 1;
    if (IsTapAndHold(window, lParam)) {
        // Held: the tapped document becomes current, then is closed.
        Notify(LOWORD(controlId), currentTab);
        Notify(CMD_WINDOW_CLOSE, 0);
    } else {
        Notify(LOWORD(controlId), currentTab);
        RepaintNow(window);
    }
    return 1;
}

LRESULT CTabPanel::OnStylusUp()
{
    if (pressed) {
        pressed = 0;
        ReleaseCapture();
    }
    RepaintNow(window);
    return 1;
}

// A double tap anywhere on the panel opens a new document.
LRESULT CTabPanel::OnDoubleTap(LPARAM lParam)
{
    if (!HitTest(lParam))
        return 1;
    Notify(LOWORD(controlId), currentTab);
    Notify(CMD_WINDOW_NEW, 0);
    return 1;
}

// Sent, not posted: the shell has switched documents before the panel repaints.
void CTabPanel::Notify(WPARAM command, LPARAM lParam)
{
    SendMessageW(GetParent(window), WM_COMMAND, command, lParam);
}
