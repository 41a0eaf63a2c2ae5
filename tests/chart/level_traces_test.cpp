#include "chart/chart_error.h"
#include "chart/chart_model.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace voltarix::chart {
namespace {

constexpr QRgb kAqua = 0xff00ffff;
constexpr QRgb kLime = 0xff00ff00;

// Three traces in lanes behind a bar series: trace k is low at 4k + 1, high at 4k + 3.
class LevelTracesTest : public ::testing::Test {
protected:
    LevelTracesTest() {
        model_.addSeries(SeriesKind::Bar, "bars");
        std::vector<TraceLevels> traces;
        for (int k = 0; k < 3; ++k)
            traces.push_back({QStringLiteral("t%1").arg(k), 4.0 * k + 1, 4.0 * k + 3});
        first_ = model_.addLevelTraces(traces);
    }

    static std::uint32_t levelsOf(std::int64_t cycle) {
        return static_cast<std::uint32_t>(cycle % 5 == 0) | static_cast<std::uint32_t>(cycle & 6);
    }

    void appendCycles(std::int64_t from, std::int64_t to) {
        for (std::int64_t c = from; c < to; ++c)
            model_.appendLevels(levelsOf(c), PointLabel::number(c + 1), colours_);
    }

    const ChartSeries& trace(int k) const { return model_.series(first_ + k); }

    ChartModel model_;
    std::array<QRgb, 3> colours_ = {kAqua, kAqua, kLime};
    int first_ = 0;
};

TEST_F(LevelTracesTest, EachTraceIsAStairSeriesReadingItsBit) {
    appendCycles(0, 1000);
    EXPECT_EQ(first_, 1);
    ASSERT_EQ(model_.seriesCount(), 4);
    for (int k = 0; k < 3; ++k) {
        const ChartSeries& s = trace(k);
        EXPECT_TRUE(s.stairs());
        EXPECT_EQ(s.kind(), SeriesKind::Line);
        EXPECT_EQ(s.name(), QStringLiteral("t%1").arg(k));
        ASSERT_EQ(s.count(), 1000);
        for (std::int64_t i = 0; i < 1000; i += 7)
            ASSERT_EQ(s.y(i), (levelsOf(i) >> k) & 1 ? 4 * k + 3 : 4 * k + 1) << k << " " << i;
        EXPECT_EQ(s.label(40), "41");
    }
    EXPECT_EQ(trace(2).colour(999), kLime);
    const ValueRange r = trace(0).range(1, 5);
    EXPECT_EQ(r.minimum, 1);
    EXPECT_EQ(r.maximum, 1) << "cycles 1 to 4 hold no multiple of 5";
    EXPECT_EQ(model_.pointCount(), 1000);
    EXPECT_EQ(model_.leftAxis().range(), (AxisRange{1, 11}));
}

TEST_F(LevelTracesTest, RefusesASecondGroupAndRowsWithoutAColourPerTrace) {
    const TraceLevels one[] = {{"x", 0, 1}};
    EXPECT_THROW(model_.addLevelTraces(one), ChartError);
    const QRgb two[] = {kAqua, kAqua};
    EXPECT_THROW(model_.appendLevels(1, PointLabel::number(1), two), ChartError);
    EXPECT_EQ(trace(0).count(), 0);
    ChartModel bare;
    EXPECT_THROW(bare.appendLevels(1, PointLabel::number(1), colours_), ChartError);
}

TEST_F(LevelTracesTest, AppendingToOneTraceMovesItToItsOwnStorageWithItsPoints) {
    appendCycles(0, 600);
    std::vector<double> before;
    for (std::int64_t i = 0; i < 600; ++i)
        before.push_back(trace(1).y(i));
    model_.appendPoint(first_ + 1, 42, PointLabel::number(601), kLime); // neither of its levels
    appendCycles(600, 700);
    const ChartSeries& moved = trace(1);
    EXPECT_FALSE(moved.readsLevels());
    ASSERT_EQ(moved.count(), 601) << "later rows no longer reach it";
    for (std::int64_t i = 0; i < 600; ++i)
        ASSERT_EQ(moved.y(i), before[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(moved.y(600), 42);
    EXPECT_EQ(moved.label(599), "600");
    EXPECT_EQ(moved.colour(599), kAqua);
    EXPECT_EQ(moved.colour(600), kLime);
    EXPECT_EQ(moved.range(0, 601).maximum, 42);
    EXPECT_EQ(moved.range(0, 600).maximum, 7);
    EXPECT_EQ(trace(0).count(), 700);
    EXPECT_EQ(trace(2).y(699), (levelsOf(699) & 4) ? 11 : 9);
}

TEST_F(LevelTracesTest, RowsOfHiddenTracesChangeNothingOnScreen) {
    int calls = 0;
    model_.changeSignal().setListener([&] { ++calls; });
    for (int k = 0; k < 3; ++k)
        model_.series(first_ + k).setActive(false);
    model_.changeSignal().clear();
    calls = 0;
    appendCycles(0, 100);
    EXPECT_EQ(calls, 0);
    model_.series(first_ + 2).setActive(true);
    model_.changeSignal().clear();
    appendCycles(100, 200);
    EXPECT_EQ(calls, 2) << "the activation, then the first row after the clear";
}

// What a memory watch reads: the chart's bytes grow with level changes, not with cycles.
TEST_F(LevelTracesTest, ChartMemoryFollowsLevelChangesNotCycles) {
    const std::size_t empty = model_.memoryBytes();
    for (std::int64_t c = 0; c < 5'000'000; ++c)
        model_.appendLevels(5, PointLabel::number(c + 1), colours_);
    const std::size_t steady = model_.memoryBytes();
    EXPECT_LT(steady - empty, 40'000u) << "five million steady cycles: a few first chunks";
    for (std::int64_t c = 5'000'000; c < 5'400'000; ++c)
        model_.appendLevels(c % 2 ? 2 : 5, PointLabel::number(c + 1), colours_);
    const std::size_t changed = model_.memoryBytes();
    EXPECT_GT(changed - steady, 400'000u * 1) << "a byte a change at least: is it counted?";
    EXPECT_LT(changed - steady, 400'000u * 2);
}

} // namespace
} // namespace voltarix::chart
