#include "capture/run_builder.h"

#include <gtest/gtest.h>

#include <vector>

using voltarix::capture::RunBuilder;
using voltarix::capture::SampleRun;

namespace {

struct Built {
    RunBuilder builder;
    std::vector<SampleRun> runs;
    void add(std::uint64_t ns, std::uint32_t levels, std::uint64_t pauseNs = 0) {
        builder.add(ns, levels, pauseNs, [this](const SampleRun& run) { runs.push_back(run); });
    }
    void flush() {
        builder.flush([this](const SampleRun& run) { runs.push_back(run); });
    }
};

} // namespace

TEST(RunBuilder, EqualSamplesMakeOneRunAndAChangeEndsIt) {
    Built b;
    for (int i = 0; i < 5; ++i)
        b.add(1000 + 300 * i, 0x5);
    EXPECT_TRUE(b.runs.empty()) << "the open run is held until something ends it";
    b.add(2500, 0x6);
    ASSERT_EQ(b.runs.size(), 1u);
    EXPECT_EQ(b.runs[0].firstNs, 1000u);
    EXPECT_EQ(b.runs[0].count, 5u);
    EXPECT_EQ(b.runs[0].spanNs, 1200u);
    EXPECT_EQ(b.runs[0].levels, 0x5u);
    EXPECT_EQ(b.runs[0].gapNs, 0u);
    b.flush();
    ASSERT_EQ(b.runs.size(), 2u);
    EXPECT_EQ(b.runs[1].firstNs, 2500u);
    EXPECT_EQ(b.runs[1].count, 1u);
    b.flush();
    EXPECT_EQ(b.runs.size(), 2u) << "nothing open, nothing handed over";
}

TEST(RunBuilder, TimeMissedBeyondTheAskedPauseEndsARunAndIsCarriedByTheNext) {
    Built b;
    b.add(0, 1);
    b.add(RunBuilder::gapThresholdNs, 1); // just at the threshold: not a gap
    EXPECT_TRUE(b.runs.empty());
    const std::uint64_t late = RunBuilder::gapThresholdNs + 80'000;
    b.add(RunBuilder::gapThresholdNs + late, 1);
    ASSERT_EQ(b.runs.size(), 1u);
    EXPECT_EQ(b.runs[0].count, 2u);
    b.flush();
    ASSERT_EQ(b.runs.size(), 2u);
    EXPECT_EQ(b.runs[1].gapNs, late) << "the same levels, but time was missed before it";

    // A pause that was asked for is no gap; only what comes on top of it.
    Built paused;
    paused.add(0, 1);
    paused.add(5'000'000 + 10'000, 2, 5'000'000);
    paused.add(10'000'000 + 200'000, 3, 5'000'000);
    paused.flush();
    ASSERT_EQ(paused.runs.size(), 3u);
    EXPECT_EQ(paused.runs[1].gapNs, 0u);
    EXPECT_EQ(paused.runs[2].gapNs, 200'000u - 10'000u);
}

TEST(RunBuilder, ARunLastsAtMostTheFlushIntervalAndTheFirstSampleHasNoGap) {
    Built b;
    b.add(7'000'000'000, 3); // a first sample long after any earlier time
    EXPECT_TRUE(b.runs.empty());
    std::uint64_t t = 7'000'000'000;
    while (b.runs.empty()) {
        t += 400;
        b.add(t, 3);
    }
    EXPECT_EQ(b.runs[0].gapNs, 0u);
    EXPECT_GE(b.runs[0].spanNs, RunBuilder::flushIntervalNs);
    EXPECT_LT(b.runs[0].spanNs, RunBuilder::flushIntervalNs + 400);
    EXPECT_FALSE(b.builder.hasOpenRun());

    // A clock that stepped back counts as no time, not as a huge gap.
    b.add(t - 5'000'000, 3);
    b.flush();
    EXPECT_EQ(b.runs.back().gapNs, 0u);

    b.builder.reset();
    b.add(t + 60'000'000'000, 3);
    b.flush();
    EXPECT_EQ(b.runs.back().gapNs, 0u) << "after a reset the next sample starts a new series";
}

// A recording that ends at a moment takes the samples stamped before it; the
// samples of a run lie evenly between its first and last stamps.
TEST(SampleRun, TheFirstSampleAtOrAfterAMoment) {
    const SampleRun run{1'000, 900, 10, 0, 0}; // stamps 1000, 1100, ... 1900
    EXPECT_EQ(run.firstAtOrAfter(0), 0u);
    EXPECT_EQ(run.firstAtOrAfter(1'000), 0u);
    EXPECT_EQ(run.firstAtOrAfter(1'001), 1u);
    EXPECT_EQ(run.firstAtOrAfter(1'500), 5u);
    EXPECT_EQ(run.firstAtOrAfter(1'900), 9u);
    EXPECT_EQ(run.firstAtOrAfter(1'901), 10u);
    EXPECT_EQ(run.firstAtOrAfter(1'500, 7), 7u) << "from the samples not yet taken";
    EXPECT_EQ(run.firstAtOrAfter(1'950, 10), 10u);

    const SampleRun single{5'000, 0, 1, 0, 0};
    EXPECT_EQ(single.firstAtOrAfter(5'000), 0u);
    EXPECT_EQ(single.firstAtOrAfter(5'001), 1u);

    const SampleRun huge{0, 4'000'000'000u, 4'000'000'001u, 0, 0}; // a sample every nanosecond
    EXPECT_EQ(huge.firstAtOrAfter(3'999'999'999u), 3'999'999'999u);
}
