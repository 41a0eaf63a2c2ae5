#include "app/cycle_source.h"

#include "app/perf_cycle_counter.h"
#include "app/time_stamp_counter.h"

namespace voltarix::app {

// Elsewhere than on x86 the free-running counters (the ARM generic timer, a
// clock) tick at a rate of their own, not at the processor's.
std::unique_ptr<CycleSource> CycleSource::system() {
    if (auto counter = TimeStampCounter::open())
        return counter;
    return PerfCycleCounter::open();
}

} // namespace voltarix::app
