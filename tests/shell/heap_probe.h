#ifndef QUILLEX_TESTS_SHELL_HEAP_PROBE_H
#define QUILLEX_TESTS_SHELL_HEAP_PROBE_H

#include <stddef.h>

// The shell tests' own operator new and delete. Blocks of the guarded size
// get pages of their own, given back on delete, so that reading a freed
// record faults at once; allocations of the failing size fail `count` times.
void GuardAllocationsOfSize(size_t size);
void FailAllocationsOfSize(size_t size, int count);

#endif
