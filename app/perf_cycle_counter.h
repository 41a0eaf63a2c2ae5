#pragma once

#include "app/cycle_source.h"

namespace voltarix::app {

// The processor's cycle counter for the calling thread, through the kernel's
// perf events (user-space cycles, as an unprivileged process may count them).
// The kernel also says how long the counter has counted, so time the thread
// spent off the processor does not enter the rate.
class PerfCycleCounter : public CycleSource {
public:
    // Null, with errno set, where the kernel offers no such counter: no
    // performance monitoring unit (many virtual machines: ENOENT), or
    // perf_event_paranoid forbids it (EACCES).
    static std::unique_ptr<PerfCycleCounter> open();
    ~PerfCycleCounter() override;
    PerfCycleCounter(const PerfCycleCounter&) = delete;
    PerfCycleCounter& operator=(const PerfCycleCounter&) = delete;

    bool countsWhileAsleep() const override { return false; }
    // All zero when the kernel does not answer.
    Count read() override;

private:
    explicit PerfCycleCounter(int descriptor) : descriptor_(descriptor) {}

    int descriptor_;
};

} // namespace voltarix::app
