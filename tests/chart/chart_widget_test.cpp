#include "chart/chart.h"
#include "chart/chart_error.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace voltarix::chart {
namespace {

// Runs the event loop until `done` holds or two seconds pass.
bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

void mouse(Chart& chart, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), chart.mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(&chart, &event);
}

void drag(Chart& chart, Qt::MouseButton button, QPoint from, QPoint to) {
    mouse(chart, QEvent::MouseButtonPress, button, from);
    mouse(chart, QEvent::MouseMove, button, (from + to) / 2);
    mouse(chart, QEvent::MouseMove, button, to);
    mouse(chart, QEvent::MouseButtonRelease, button, to);
}

class ChartWidgetTest : public ::testing::Test {
protected:
    ChartWidgetTest() {
        chart_.resize(400, 200);
        chart_.model().setAxisVisible(false);
        chart_.model().setMargins({0, 0, 0, 0});
        chart_.addSeries(SeriesKind::Line).setStairs(true);
        chart_.leftAxis().setMinMax(0, 10);
        for (int i = 0; i < 100; ++i)
            chart_.appendPoint(0, i % 2 ? 3 : 7, PointLabel::number(i + 1), 0xff00ffffu);
    }

    // Shown and painted, with no change waiting to be drawn.
    void showAndSettle() {
        chart_.show();
        ASSERT_TRUE(waitFor([&] { return chart_.paintCount() > 0; }));
        ASSERT_TRUE(waitFor([&] { return !chart_.model().changeSignal().dirty(); }));
    }

    Chart chart_;
};

TEST_F(ChartWidgetTest, AppendingNeverPaintsAndManyAppendsCostOneRepaint) {
    showAndSettle();
    const int before = chart_.paintCount();
    for (int i = 0; i < 100000; ++i)
        chart_.appendPoint(0, i % 2 ? 3 : 7, PointLabel::number(i + 101), 0xff00ffffu);
    EXPECT_EQ(chart_.paintCount(), before);
    ASSERT_TRUE(waitFor([&] { return chart_.paintCount() > before; }));
    EXPECT_FALSE(chart_.model().changeSignal().dirty());
    QApplication::processEvents();
    EXPECT_EQ(chart_.paintCount(), before + 1);
}

TEST_F(ChartWidgetTest, LeftDragZoomsAndDraggingUpLeftUndoesIt) {
    showAndSettle();
    ASSERT_TRUE(chart_.bottomAxis().automatic());
    drag(chart_, Qt::LeftButton, {100, 50}, {200, 150});
    EXPECT_TRUE(chart_.zoomed());
    EXPECT_FALSE(chart_.bottomAxis().automatic());
    EXPECT_NEAR(chart_.bottomAxis().minimum(), 99.0 * 100 / 399, 0.5);
    EXPECT_NEAR(chart_.bottomAxis().maximum(), 99.0 * 200 / 399, 0.5);
    EXPECT_NEAR(chart_.leftAxis().maximum(), 7.5, 0.1);
    drag(chart_, Qt::LeftButton, {200, 150}, {100, 50});
    EXPECT_FALSE(chart_.zoomed());
    EXPECT_TRUE(chart_.bottomAxis().automatic());
    EXPECT_EQ(chart_.leftAxis().range(), (AxisRange{0, 10}));
}

TEST_F(ChartWidgetTest, AnimatedZoomArrivesAtTheRectangleInSteps) {
    chart_.model().setAnimatedZoom(true);
    showAndSettle();
    const AxisRange start = chart_.bottomAxis().range();
    chart_.zoomTo(QRect(QPoint(0, 0), QPoint(199, 199)));
    EXPECT_EQ(chart_.bottomAxis().range(), start) << "nothing moves before the first step";
    ASSERT_TRUE(waitFor([&] { return std::abs(chart_.bottomAxis().maximum() - 49.5) < 0.3; }));
    chart_.undoZoom();
    EXPECT_EQ(chart_.bottomAxis().range(), start);
}

TEST_F(ChartWidgetTest, RightDragPansHorizontallyOnlyUnlessBothAreAllowed) {
    chart_.model().setAllowPanning(Panning::Horizontal);
    showAndSettle();
    drag(chart_, Qt::RightButton, {200, 100}, {100, 50});
    EXPECT_NEAR(chart_.bottomAxis().minimum(), 99.0 * 100 / 399, 0.5);
    EXPECT_EQ(chart_.leftAxis().range(), (AxisRange{0, 10}));
    chart_.model().setAllowPanning(Panning::Both);
    drag(chart_, Qt::RightButton, {200, 100}, {200, 0});
    EXPECT_NEAR(chart_.leftAxis().minimum(), -10 * 100.0 / 199, 0.1)
        << "the data follows the mouse";
    drag(chart_, Qt::LeftButton, {300, 150}, {250, 100});
    EXPECT_TRUE(chart_.bottomAxis().automatic()) << "the undo gesture also undoes panning";
    EXPECT_EQ(chart_.leftAxis().range(), (AxisRange{0, 10}));
}

TEST_F(ChartWidgetTest, BitmapExportWritesTheChartOrRefuses) {
    QTemporaryDir dir;
    const QString file = dir.filePath("page.bmp");
    chart_.saveBitmap(file);
    const QImage written(file);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), chart_.size());
    // The first point's level 7 of 0..10 on 200 rows stands at row 199 - 7 * 19.9.
    EXPECT_EQ(written.pixel(2, 60) | 0xff000000, 0xff00ffffu);
    EXPECT_EQ(written.pixel(2, 100) | 0xff000000, 0xffffffffu);
    const QString bad = dir.filePath("missing/page.bmp");
    try {
        chart_.saveBitmap(bad);
        FAIL() << "no error";
    } catch (const ChartError& e) {
        EXPECT_EQ(QString::fromStdString(e.what()), "Cannot create file " + bad);
    }
}

} // namespace
} // namespace voltarix::chart
