// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// What the benchmark programs read off themselves: the system-wide
// monotonic clock (so that a parent can subtract its own reading taken
// before it started the process), the process's CPU time, and its resident
// memory.

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace pomuru::bench {

inline std::int64_t nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}
inline std::int64_t monotonicNs() { return nanoseconds(CLOCK_MONOTONIC); }
inline std::int64_t cpuNs() { return nanoseconds(CLOCK_PROCESS_CPUTIME_ID); }

// VmRSS of /proc/self/status, in KiB.
inline long residentKiB()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmRSS: %ld kB", &kib) == 1)
            break;
    }
    std::fclose(status);
    return kib;
}

} // namespace pomuru::bench
