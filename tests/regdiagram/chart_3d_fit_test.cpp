#include "chart/chart.h"
#include "chart/chart_frame.h"
#include "chart/chart_model.h"
#include "chart/chart_renderer.h"
#include "regdiagram/chart_3d_design.h"
#include "regdiagram/register_chart.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace voltarix;

namespace {

constexpr QRgb aqua = qRgb(0, 255, 255);
constexpr QRgb lime = qRgb(0, 255, 0);

// The 17-bit chart as its window design sets it up: 17 stair traces in lanes
// on black, the value axis hidden, cycle labels below.
void setUpTraceChart(chart::ChartModel& model) {
    model.setBackColour(Qt::black);
    model.setFrameColour(QColor(212, 208, 200));
    model.setMargins({0, 0, 0, 0});
    chart::ChartAxis& left = model.leftAxis();
    left.setMinMax(0, 70);
    left.setVisible(false);
    left.setStartPosition(2);
    left.setEndPosition(98);
    model.bottomAxis().setIncrement(10);
    model.setScaleLastPage(false);
    std::array<chart::TraceLevels, 17> traces;
    for (int k = 0; k < 17; ++k)
        traces[static_cast<std::size_t>(k)] = {QStringLiteral("Series%1").arg(k + 4), 4.0 * k + 1,
                                               4.0 * k + 3};
    model.addLevelTraces(traces);
    std::array<QRgb, 17> colours;
    for (int k = 0; k < 17; ++k)
        colours[static_cast<std::size_t>(k)] = k < 5 ? aqua : k < 9 ? qRgb(255, 255, 0) : lime;
    for (int cycle = 1; cycle <= 60; ++cycle)
        model.appendLevels(cycle % 2 ? 0x1FFFFu : 0u, chart::PointLabel::number(cycle), colours);
    regdiagram::traceChart3DDesign().applyTo(model);
    model.setView3D(true);
}

void setUpRegisterChart(chart::Chart& chart) {
    for (int cycle = 1; cycle <= 30; ++cycle) {
        const QString label = QString::number(cycle);
        chart.appendPoint(regdiagram::DataSeries, (cycle * 37) % 256, label,
                          regdiagram::dataBarColour);
        chart.appendPoint(regdiagram::ControlSeries, 15, label, regdiagram::controlBarColour);
        chart.appendPoint(regdiagram::StatusSeries, 120, label, regdiagram::statusBarColour);
    }
    chart.model().series(regdiagram::StatusSeries).setActive(true);
}

// Everything that is drawn: the corners of the 3D box, the cycle labels under
// its front edge and the value labels left of it.
QRectF drawnExtent(const chart::ChartModel& model, const QRectF& bounds, const QFont& font) {
    const QFontMetricsF metrics(font);
    const chart::ChartFrame frame(model, bounds, metrics);
    const chart::Projection3D& p = frame.projection();
    const QRectF& plot = frame.plot();
    QRectF extent;
    for (double z : {0.0, frame.depth()})
        extent |= p.mapRect(plot, z).boundingRect();
    const double below = chart::ChartFrame::kTickLength + chart::ChartFrame::kLabelGap;
    if (frame.bottomLabelsShown()) {
        for (double x : {plot.left(), plot.right()}) {
            const QPointF base = p.map(x, plot.bottom(), 0);
            extent |= QRectF(base.x(), base.y(), 0, below + metrics.height());
        }
    }
    if (frame.leftLabelsShown()) {
        const double widest = metrics.horizontalAdvance(QStringLiteral("256"));
        for (double y : {plot.top(), plot.bottom()}) {
            const QPointF base = p.map(plot.left(), y, 0);
            extent |= QRectF(base.x() - below - widest, base.y() - metrics.height() / 2, 1,
                             metrics.height());
        }
    }
    return extent;
}

void expectInside(const QRectF& extent, const QSize& size, const std::string& what) {
    const QRectF bounds(QPointF(0, 0), QSizeF(size));
    EXPECT_GE(extent.left(), bounds.left() - 0.5) << what;
    EXPECT_GE(extent.top(), bounds.top() - 0.5) << what;
    EXPECT_LE(extent.right(), bounds.right() + 0.5) << what;
    EXPECT_LE(extent.bottom(), bounds.bottom() + 0.5) << what;
}

std::string describe(const QSize& size, int percent) {
    return std::to_string(size.width()) + "x" + std::to_string(size.height()) + " at " +
           std::to_string(percent) + " %";
}

// The lowest row of the image where the colour shows, in any of the shades
// that 3D faces give it; -1 when it shows nowhere.
int lowestRowWith(const QImage& image, QRgb colour) {
    const auto channel = [](int pixel, int wanted) { return wanted ? pixel > 100 : pixel < 60; };
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (channel(qRed(p), qRed(colour)) && channel(qGreen(p), qGreen(colour)) &&
                channel(qBlue(p), qBlue(colour)))
                return y;
        }
    return -1;
}

const std::array<int, 6> depths{1, 15, 50, 55, 80, 100};

} // namespace

// The 17-bit chart's sizes in the three views, normal and expanded.
TEST(Chart3DFit, TraceChartStaysInsideInEveryViewAndDepth) {
    const std::vector<QSize> sizes{{439, 395}, {439, 398}, {439, 486},
                                   {772, 395}, {772, 398}, {772, 486}};
    for (const QSize& size : sizes) {
        for (int percent : depths) {
            chart::Chart chart;
            chart.resize(size);
            setUpTraceChart(chart.model());
            chart.model().setChart3DPercent(percent);
            expectInside(drawnExtent(chart.model(), QRectF(QPointF(), QSizeF(size)), chart.font()),
                         size, describe(size, percent));
            const QImage image = chart.toImage();
            const int lowest = lowestRowWith(image, aqua);
            EXPECT_GT(lowest, size.height() / 2)
                << "the lowest trace shows, " << describe(size, percent);
        }
    }
}

// The angles the tab "3D" offers, at the design depth, in the largest and smallest view.
TEST(Chart3DFit, TraceChartStaysInsideAtEveryAngle) {
    for (const QSize& size : {QSize(439, 395), QSize(772, 486)}) {
        for (int rotation : {270, 300, 340, 360}) {
            for (int elevation : {270, 300, 330, 360}) {
                chart::Chart chart;
                chart.resize(size);
                setUpTraceChart(chart.model());
                chart::View3DOptions options = chart.model().view3DOptions();
                options.rotation = rotation;
                options.elevation = elevation;
                chart.model().setView3DOptions(options);
                expectInside(
                    drawnExtent(chart.model(), QRectF(QPointF(), QSizeF(size)), chart.font()), size,
                    describe(size, 55) + " rotation " + std::to_string(rotation) + " elevation " +
                        std::to_string(elevation));
            }
        }
    }
}

TEST(Chart3DFit, RegisterChartStaysInsideInEveryViewAndDepth) {
    const std::vector<QSize> sizes{{434, 89}, {434, 480}, {770, 89}, {770, 480}};
    for (const QSize& size : sizes) {
        for (int percent : depths) {
            std::unique_ptr<chart::Chart> chart(regdiagram::makeRegisterChart(nullptr));
            chart->resize(size);
            setUpRegisterChart(*chart);
            chart->model().setChart3DPercent(percent);
            expectInside(
                drawnExtent(chart->model(), QRectF(QPointF(), QSizeF(size)), chart->font()), size,
                describe(size, percent));
            const QImage image = chart->toImage();
            EXPECT_GE(lowestRowWith(image, regdiagram::controlBarColour), 0)
                << "the lowest bars show, " << describe(size, percent);
        }
    }
}
