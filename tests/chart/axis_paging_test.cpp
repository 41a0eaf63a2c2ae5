#include "chart/chart_error.h"
#include "chart/chart_model.h"
#include "chart/paging.h"

#include <gtest/gtest.h>

namespace voltarix::chart {
namespace {

void appendPoints(ChartModel& model, int series, int count) {
    for (int i = 0; i < count; ++i)
        model.appendPoint(series, 1, PointLabel::number(model.series(series).count() + 1), 0);
}

TEST(Paging, PageCountsAndPagesOfPoints) {
    EXPECT_EQ(Paging::pageCount(0, 40), 1);
    EXPECT_EQ(Paging::pageCount(40, 40), 1);
    EXPECT_EQ(Paging::pageCount(41, 40), 2);
    EXPECT_EQ(Paging::pageCount(301, 40), 8);
    EXPECT_EQ(Paging::pageCount(1000000, 0), 1);
    EXPECT_EQ(Paging::pageOf(39, 40), 1);
    EXPECT_EQ(Paging::pageOf(40, 40), 2);
}

TEST(Paging, AutomaticRangeShowsTheFirstPageAtFullWidthWhileItFills) {
    Paging::Layout layout;
    layout.maxPointsPerPage = 40;
    layout.scaleLastPage = false;
    for (std::int64_t n : {0, 1, 17, 40, 5000}) {
        layout.pointCount = n;
        EXPECT_EQ(Paging::automaticRange(layout), (AxisRange{0, 39})) << n;
    }
    layout.scaleLastPage = true;
    layout.pointCount = 17;
    EXPECT_EQ(Paging::automaticRange(layout), (AxisRange{0, 16}));
    layout.page = 2;
    layout.pointCount = 45;
    EXPECT_EQ(Paging::automaticRange(layout), (AxisRange{40, 44}));
}

TEST(Paging, WithoutPagingTheAutomaticRangeCoversAllPoints) {
    Paging::Layout layout;
    layout.pointCount = 1000;
    EXPECT_EQ(Paging::automaticRange(layout), (AxisRange{0, 999}));
    layout.slotted = true;
    EXPECT_EQ(Paging::automaticRange(layout), (AxisRange{0, 1000}));
    layout.pointCount = 0;
    layout.slotted = false;
    EXPECT_EQ(Paging::automaticRange(layout), (AxisRange{0, 0}));
}

TEST(ChartModel, BottomAxisFollowsTheDataWhileAutomatic) {
    ChartModel model;
    model.addSeries(SeriesKind::Line);
    appendPoints(model, 0, 10);
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{0, 9}));
    model.setMaxPointsPerPage(40);
    model.setScaleLastPage(false);
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{0, 39}));
    appendPoints(model, 0, 100);
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{0, 39}));
    EXPECT_EQ(model.pageCount(), 3);
}

TEST(ChartModel, FollowingTheNewestCycleKeepsThePageWidth) {
    // Once the first page is full, each new cycle turns the axis manual and scrolls it by one.
    ChartModel model;
    model.addSeries(SeriesKind::Line);
    model.setMaxPointsPerPage(40);
    model.setScaleLastPage(false);
    appendPoints(model, 0, 40);
    for (int cycle = 41; cycle <= 45; ++cycle) {
        appendPoints(model, 0, 1);
        model.bottomAxis().setAutomatic(false);
        model.bottomAxis().scroll(1);
    }
    EXPECT_FALSE(model.bottomAxis().automatic());
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{5, 44}));
}

TEST(ChartAxis, ScrollMovesBothBoundsPastEitherEndOfTheData) {
    ChartModel model;
    model.addSeries(SeriesKind::Bar);
    model.bottomAxis().setMinMax(0, 25);
    model.bottomAxis().scroll(-1);
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{-1, 24}));
    for (int i = 0; i < 10; ++i)
        model.bottomAxis().scroll(25);
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{249, 274}));
    model.bottomAxis().scroll(-1000);
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{-751, -726}));
}

TEST(ChartAxis, ScrollFromAutomaticStartsFromTheRangeShown) {
    ChartModel model;
    model.addSeries(SeriesKind::Line);
    appendPoints(model, 0, 30);
    model.bottomAxis().scroll(-10);
    EXPECT_FALSE(model.bottomAxis().automatic());
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{-10, 19}));
    model.bottomAxis().setAutomatic(true);
    EXPECT_EQ(model.bottomAxis().range(), (AxisRange{0, 29}));
}

TEST(ChartAxis, MaximumBelowMinimumIsRefusedAndTheRangeStays) {
    ChartModel model;
    ChartAxis& axis = model.bottomAxis();
    axis.setMinMax(0, 25);
    axis.scroll(30);
    try {
        axis.setMaximum(10);
        FAIL() << "no refusal";
    } catch (const ChartError& e) {
        EXPECT_STREQ(e.what(), "Axis Maximum Value must be >= Minimum");
    }
    EXPECT_EQ(axis.range(), (AxisRange{30, 55}));
    EXPECT_THROW(axis.setMinMax(5, 4), ChartError);
    EXPECT_EQ(axis.range(), (AxisRange{30, 55}));
    axis.setMaximum(30);
    EXPECT_EQ(axis.range(), (AxisRange{30, 30}));
    EXPECT_THROW(axis.setMinimum(31), ChartError);
}

TEST(ChartModel, NegativeMaxPointsPerPageIsRefusedAndTheValueStays) {
    ChartModel model;
    model.setMaxPointsPerPage(40);
    try {
        model.setMaxPointsPerPage(-1);
        FAIL() << "no refusal";
    } catch (const ChartError& e) {
        EXPECT_STREQ(e.what(), "MaxPointsPerPage must be >= 0");
    }
    EXPECT_EQ(model.maxPointsPerPage(), 40);
    model.setMaxPointsPerPage(0);
    EXPECT_EQ(model.maxPointsPerPage(), 0);
}

TEST(ChartModel, InactiveSeriesKeepReceivingPointsButLeaveTheRange) {
    ChartModel model;
    model.addSeries(SeriesKind::Line);
    model.addSeries(SeriesKind::Line);
    appendPoints(model, 0, 10);
    appendPoints(model, 1, 50);
    EXPECT_EQ(model.bottomAxis().maximum(), 49);
    model.series(1).setActive(false);
    appendPoints(model, 1, 5);
    EXPECT_EQ(model.series(1).count(), 55);
    EXPECT_EQ(model.bottomAxis().maximum(), 9);
}

TEST(ChartModel, AutomaticLeftRangeSpansTheValuesAndBarsStartAtZero) {
    ChartModel model;
    model.addSeries(SeriesKind::Line);
    model.appendPoint(0, 5, PointLabel::number(1), 0);
    model.appendPoint(0, 67, PointLabel::number(2), 0);
    EXPECT_EQ(model.leftAxis().range(), (AxisRange{5, 67}));
    model.series(0).setActive(false);
    model.addSeries(SeriesKind::Bar).appendPoint(200, PointLabel::number(1), 0u);
    EXPECT_EQ(model.leftAxis().range(), (AxisRange{0, 200}));
}

TEST(ChartModel, AppendingSignalsOnceUntilCleared) {
    ChartModel model;
    int calls = 0;
    model.changeSignal().setListener([&] { ++calls; });
    model.addSeries(SeriesKind::Line);
    model.changeSignal().clear();
    calls = 0;
    appendPoints(model, 0, 1000);
    EXPECT_EQ(calls, 1);
    model.changeSignal().clear();
    model.series(0).setActive(false);
    model.changeSignal().clear();
    appendPoints(model, 0, 10);
    EXPECT_EQ(calls, 2) << "points of a hidden series change nothing on screen";
}

} // namespace
} // namespace voltarix::chart
