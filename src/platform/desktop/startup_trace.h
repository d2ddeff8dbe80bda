#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace velmor {

// With VELMOR_STARTUP_TRACE set, says on standard error when start-up reaches
// each step, in milliseconds from main(): what the start-up benchmark reads
// to tell process start, Qt's start, capture and the first paint apart.
inline void StartupMark(const char* step) {
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point start = Clock::now();
    static const bool on = std::getenv("VELMOR_STARTUP_TRACE") != nullptr;
    if (!on) return;
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::fprintf(stderr, "velmor-color-picker: startup: %s %.1f ms\n", step, ms);
}

}  // namespace velmor
