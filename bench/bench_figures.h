#pragma once

// What every benchmark measures with: medians of timed runs, the process's
// CPU time and its resident memory.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kq::bench {

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The median duration of work over runs, in milliseconds.
template <typename Work> double MedianMs(int runs, Work work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(times);
}

// User and system CPU time of this process so far, in milliseconds.
inline double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The resident memory of this process, -1 where the system does not tell.
inline long ResidentKilobytes()
{
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    long kilobytes = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kilobytes = std::atol(line + 6);
            break;
        }
    }
    std::fclose(status);
    return kilobytes;
}

}  // namespace kq::bench
