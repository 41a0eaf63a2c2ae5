#pragma once

#include <cstdint>
#include <memory>

namespace voltarix::app {

// A counter of processor cycles for the speed measurement.
class CycleSource {
public:
    // The cycles counted so far and, for a counter that counts only while
    // the thread runs, the nanoseconds it has counted them in.
    struct Count {
        std::uint64_t cycles = 0;
        std::uint64_t runningNanoseconds = 0;
    };

    virtual ~CycleSource() = default;

    // True for a counter that goes on at a fixed rate while the thread
    // sleeps (the x86 time-stamp counter); false for one that counts the
    // cycles the processor spends on this thread, measured across a busy wait.
    virtual bool countsWhileAsleep() const = 0;
    virtual Count read() = 0;

    // The time-stamp counter on x86; elsewhere the processor's own cycle
    // counter through the kernel's perf events, where it can be read; null
    // where there is none (the speed is then unknown, not made up).
    static std::unique_ptr<CycleSource> system();
};

} // namespace voltarix::app
