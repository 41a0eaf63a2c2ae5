#pragma once

#include "app/cycle_source.h"

namespace voltarix::app {

// The x86 time-stamp counter (RDTSC), which ticks at a fixed rate whether or
// not the thread runs.
class TimeStampCounter : public CycleSource {
public:
    // Null on a processor without the instruction.
    static std::unique_ptr<TimeStampCounter> open();

    bool countsWhileAsleep() const override { return true; }
    Count read() override;

private:
    TimeStampCounter() = default;
};

} // namespace voltarix::app
