#include "capture/sampling_plan.h"

#include <atomic>
#include <fstream>
#include <sched.h>

namespace voltarix::capture {

namespace {

std::int64_t readNumber(const char* path, std::int64_t fallback) {
    std::ifstream in(path);
    std::int64_t value = 0;
    return in >> value ? value : fallback;
}

std::atomic<bool> raisedPriorityAllowed = true;

} // namespace

SchedulingFacts SchedulingFacts::ofThisSystem() {
    SchedulingFacts facts;
    facts.realtimeRuntimeUs = readNumber("/proc/sys/kernel/sched_rt_runtime_us", -1);
    facts.realtimePeriodUs = readNumber("/proc/sys/kernel/sched_rt_period_us", 1'000'000);
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
            if (CPU_ISSET(cpu, &set))
                facts.processors.push_back(cpu);
        }
    }
    return facts;
}

SamplingPlan SamplingPlan::forFacts(const SchedulingFacts& facts) {
    SamplingPlan plan;
    const bool throttled =
        facts.realtimeRuntimeUs >= 0 && facts.realtimeRuntimeUs < facts.realtimePeriodUs;
    if (throttled && facts.processors.size() >= 2) {
        plan.relay = true;
        plan.processors = {facts.processors[0], facts.processors[1]};
    }
    return plan;
}

SamplingPlan SamplingPlan::forThisSystem() {
    SamplingPlan plan = forFacts(SchedulingFacts::ofThisSystem());
    plan.realtime = raisedPriorityAllowed;
    plan.raiseNice = raisedPriorityAllowed;
    plan.relay = plan.relay && plan.realtime;
    return plan;
}

void SamplingPlan::allowRaisedPriority(bool allowed) {
    raisedPriorityAllowed = allowed;
}

} // namespace voltarix::capture
