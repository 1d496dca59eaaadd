#ifndef QUILLEX_PLATFORM_PAGE_BUFFER_H
#define QUILLEX_PLATFORM_PAGE_BUFFER_H

#include <windows.h>

// A scratch buffer of whole pages, given back to the system (not to the
// heap) when it goes, so a large picture decoded once leaves no memory held.
class PageBuffer {
public:
    PageBuffer() : data(nullptr), size(0) {}
    ~PageBuffer() { Release(); }
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    // Zero-filled; false (and empty) when `bytes` is 0 or not to be had.
    bool Allocate(size_t bytes)
    {
        Release();
        if (bytes == 0)
            return false;
        data = (BYTE*)VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        size = data ? bytes : 0;
        return data != nullptr;
    }

    void Release()
    {
        if (data)
            VirtualFree(data, 0, MEM_RELEASE);
        data = nullptr;
        size = 0;
    }

    BYTE* data;
    size_t size;
};

#endif
