#include "chart/chart_series.h"
#include "chart/column_reducer.h"
#include "chart/line_clipper.h"
#include "chart/stair_geometry.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace voltarix::chart {
namespace {

constexpr QRgb kAqua = 0xff00ffff;
constexpr QRgb kRed = 0xffff0000;

class GeometryTest : public ::testing::Test {
protected:
    ChartSeries& series(const std::vector<double>& ys, QRgb colour = kAqua) {
        owned_ = std::make_unique<ChartSeries>(SeriesKind::Line, "s", &signal_);
        for (double y : ys)
            owned_->appendPoint(y, PointLabel::number(owned_->count() + 1), colour);
        return *owned_;
    }
    ChangeSignal signal_;
    std::unique_ptr<ChartSeries> owned_;
};

// A drawn segment has no direction.
bool sameSegment(const QLineF& a, const QLineF& b) {
    return a == b || a == QLineF(b.p2(), b.p1());
}

// x: value v at pixel 10 v; y: value v at pixel 100 - v.
const ScaleMap kX(AxisRange{0, 10}, 0, 100);
const ScaleMap kY(AxisRange{0, 100}, 100, 0);

TEST_F(GeometryTest, StairRunsHorizontallyThenSteps) {
    const ChartSeries& s = series({1, 1, 3, 1});
    const auto lines = StairGeometry::build(ColumnReducer(kX, 0, 100).reduce(s), kY, true).lines;
    const std::vector<QLineF> expected = {
        {0, 99, 20, 99}, {20, 99, 20, 97}, {20, 97, 30, 97}, {30, 97, 30, 99}};
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(sameSegment(lines[i].line, expected[i])) << i;
}

TEST_F(GeometryTest, WithoutStairsPointsAreJoinedDirectly) {
    const ChartSeries& s = series({1, 3});
    const auto lines = StairGeometry::build(ColumnReducer(kX, 0, 100).reduce(s), kY, false).lines;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].line, QLineF(0, 99, 10, 97));
}

TEST_F(GeometryTest, SegmentsTakeTheColourOfThePointTheyLeadTo) {
    const ChartSeries& s = series({1, 1, 1});
    owned_->appendPoint(3, PointLabel::number(4), kRed);
    const auto lines = StairGeometry::build(ColumnReducer(kX, 0, 100).reduce(s), kY, true).lines;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].line, QLineF(0, 99, 20, 99));
    EXPECT_EQ(lines[0].colour, kAqua);
    EXPECT_EQ(lines[1].line, QLineF(20, 99, 30, 99));
    EXPECT_EQ(lines[1].colour, kRed);
    EXPECT_EQ(lines[2].colour, kRed);
}

TEST_F(GeometryTest, LinesRunOnToPointsOutsideTheVisibleSlice) {
    // View x 2..5 of 10 points: the level of point 1 enters from the left, point 6 continues.
    const ChartSeries& s = series({0, 5, 5, 5, 5, 5, 9, 9, 9, 9});
    const ScaleMap x(AxisRange{2, 5}, 0, 30);
    const ColumnReducer reducer(x, 0, 30);
    const auto span = reducer.visibleSpan(s.count());
    EXPECT_EQ(span.first, 2);
    EXPECT_EQ(span.last, 6);
    const auto reduced = reducer.reduce(s);
    ASSERT_TRUE(reduced.hasLeadIn);
    EXPECT_EQ(reduced.leadIn.pixel, -10);
    ASSERT_TRUE(reduced.hasTrailing);
    EXPECT_EQ(reduced.trailing.pixel, 40);
    const auto lines = StairGeometry::build(reduced, kY, true).lines;
    EXPECT_EQ(lines.front().line.p1(), QPointF(-10, 95));
    EXPECT_TRUE(sameSegment(lines.back().line, QLineF(40, 95, 40, 91)));
}

TEST_F(GeometryTest, ScrolledPastTheDataNothingIsVisible) {
    const ChartSeries& s = series({1, 2, 3});
    const ScaleMap x(AxisRange{10, 20}, 0, 100);
    const auto reduced = ColumnReducer(x, 0, 100).reduce(s);
    EXPECT_TRUE(reduced.columns.empty());
    EXPECT_FALSE(reduced.hasTrailing);
    EXPECT_TRUE(StairGeometry::build(reduced, kY, true).lines.empty());
    const auto before = ColumnReducer(ScaleMap(AxisRange{-20, -10}, 0, 100), 0, 100).reduce(s);
    EXPECT_TRUE(StairGeometry::build(before, kY, true).lines.empty());
}

TEST_F(GeometryTest, MorePointsThanPixelsReducePerColumnAndKeepAOneCycleGlitch) {
    std::vector<double> ys(100000, 1.0);
    ys[54321] = 3.0; // one cycle high
    const ChartSeries& s = series(ys);
    const ScaleMap x(AxisRange{0, 99999}, 0, 99);
    const auto reduced = ColumnReducer(x, 0, 99).reduce(s);
    EXPECT_TRUE(reduced.perPixel);
    ASSERT_EQ(reduced.columns.size(), 100u);
    int glitchColumns = 0;
    for (const auto& c : reduced.columns) {
        EXPECT_EQ(c.minY, 1.0);
        EXPECT_EQ(c.lastY, 1.0);
        if (c.maxY == 3.0) {
            ++glitchColumns;
            EXPECT_EQ(c.pixel, 54);
        }
    }
    EXPECT_EQ(glitchColumns, 1);
    const StairShapes shapes = StairGeometry::build(reduced, kY, true);
    ASSERT_EQ(shapes.bands.size(), 1u);
    const ColouredBand& glitch = shapes.bands.front();
    EXPECT_EQ(glitch.left, 54);
    EXPECT_EQ(glitch.right, 54);
    EXPECT_EQ(glitch.top, 97);
    EXPECT_EQ(glitch.bottom, 99);
    ASSERT_EQ(shapes.lines.size(), 1u) << "the low level runs on through the glitch column";
    EXPECT_EQ(shapes.lines[0].line, QLineF(0, 99, 99, 99));
}

TEST_F(GeometryTest, ColumnsOverTheSameLevelsSideBySideMergeIntoOneBand) {
    std::vector<double> ys;
    for (int i = 0; i < 10000; ++i)
        ys.push_back(i % 2 ? 1.0 : 3.0); // toggling every point: both levels in every column
    const ChartSeries& s = series(ys);
    const ScaleMap x(AxisRange{0, 9999}, 0, 99);
    const StairShapes shapes = StairGeometry::build(ColumnReducer(x, 0, 99).reduce(s), kY, true);
    ASSERT_EQ(shapes.bands.size(), 1u);
    EXPECT_EQ(shapes.bands[0].left, 0);
    EXPECT_EQ(shapes.bands[0].right, 99);
    EXPECT_TRUE(shapes.lines.empty());
}

TEST_F(GeometryTest, EveryPointFallsIntoExactlyOneColumn) {
    std::vector<double> ys;
    for (int i = 0; i < 5000; ++i)
        ys.push_back(i);
    const ChartSeries& s = series(ys);
    const ScaleMap x(AxisRange{0, 4999}, 0, 299);
    const auto reduced = ColumnReducer(x, 0, 299).reduce(s);
    double expectedMin = 0;
    for (const auto& c : reduced.columns) {
        EXPECT_EQ(c.minY, expectedMin);
        expectedMin = c.maxY + 1;
    }
    EXPECT_EQ(reduced.columns.back().maxY, 4999);
}

TEST(LineClipper, CutsLinesToTheRectangle) {
    const LineClipper clipper(QRectF(0, 0, 100, 50));
    QLineF inside(10, 10, 20, 20);
    EXPECT_TRUE(clipper.clip(inside));
    EXPECT_EQ(inside, QLineF(10, 10, 20, 20));
    QLineF across(-100, 25, 1e9, 25);
    EXPECT_TRUE(clipper.clip(across));
    EXPECT_EQ(across, QLineF(0, 25, 100, 25));
    QLineF outside(-10, 60, 200, 60);
    EXPECT_FALSE(clipper.clip(outside));
    QLineF vertical(50, -5, 50, 500);
    EXPECT_TRUE(clipper.clip(vertical));
    EXPECT_EQ(vertical, QLineF(50, 0, 50, 50));
}

} // namespace
} // namespace voltarix::chart
