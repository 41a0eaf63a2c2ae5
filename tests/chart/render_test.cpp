#include "chart/chart_model.h"
#include "chart/chart_renderer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace voltarix::chart {
namespace {

constexpr QRgb kAqua = 0xff00ffff;
constexpr QRgb kYellow = 0xffffff00;
constexpr QRgb kLime = 0xff00ff00;
constexpr QRgb kBlack = 0xff000000;

// A plot that fills the whole 101 x 101 image: x value v at pixel 10 v, y value v at 100 - 10 v.
class RenderTest : public ::testing::Test {
protected:
    RenderTest() {
        model_.setAxisVisible(false);
        model_.setMargins({0, 0, 0, 0});
        model_.setBackColour(Qt::black);
        model_.bottomAxis().setMinMax(0, 10);
        model_.leftAxis().setMinMax(0, 10);
    }

    ChartSeries& trace(const std::vector<double>& ys, QRgb colour) {
        ChartSeries& s = model_.addSeries(SeriesKind::Line);
        s.setStairs(true);
        for (double y : ys)
            s.appendPoint(y, PointLabel::number(s.count() + 1), colour);
        return s;
    }

    QImage render(int width = 101, int height = 101) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        ChartRenderer::render(model_, painter, image.rect());
        return image;
    }

    static QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xff000000; }

    ChartModel model_;
};

TEST_F(RenderTest, TraceShowsItsLevelsAndStepsAtTheLaterCycle) {
    trace({2, 2, 8, 8, 2, 2}, kAqua);
    const QImage image = render();
    EXPECT_EQ(at(image, 5, 80), kAqua); // low from x 0 to 2
    EXPECT_EQ(at(image, 15, 80), kAqua);
    EXPECT_EQ(at(image, 20, 50), kAqua); // step up at x 2
    EXPECT_EQ(at(image, 25, 20), kAqua); // high from x 2 to 4
    EXPECT_EQ(at(image, 35, 20), kAqua);
    EXPECT_EQ(at(image, 40, 50), kAqua); // step down at x 4
    EXPECT_EQ(at(image, 45, 80), kAqua);
    EXPECT_EQ(at(image, 25, 80), kBlack); // no low level while high
    EXPECT_EQ(at(image, 15, 20), kBlack);
    EXPECT_EQ(at(image, 19, 50), kBlack);
    EXPECT_EQ(at(image, 70, 80), kBlack) << "the stair ends at the last point";
}

TEST_F(RenderTest, EachSegmentIsDrawnInItsPointsColour) {
    ChartSeries& s = trace({5, 5}, kAqua);
    s.appendPoint(5, PointLabel::number(3), kYellow);
    s.appendPoint(5, PointLabel::number(4), kLime);
    const QImage image = render();
    EXPECT_EQ(at(image, 5, 50), kAqua);
    EXPECT_EQ(at(image, 15, 50), kYellow);
    EXPECT_EQ(at(image, 25, 50), kLime);
}

TEST_F(RenderTest, InactiveSeriesIsNotDrawnButKeepsItsPoints) {
    trace({2, 2, 2, 2}, kAqua);
    ChartSeries& hidden = trace({8, 8, 8, 8}, kYellow);
    hidden.setActive(false);
    hidden.appendPoint(8, PointLabel::number(5), kYellow);
    QImage image = render();
    EXPECT_EQ(at(image, 15, 80), kAqua);
    EXPECT_EQ(at(image, 15, 20), kBlack);
    hidden.setActive(true);
    image = render();
    EXPECT_EQ(at(image, 35, 20), kYellow);
    EXPECT_EQ(hidden.count(), 5);
}

TEST_F(RenderTest, ScrollingMovesTheTraceAcrossThePlot) {
    trace({2, 2, 8, 8, 8, 8}, kAqua);
    model_.bottomAxis().scroll(1);
    const QImage image = render();
    EXPECT_EQ(at(image, 10, 50), kAqua) << "the step at x 2 now stands at pixel 10";
    EXPECT_EQ(at(image, 20, 50), kBlack);
}

TEST_F(RenderTest, AGlitchOfOneCycleShowsWhenAllPointsShareOnePage) {
    std::vector<double> ys(200000, 2.0);
    ys[123457] = 8.0;
    trace(ys, kAqua);
    model_.bottomAxis().setAutomatic(true);
    const QImage image = render();
    const int column = static_cast<int>(std::lround(123457.0 / 199999 * 100));
    EXPECT_EQ(at(image, column, 50), kAqua);
    EXPECT_EQ(at(image, column + 3, 50), kBlack);
}

TEST_F(RenderTest, BarsStandInTheirSlotsInTheirOwnColours) {
    // Three series side by side in 70 % of a 10-pixel slot; only active ones take room.
    ChartSeries& red = model_.addSeries(SeriesKind::Bar);
    ChartSeries& lime = model_.addSeries(SeriesKind::Bar);
    red.appendPoint(5, PointLabel::number(1), 0xffff0000u);
    red.appendPoint(10, PointLabel::number(2), 0xffff0000u);
    lime.appendPoint(3, PointLabel::number(1), kLime);
    const QImage image = render();
    EXPECT_EQ(at(image, 3, 60), 0xffff0000u);
    EXPECT_EQ(at(image, 3, 40), kBlack) << "above the bar of value 5";
    EXPECT_EQ(at(image, 6, 90), kLime);
    EXPECT_EQ(at(image, 6, 60), kBlack);
    EXPECT_EQ(at(image, 13, 5), 0xffff0000u);
    EXPECT_EQ(at(image, 0, 90), kBlack) << "the gap left of the group";
    lime.setActive(false);
    EXPECT_EQ(at(render(), 6, 60), 0xffff0000u) << "the remaining series widens";
}

TEST_F(RenderTest, AxesTakeRoomForTheirLabelsOnlyWhenVisible) {
    trace({5, 5, 5}, kAqua);
    QImage image = render(200, 120);
    EXPECT_EQ(at(image, 199, 119), kBlack);
    model_.setAxisVisible(true);
    model_.setFrameColour(Qt::white);
    image = render(200, 120);
    EXPECT_EQ(at(image, 199, 119), 0xffffffffu) << "the frame colour shows under the plot";
    bool text = false;
    for (int x = 0; x < 200 && !text; ++x)
        for (int y = 105; y < 120 && !text; ++y)
            text = at(image, x, y) != 0xffffffffu;
    EXPECT_TRUE(text) << "bottom labels drawn";
}

TEST_F(RenderTest, ThreeDimensionsShowTheBackWallBehindTheFront) {
    trace({5, 5, 5}, kAqua);
    model_.setView3D(true);
    model_.setChart3DPercent(100);
    const QImage image = render(200, 200);
    // Oblique view: the box leaves frame colour at the top left and the bottom right corners.
    EXPECT_EQ(at(image, 1, 1), model_.frameColour().rgb() | 0xff000000);
    EXPECT_EQ(at(image, 198, 198), model_.frameColour().rgb() | 0xff000000);
    EXPECT_EQ(at(image, 190, 20), kBlack) << "back wall";
}

TEST_F(RenderTest, ThreeDimensionalBarsCoverTheSideOfTheirLeftNeighbour) {
    // The depth runs up and to the right, so the side face of the lime bar of the first group
    // lies behind the front of the red bar of the next group, although lime is drawn later.
    ChartSeries& red = model_.addSeries(SeriesKind::Bar);
    ChartSeries& lime = model_.addSeries(SeriesKind::Bar);
    for (int i = 1; i <= 2; ++i) {
        red.appendPoint(10, PointLabel::number(i), 0xffff0000u);
        lime.appendPoint(10, PointLabel::number(i), kLime);
    }
    model_.setView3D(true);
    model_.setChart3DPercent(100);
    QImage image(200, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    const ChartFrame frame = ChartRenderer::render(model_, painter, image.rect());
    // Slots are 20 pixels wide and the group takes 14 of them: red stands at 23 to 30 in the
    // second slot.
    const QPointF insideRedFront = frame.projection().map(26, 150, frame.depth() * 0.15);
    EXPECT_EQ(at(image, qRound(insideRedFront.x()), qRound(insideRedFront.y())), 0xffff0000u);
}

TEST_F(RenderTest, OneCycleGlitchOfALevelTraceShowsWithAllCyclesOnOnePage) {
    const TraceLevels levels[] = {{"t", 2, 8}};
    model_.addLevelTraces(levels);
    const QRgb colours[] = {kAqua};
    constexpr std::int64_t cycles = 100000;
    for (std::int64_t c = 0; c < cycles; ++c)
        model_.appendLevels(c == 54321 ? 1u : 0u, PointLabel::number(c + 1), colours);
    model_.bottomAxis().setMinMax(0, cycles - 1);
    const QImage image = render();
    EXPECT_EQ(at(image, 54, 20), kAqua) << "the high cycle's column";
    EXPECT_EQ(at(image, 54, 50), kAqua);
    EXPECT_EQ(at(image, 30, 80), kAqua);
    EXPECT_EQ(at(image, 30, 20), kBlack);
    EXPECT_EQ(at(image, 70, 20), kBlack);
}

} // namespace
} // namespace voltarix::chart
