#pragma once
// The two clocks the probes read: the processor time of the calling thread, and the wall
// time, both in milliseconds from an arbitrary start.

#include <chrono>
#include <ctime>

namespace bench {

inline double processorMilliseconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline double wallMilliseconds() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace bench
