#include "capture/sampling_plan.h"
#include "capture/spacing_histogram.h"
#include "diagram17/sampling_gaps.h"

#include <gtest/gtest.h>

using namespace voltarix;
using capture::SamplingPlan;
using capture::SchedulingFacts;
using capture::SpacingHistogram;

TEST(SpacingHistogram, QuantilesToTheBucketAndTheLongestExactly) {
    SpacingHistogram h;
    EXPECT_EQ(h.quantileNs(0.5), 0u);
    for (int i = 0; i < 9998; ++i)
        h.add(250);
    h.add(60'000);
    h.add(3'700'000);
    EXPECT_EQ(h.total(), 10'000u);
    EXPECT_EQ(h.quantileNs(0.5), 300u) << "upper edge of the 100 ns bucket";
    EXPECT_EQ(h.quantileNs(0.9998), 300u);
    EXPECT_EQ(h.quantileNs(0.9999), 60'100u);
    EXPECT_EQ(h.quantileNs(1.0), 3'700'000u);
    EXPECT_EQ(h.longestNs(), 3'700'000u);
    EXPECT_EQ(h.countAbove(50'000), 2u);
    EXPECT_EQ(h.countAbove(1'000'000), 1u);
    SpacingHistogram other;
    other.add(10'000'000);
    h.merge(other);
    EXPECT_EQ(h.total(), 10'001u);
    EXPECT_EQ(h.quantileNs(1.0), 10'000'000u);
    EXPECT_EQ(h.quantileNs(0.9999), 6'400'000u)
        << "a long spacing to the upper edge of its power of two";
}

TEST(SamplingPlan, ARelayOnlyWhereTheKernelThrottlesAndTwoProcessorsAreThere) {
    SchedulingFacts facts;
    facts.realtimeRuntimeUs = 950'000;
    facts.realtimePeriodUs = 1'000'000;
    facts.processors = {2, 5, 7};
    SamplingPlan plan = SamplingPlan::forFacts(facts);
    EXPECT_TRUE(plan.relay);
    EXPECT_EQ(plan.processors, (std::array<int, 2>{2, 5}));

    facts.processors = {3};
    EXPECT_FALSE(SamplingPlan::forFacts(facts).relay) << "one processor: one thread";
    facts.processors = {0, 1};
    facts.realtimeRuntimeUs = -1;
    EXPECT_FALSE(SamplingPlan::forFacts(facts).relay) << "no throttling: one thread";
    facts.realtimeRuntimeUs = 1'000'000;
    EXPECT_FALSE(SamplingPlan::forFacts(facts).relay) << "a budget of the whole period";

    SamplingPlan::allowRaisedPriority(false);
    EXPECT_FALSE(SamplingPlan::forThisSystem().realtime);
    EXPECT_FALSE(SamplingPlan::forThisSystem().raiseNice);
    EXPECT_FALSE(SamplingPlan::forThisSystem().relay);
    SamplingPlan::allowRaisedPriority(true);
    EXPECT_TRUE(SamplingPlan::forThisSystem().realtime);
}

TEST(SamplingGaps, CountsMissedTimeAndSaysHowLongTheLongestWas) {
    diagram17::SamplingGaps gaps;
    EXPECT_EQ(gaps.text(), QString::fromUtf8("Пропуски: 0"));
    EXPECT_EQ(gaps.hintText(),
              QString::fromUtf8("Паузы опроса длиннее заданной более чем на 50 мкс: нет"));
    gaps.add(0);
    EXPECT_EQ(gaps.count(), 0u);
    gaps.add(75'000);
    gaps.add(1'234'567);
    gaps.add(200'000);
    EXPECT_EQ(gaps.count(), 3u);
    EXPECT_EQ(gaps.longestNs(), 1'234'567u);
    EXPECT_EQ(gaps.text(), QString::fromUtf8("Пропуски: 3"));
    EXPECT_EQ(gaps.hintText(), QString::fromUtf8("Паузы опроса длиннее заданной более чем на 50 "
                                                 "мкс: 3, наибольшая 1,2 мс. За это время линии "
                                                 "не читались"));
    using diagram17::SamplingGaps;
    EXPECT_EQ(SamplingGaps::durationText(75'900), QString::fromUtf8("75 мкс"));
    EXPECT_EQ(SamplingGaps::durationText(999'999), QString::fromUtf8("999 мкс"));
    EXPECT_EQ(SamplingGaps::durationText(1'000'000), QString::fromUtf8("1,0 мс"));
    EXPECT_EQ(SamplingGaps::durationText(999'949'999), QString::fromUtf8("999,9 мс"));
    EXPECT_EQ(SamplingGaps::durationText(999'950'000), QString::fromUtf8("1,0 с"));
    EXPECT_EQ(SamplingGaps::durationText(4'294'967'295), QString::fromUtf8("4,3 с"));
}
