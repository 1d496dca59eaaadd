#ifndef QUILLEX_TOOLS_BENCH_TIMING_H
#define QUILLEX_TOOLS_BENCH_TIMING_H

// What every benchmark program measures with: a clock in milliseconds, the
// median of its runs, and the messages let through between runs.

#include <windows.h>

#include <algorithm>
#include <vector>

// Milliseconds on the performance counter, from an arbitrary start.
inline double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * (double)counter.QuadPart / (double)frequency.QuadPart;
}

// The middle of the values, -1 for none.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the messages waiting in this thread's queue.
inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

#endif
