// A small benchmark harness for Windows-side code run under Wine: a warm-up, then the
// minimum and median of N timed runs, printed in microseconds (or milliseconds); or one run
// alone, for what happens once per process.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

struct Timing {
    double minimum, median;  // microseconds
};

// A warm-up of three runs, then `runs` timed runs.
template <typename Work>
Timing timeRuns(int runs, Work work) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < 3; ++i) work();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        times.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    }
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

template <typename Work>
Timing measure(const char* name, int runs, Work work) {
    const Timing timing = timeRuns(runs, work);
    std::printf("%-52s runs %4d  min %10.1f us  median %10.1f us\n", name, runs, timing.minimum, timing.median);
    return timing;
}

// The same in milliseconds, for work whose goal is said in them.
template <typename Work>
Timing measureMs(const char* name, int runs, Work work) {
    const Timing timing = timeRuns(runs, work);
    std::printf("%-52s runs %4d  min %10.2f ms  median %10.2f ms\n", name, runs, timing.minimum / 1000,
                timing.median / 1000);
    return timing;
}

template <typename Work>
void measureOnce(const char* name, Work work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    std::printf("%-52s once       %10.1f us\n", name,
                1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
}
