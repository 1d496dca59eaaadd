#include "tests/shell/heap_probe.h"

#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include <new>

namespace {

size_t g_guardSize;
size_t g_failSize;
int g_failCount;
// The guarded blocks now in use (no container: it would allocate).
void* g_guarded[64];

// A fault (reading a freed guarded block) ends the tests with a report at
// once, instead of waiting for a debugger.
LONG WINAPI ReportFault(EXCEPTION_POINTERS* info)
{
    fprintf(stderr, "Unhandled exception %08lx at %p: freed memory used?\n",
            info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

const LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = SetUnhandledExceptionFilter(ReportFault);

void* Allocate(size_t size)
{
    if (g_failCount > 0 && size == g_failSize) {
        --g_failCount;
        return nullptr;
    }
    if (size != g_guardSize || size == 0)
        return malloc(size ? size : 1);
    for (void*& slot : g_guarded) {
        if (!slot) {
            slot = VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
            return slot;
        }
    }
    return malloc(size);
}

void Release(void* block)
{
    if (!block)
        return;
    for (void*& slot : g_guarded) {
        if (slot == block) {
            VirtualFree(block, 0, MEM_RELEASE);
            slot = nullptr;
            return;
        }
    }
    free(block);
}

}

void GuardAllocationsOfSize(size_t size)
{
    g_guardSize = size;
}

void FailAllocationsOfSize(size_t size, int count)
{
    g_failSize = size;
    g_failCount = count;
}

void* operator new(size_t size)
{
    if (void* block = Allocate(size))
        return block;
    throw std::bad_alloc();
}

void* operator new[](size_t size)
{
    return operator new(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void operator delete(void* block) noexcept
{
    Release(block);
}

void operator delete[](void* block) noexcept
{
    Release(block);
}

void operator delete(void* block, size_t) noexcept
{
    Release(block);
}

void operator delete[](void* block, size_t) noexcept
{
    Release(block);
}
