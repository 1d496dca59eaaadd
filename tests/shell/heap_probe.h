#ifndef QUILLEX_TESTS_SHELL_HEAP_PROBE_H
#define QUILLEX_TESTS_SHELL_HEAP_PROBE_H

#include <stddef.h>

// The shell tests' own operator new and delete, to catch what a normal heap
// lets pass by chance.

// Blocks of exactly `size` bytes get pages of their own, which are given
// back when the block is deleted: code still reading a freed record of that
// size then faults at once. 0 stops it.
void GuardAllocationsOfSize(size_t size);

// The next `count` allocations of exactly `size` bytes fail, as when memory
// runs out.
void FailAllocationsOfSize(size_t size, int count);

#endif
