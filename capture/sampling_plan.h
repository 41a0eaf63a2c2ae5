#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace voltarix::capture {

// What the system offers a busy real-time thread.
struct SchedulingFacts {
    // The kernel's real-time throttling: of every period a processor gives
    // real-time threads at most the runtime, then holds them back for the
    // rest of it (50 ms of every second by default). A runtime below 0 is no
    // limit.
    std::int64_t realtimeRuntimeUs = -1;
    std::int64_t realtimePeriodUs = 1'000'000;
    // The processors this process may run on.
    std::vector<int> processors;

    // As /proc/sys/kernel/sched_rt_runtime_us, sched_rt_period_us and the
    // process's affinity tell.
    static SchedulingFacts ofThisSystem();
};

// How the sampler's threads share the work. A real-time thread that samples
// without pause would be throttled for the last part of every period: a gap
// of 50 ms in every second of the recording. Where the kernel throttles and
// two processors are at hand, two real-time threads, one per processor,
// take turns instead (a relay), so that neither processor ever reaches its
// budget and the hand-over between them costs no time.
struct SamplingPlan {
    // Length of one turn of the relay.
    static constexpr std::uint64_t relayTurnNs = 20'000'000;
    // The waiting thread wakes this long before its turn and spins, so that
    // it is ready the moment the turn comes, however slowly it woke.
    static constexpr std::uint64_t relayWakeAheadNs = 500'000;
    // A real-time priority above every ordinary thread but below the
    // kernel's interrupt threads (50), which must keep working.
    static constexpr int realtimePriority = 10;

    // Whether to ask for real-time priority at all, and whether a thread
    // that does not get it takes the highest ordinary priority it may.
    bool realtime = true;
    bool raiseNice = true;
    bool relay = false;
    std::array<int, 2> processors{-1, -1};

    static SamplingPlan forFacts(const SchedulingFacts& facts);
    // For this system, with a raised priority where that is allowed here.
    static SamplingPlan forThisSystem();

    // Whether samplers made from now on may raise their priority at all.
    // Where several run at once on a small machine, as the test programs
    // do side by side, samplers above every other thread would take every
    // processor from the threads that consume their samples.
    static void allowRaisedPriority(bool allowed);
};

} // namespace voltarix::capture
