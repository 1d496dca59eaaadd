#include <windows.h>

#include "platform/aygshell.h"
#include "platform/bgr_bitmap.h"
#include "platform/gdiplus_picture.h"
#include "platform/page_buffer.h"
#include "platform/png_decoder.h"

// The handheld's shell decodes pictures itself. Here PNG (the program's own
// pictures) is decoded by our own code and BMP by the system, so GDI+ and
// the many libraries it brings are loaded only for the other formats.

namespace {

// Far beyond any picture the program shows; a larger file is refused unread.
const LONGLONG kMaxPngFileBytes = 256LL * 1024 * 1024;

class FileHandle {
public:
    explicit FileHandle(const wchar_t* path)
        : handle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
    {
    }
    ~FileHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE handle;
};

bool ReadExactly(HANDLE file, BYTE* to, size_t size)
{
    while (size > 0) {
        DWORD part = size > 0x10000000 ? 0x10000000 : (DWORD)size;
        DWORD read = 0;
        if (!ReadFile(file, to, part, &read, nullptr) || read == 0)
            return false;
        to += read;
        size -= read;
    }
    return true;
}

HBITMAP DecodePngFile(HANDLE file)
{
    LARGE_INTEGER size = {};
    PageBuffer contents;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > kMaxPngFileBytes ||
        SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0 ||
        !contents.Allocate((size_t)size.QuadPart) ||
        !ReadExactly(file, contents.data, contents.size))
        return nullptr;
    return DecodePng(contents.data, contents.size);
}

// A BMP as the system loads it, in the 24-bit form every picture is handed
// over in.
HBITMAP LoadBmp(const wchar_t* fileName)
{
    HBITMAP loaded = (HBITMAP)LoadImageW(nullptr, fileName, IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    BITMAP size = {};
    if (!loaded || !GetObjectW(loaded, sizeof(size), &size)) {
        if (loaded)
            DeleteObject(loaded);
        return nullptr;
    }
    BYTE* bits = nullptr;
    HBITMAP bitmap = CreateBgrBitmap(size.bmWidth, size.bmHeight, &bits);
    BITMAPINFO info = RgbBitmapInfo(size.bmWidth, size.bmHeight, 24);
    HDC screen = GetDC(nullptr);
    if (bitmap && GetDIBits(screen, loaded, 0, (UINT)size.bmHeight, bits, &info,
                            DIB_RGB_COLORS) != size.bmHeight) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(loaded);
    return bitmap;
}

}

HBITMAP SHLoadImageFile(LPCTSTR fileName)
{
    if (!fileName)
        return nullptr;
    BYTE start[8] = {};
    DWORD read = 0;
    {
        FileHandle file(fileName);
        if (file.handle == INVALID_HANDLE_VALUE ||
            !ReadFile(file.handle, start, sizeof(start), &read, nullptr))
            return nullptr;
        if (HasPngSignature(start, read))
            return DecodePngFile(file.handle);
    }
    // What the system does not load as a BMP may still be one GDI+ reads.
    HBITMAP bitmap = read >= 2 && start[0] == 'B' && start[1] == 'M' ? LoadBmp(fileName) : nullptr;
    return bitmap ? bitmap : LoadPictureThroughGdiplus(fileName);
}
