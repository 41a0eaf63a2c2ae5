#include "app/perf_cycle_counter.h"

#if defined(__linux__)
#include <cerrno>
#include <linux/perf_event.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace voltarix::app {

#if defined(__linux__)

std::unique_ptr<PerfCycleCounter> PerfCycleCounter::open() {
    perf_event_attr attributes{};
    attributes.size = sizeof(attributes);
    attributes.type = PERF_TYPE_HARDWARE;
    attributes.config = PERF_COUNT_HW_CPU_CYCLES;
    attributes.exclude_kernel = 1;
    attributes.exclude_hv = 1;
    attributes.read_format = PERF_FORMAT_TOTAL_TIME_ENABLED | PERF_FORMAT_TOTAL_TIME_RUNNING;
    const long descriptor = syscall(SYS_perf_event_open, &attributes, 0, -1, -1,
                                    static_cast<unsigned long>(PERF_FLAG_FD_CLOEXEC));
    if (descriptor < 0)
        return nullptr;
    return std::unique_ptr<PerfCycleCounter>(new PerfCycleCounter(static_cast<int>(descriptor)));
}

PerfCycleCounter::~PerfCycleCounter() {
    ::close(descriptor_);
}

CycleSource::Count PerfCycleCounter::read() {
    std::uint64_t values[3] = {}; // count, time enabled, time running
    if (::read(descriptor_, values, sizeof(values)) != static_cast<ssize_t>(sizeof(values)))
        return {};
    return {values[0], values[2]};
}

#else

std::unique_ptr<PerfCycleCounter> PerfCycleCounter::open() {
    return nullptr;
}

PerfCycleCounter::~PerfCycleCounter() = default;

CycleSource::Count PerfCycleCounter::read() {
    return {};
}

#endif

} // namespace voltarix::app
