// What the machine itself takes from a thread that does nothing but read the
// clock: the floor under the sampler's pauses. A pinned real-time thread (or
// an ordinary one where real-time is refused) spins for half a second at a
// time, resting between rounds so the kernel's real-time throttling never
// cuts in; every gap between two clock reads goes into the sampler's own
// histogram. Pauses seen here come from interrupts, other tasks' kernel work
// and, in a virtual machine, the host taking the processor away.
//
//     build/bench/pause_floor_bench [rounds] [cpu]
#include "capture/spacing_histogram.h"

#include <pthread.h>
#include <sched.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using voltarix::capture::SpacingHistogram;

namespace {

std::uint64_t nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::uint64_t(t.tv_sec) * 1'000'000'000u + std::uint64_t(t.tv_nsec);
}

bool pinAndRaise(int cpu) {
    if (cpu >= 0) {
        cpu_set_t set;
        CPU_ZERO(&set);
        CPU_SET(cpu, &set);
        pthread_setaffinity_np(pthread_self(), sizeof set, &set);
    }
    sched_param param{};
    param.sched_priority = 10;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

void spin(SpacingHistogram& spacing, std::uint64_t durationNs) {
    std::uint64_t last = nowNs();
    const std::uint64_t end = last + durationNs;
    while (last < end) {
        const std::uint64_t now = nowNs();
        spacing.add(now - last);
        last = now;
    }
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const int cpu = argc > 2 ? std::atoi(argv[2]) : -1;
    const bool realTime = pinAndRaise(cpu);
    SpacingHistogram spacing;
    for (int round = 0; round < rounds; ++round) {
        usleep(300'000);
        spin(spacing, 500'000'000);
    }
    const auto us = [&](double fraction) { return spacing.quantileNs(fraction) / 1000.0; };
    std::printf("clock-reading loop, %s, cpu %s, %d x 0.5 s: %llu reads\n",
                realTime ? "SCHED_FIFO" : "ordinary priority",
                cpu >= 0 ? std::to_string(cpu).c_str() : "any", rounds,
                static_cast<unsigned long long>(spacing.total()));
    std::printf("  spacing us: p50 %.1f  p99 %.1f  p99.9 %.1f  p99.99 %.1f  max %.1f\n", us(0.5),
                us(0.99), us(0.999), us(0.9999), spacing.longestNs() / 1000.0);
    const double seconds = rounds * 0.5;
    std::printf(
        "  pauses a second: over 50 us %.1f, over 200 us %.1f, over 1 ms %.2f, over 2 ms %.2f\n",
        spacing.countAbove(50'000) / seconds, spacing.countAbove(200'000) / seconds,
        spacing.countAbove(1'000'000) / seconds, spacing.countAbove(2'000'000) / seconds);
    return 0;
}
