#include "tests/shell/heap_probe.h"

#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include <new>

namespace {

size_t g_guardSize, g_failSize;
int g_failCount;

// Each guarded block starts a reservation; malloc's blocks never do.
bool IsGuarded(void* block)
{
    MEMORY_BASIC_INFORMATION info;
    return VirtualQuery(block, &info, sizeof(info)) && info.Type == MEM_PRIVATE &&
           info.AllocationBase == block;
}

// A fault ends the tests with a report at once instead of waiting for a
// debugger.
LONG WINAPI ReportFault(EXCEPTION_POINTERS* info)
{
    fprintf(stderr, "Fault %08lx: freed memory used?\n", info->ExceptionRecord->ExceptionCode);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

const LPTOP_LEVEL_EXCEPTION_FILTER g_previous = SetUnhandledExceptionFilter(ReportFault);

}

void GuardAllocationsOfSize(size_t size) { g_guardSize = size; }

void FailAllocationsOfSize(size_t size, int count)
{
    g_failSize = size;
    g_failCount = count;
}

// The array and nothrow forms of the runtime call these.
void* operator new(size_t size)
{
    if (g_failCount > 0 && size == g_failSize && g_failCount--)
        throw std::bad_alloc();
    void* block = size && size == g_guardSize
                      ? VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                      : malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    return block;
}

void operator delete(void* block) noexcept
{
    if (block && IsGuarded(block))
        VirtualFree(block, 0, MEM_RELEASE);
    else
        free(block);
}

void operator delete(void* block, size_t) noexcept
{
    operator delete(block);
}
