#include "capture/level_source.h"
#include "capture/sampler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace voltarix::capture;
using namespace std::chrono_literals;

namespace {

// Every read answers the next number: consecutive samples never repeat, so
// every sample is a run of its own and a lost or reordered one shows.
class CountingSource : public LevelSource {
public:
    std::uint32_t readLevels() override { return next_.fetch_add(1, std::memory_order_relaxed); }
    std::uint32_t reads() const { return next_.load(); }

private:
    std::atomic<std::uint32_t> next_{0};
};

// The same value for `length` reads, then the next value.
class SteppingSource : public LevelSource {
public:
    explicit SteppingSource(std::uint32_t length) : length_(length) {}
    std::uint32_t readLevels() override { return reads_++ / length_; }

private:
    std::uint32_t length_;
    std::uint32_t reads_ = 0;
};

SamplingPlan ordinaryPlan() {
    SamplingPlan plan;
    plan.realtime = false;
    plan.raiseNice = false;
    return plan;
}

// Takes runs until `enough` says so or two seconds have passed.
template <typename Enough>
std::vector<SampleRun> takeUntil(Sampler& sampler, Enough enough,
                                 std::chrono::microseconds between = 0us) {
    std::vector<SampleRun> runs;
    const auto giveUp = std::chrono::steady_clock::now() + 2s;
    while (!enough(runs) && std::chrono::steady_clock::now() < giveUp) {
        SampleRun run;
        if (sampler.take(run))
            runs.push_back(run);
        else
            std::this_thread::yield();
        if (between > 0us)
            std::this_thread::sleep_for(between);
    }
    return runs;
}

void expectConsecutive(const std::vector<SampleRun>& runs) {
    for (std::size_t i = 0; i < runs.size(); ++i) {
        ASSERT_EQ(runs[i].count, 1u);
        ASSERT_EQ(runs[i].levels, static_cast<std::uint32_t>(i)) << "run " << i;
        if (i > 0) {
            ASSERT_GE(runs[i].firstNs, runs[i - 1].firstNs);
        }
    }
}

} // namespace

TEST(Sampler, TheHandOverNeverDropsOrReordersASampleAndASlowConsumerMakesItWait) {
    CountingSource source;
    Sampler sampler(source, ordinaryPlan(), 16);
    sampler.start();
    // A consumer far slower than the sampler: the ring of 16 fills again and again.
    const auto runs = takeUntil(
        sampler, [](const auto& taken) { return taken.size() >= 400; }, 200us);
    sampler.stop();
    ASSERT_EQ(runs.size(), 400u);
    expectConsecutive(runs);
    EXPECT_GT(sampler.fullWaits(), 0u);
    std::size_t gaps = 0;
    for (const SampleRun& run : runs)
        gaps += run.gapNs > 0 ? 1 : 0;
    EXPECT_GT(gaps, 0u) << "the waits show as missed time";
    EXPECT_GE(sampler.samples(), runs.size());
    EXPECT_EQ(sampler.samples(), source.reads());
}

TEST(Sampler, EqualSamplesComeInRunsThatAddUpToEverySample) {
    SteppingSource source(5000);
    Sampler sampler(source, ordinaryPlan());
    sampler.start();
    const auto runs = takeUntil(
        sampler, [](const auto& taken) { return !taken.empty() && taken.back().levels >= 20; });
    sampler.stop();
    ASSERT_FALSE(runs.empty());
    std::uint64_t samples = 0;
    std::uint32_t levels = 0;
    for (const SampleRun& run : runs) {
        ASSERT_GE(run.count, 1u);
        ASSERT_TRUE(run.levels == levels || run.levels == levels + 1) << "in order, none missing";
        levels = run.levels;
        samples += run.count;
    }
    const std::uint32_t finished = runs.back().levels;
    // Runs end at a change or after a millisecond: all values but the last
    // are whole, their samples counted exactly.
    std::uint64_t wholeSamples = 0;
    for (const SampleRun& run : runs)
        wholeSamples += run.levels < finished ? run.count : 0;
    EXPECT_EQ(wholeSamples, std::uint64_t{finished} * 5000);
    EXPECT_LE(samples, sampler.samples());
}

TEST(Sampler, StopDropsWhatWasNotTakenAndAStartBeginsAfresh) {
    CountingSource source;
    Sampler sampler(source, ordinaryPlan(), 64);
    sampler.start();
    EXPECT_TRUE(sampler.running());
    takeUntil(sampler, [&](const auto&) { return source.reads() > 1000; });
    sampler.stop();
    EXPECT_FALSE(sampler.running());
    SampleRun run;
    EXPECT_FALSE(sampler.take(run)) << "what was read but not taken is gone";
    const std::uint32_t readBefore = source.reads();

    sampler.start();
    const auto runs = takeUntil(sampler, [](const auto& taken) { return !taken.empty(); });
    sampler.stop();
    ASSERT_FALSE(runs.empty());
    EXPECT_GE(runs[0].levels, readBefore) << "the first run of a start was read after it";
    EXPECT_EQ(runs[0].gapNs, 0u) << "the time between two samplings is no gap";
}

TEST(Sampler, APauseBetweenTwoSamplesAndEachSampleHandedOverBeforeIt) {
    CountingSource source;
    Sampler sampler(source, ordinaryPlan());
    sampler.setPauseMilliseconds(5);
    sampler.start();
    const auto runs = takeUntil(sampler, [](const auto& taken) { return taken.size() >= 6; });
    sampler.stop();
    ASSERT_EQ(runs.size(), 6u);
    expectConsecutive(runs);
    for (std::size_t i = 1; i < runs.size(); ++i) {
        const std::uint64_t spacing = runs[i].firstNs - runs[i - 1].firstNs;
        EXPECT_GE(spacing, 5'000'000u);
        // A sleep may end late on a busy machine; only what comes on top of
        // the pause asked for is missed time, never the pause itself.
        EXPECT_LE(runs[i].gapNs, spacing - 5'000'000u);
    }
}

TEST(Sampler, AWaitingConsumerIsWokenByTheNextRun) {
    CountingSource source;
    Sampler sampler(source, ordinaryPlan());
    std::atomic<int> wakeUps = 0;
    sampler.setWakeUp([&] { ++wakeUps; });
    sampler.setPauseMilliseconds(20);
    sampler.start();
    SampleRun run;
    takeUntil(sampler, [&](const auto& taken) { return !taken.empty(); });
    // Between two samples 20 ms apart the ring is empty: the consumer may block.
    while (!sampler.prepareToWait())
        sampler.take(run);
    const auto giveUp = std::chrono::steady_clock::now() + 2s;
    while (wakeUps == 0 && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(wakeUps, 1);
    EXPECT_TRUE(sampler.take(run)) << "woken by a run that is there";
    sampler.doneWaiting();
    sampler.stop();
}

// Where the kernel throttles real-time threads, two seats take turns; the
// samples go on across every hand-over as if one thread took them. Without
// real-time priority the sampler runs in one ordinary thread instead.
TEST(Sampler, TurnsOfTheRelayLoseNothing) {
    CountingSource source;
    SamplingPlan plan;
    plan.relay = true;
    plan.processors = {0, 1};
    Sampler sampler(source, plan, 1 << 20);
    sampler.start();
    // A few turns long, short enough to leave the machine alone.
    const auto until = std::chrono::steady_clock::now() + 5 * 20ms;
    const auto runs =
        takeUntil(sampler, [&](const auto&) { return std::chrono::steady_clock::now() > until; });
    sampler.stop();
    expectConsecutive(runs);
    if (sampler.scheduling().realtime) {
        EXPECT_TRUE(sampler.scheduling().relay);
        EXPECT_GE(sampler.turnsHandedOver(), 2u);
    } else {
        EXPECT_FALSE(sampler.scheduling().relay);
        EXPECT_EQ(sampler.turnsHandedOver(), 0u);
    }
}
