#include "tests/widgets/widget_support.h"

#include "tests/test_support.h"
#include "widgets/image_strip.h"

namespace {

const wchar_t kParentClass[] = L"QuillexTestCommandParent";

void RegisterParentClass(WNDPROC proc)
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = kParentClass;
    registered = RegisterClassW(&windowClass) != 0;
}

// Pixels of a bottom-up 24-bit bitmap, rows padded to four bytes.
std::string BitmapBits(int width, int height, const PixelSource& pixel)
{
    int stride = (width * 3 + 3) & ~3;
    std::string bits((size_t)stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        char* row = &bits[(size_t)(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            COLORREF colour = pixel(x, y);
            row[x * 3] = (char)GetBValue(colour);
            row[x * 3 + 1] = (char)GetGValue(colour);
            row[x * 3 + 2] = (char)GetRValue(colour);
        }
    }
    return bits;
}

BITMAPINFOHEADER BitmapHeader(int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

DWORD* StripAddress(const CImageStrip& strip, int x, int y)
{
    GdiFlush();
    return (DWORD*)strip.bits + (size_t)(strip.height - 1 - y) * strip.width + x;
}

}

CommandParent::CommandParent(int width, int height, int x, int y)
{
    RegisterParentClass(Proc);
    window = CreateWindowExW(WS_EX_TOPMOST, kParentClass, L"parent",
                             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                             nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

CommandParent::~CommandParent()
{
    DestroyWindow(window);
}

HWND CommandParent::AddChild(const wchar_t* className, DWORD style, int id, int x, int y,
                             int width, int height)
{
    HWND child = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, window, (HMENU)(INT_PTR)id, GetModuleHandleW(nullptr),
                                 nullptr);
    UpdateWindow(child);
    return child;
}

LRESULT CALLBACK CommandParent::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        CREATESTRUCTW* create = (CREATESTRUCTW*)lParam;
        SetWindowLongPtrW(window, GWLP_USERDATA, (LONG_PTR)create->lpCreateParams);
    }
    CommandParent* self = (CommandParent*)GetWindowLongPtrW(window, GWLP_USERDATA);
    if (message == WM_COMMAND && self) {
        self->commands.push_back({ wParam, lParam });
        if (self->onCommand)
            self->onCommand(wParam, lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

COLORREF WindowPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

COLORREF FromMemory(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

COLORREF StripPixel(const CImageStrip& strip, int x, int y)
{
    return FromMemory(*StripAddress(strip, x, y));
}

std::vector<COLORREF> StripPixels(const CImageStrip& strip)
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < strip.width; ++x)
            pixels.push_back(StripPixel(strip, x, y));
    return pixels;
}

void SetStripPixel(CImageStrip& strip, int x, int y, COLORREF colour)
{
    *StripAddress(strip, x, y) =
        (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

HBITMAP MakeBitmap(int width, int height, const PixelSource& pixel)
{
    BITMAPINFO info = {};
    info.bmiHeader = BitmapHeader(width, height);
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (bitmap) {
        std::string bits = BitmapBits(width, height, pixel);
        CopyMemory(memory, bits.data(), bits.size());
    }
    return bitmap;
}

bool WriteBitmapFile(const std::wstring& path, int width, int height, const PixelSource& pixel)
{
    BITMAPINFOHEADER header = BitmapHeader(width, height);
    std::string bits = BitmapBits(width, height, pixel);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;   // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = (DWORD)(file.bfOffBits + bits.size());
    std::string bytes((const char*)&file, sizeof(file));
    bytes.append((const char*)&header, sizeof(header));
    bytes.append(bits);
    return WriteBytes(path, bytes);
}
