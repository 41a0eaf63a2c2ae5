// The labels of the bottom axis as the chart really draws them: on every
// density, width and resolution two neighbours keep a gap between them and
// every label stands whole inside the chart.
#include "text_recording_device.h"

#include "chart/chart_model.h"
#include "chart/chart_renderer.h"
#include "chart/label_thinning.h"
#include "chart/trace_levels.h"

#include <QFont>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>

namespace voltarix::chart {
namespace {

using testkit::TextRecordingDevice;

constexpr double kMinimumGap = LabelThinning::kGap / 2;

// The 17-bit chart: 17 traces on black, labels every cycle, increment 10.
void setUpTraceChart(ChartModel& model, std::int64_t cycles) {
    model.setBackColour(Qt::black);
    model.leftAxis().setMinMax(0, 70);
    model.leftAxis().setVisible(false);
    model.bottomAxis().setIncrement(10);
    model.setMaxPointsPerPage(0);
    model.setScaleLastPage(false);
    std::array<TraceLevels, 17> traces;
    for (int k = 0; k < 17; ++k)
        traces[static_cast<std::size_t>(k)] = {QStringLiteral("Series%1").arg(k + 4), 4.0 * k + 1,
                                               4.0 * k + 3};
    model.addLevelTraces(traces);
    std::array<QRgb, 17> colours{};
    colours.fill(0xff00ff00);
    for (std::int64_t c = 0; c < cycles; ++c)
        model.appendLevels(static_cast<std::uint32_t>(c), PointLabel::number(c + 1), colours);
}

// The register chart: three bar series in 3D, all bars on one page.
void setUpRegisterChart(ChartModel& model, std::int64_t cycles) {
    model.setBackColour(Qt::white);
    model.leftAxis().setMinMax(0, 256);
    model.setMaxPointsPerPage(0);
    model.setView3D(true);
    model.setChart3DPercent(50);
    for (int s = 0; s < 3; ++s)
        model.addSeries(SeriesKind::Bar, QStringLiteral("Series%1").arg(s + 1));
    for (std::int64_t c = 0; c < cycles; ++c)
        for (int s = 0; s < 3; ++s)
            model.appendPoint(s, static_cast<double>((c * 37) & 0xff), PointLabel::number(c + 1),
                              0xffff0000);
}

// The labels on the lowest text line: the bottom axis's.
std::vector<TextRecordingDevice::Text> bottomLabels(const TextRecordingDevice& device) {
    std::vector<TextRecordingDevice::Text> texts = device.texts();
    if (texts.empty())
        return texts;
    const double lowest = std::max_element(texts.begin(), texts.end(), [](auto& a, auto& b) {
                              return a.baseline < b.baseline;
                          })->baseline;
    std::erase_if(texts, [lowest](auto& t) { return t.baseline < lowest - 0.5; });
    std::sort(texts.begin(), texts.end(), [](auto& a, auto& b) { return a.left < b.left; });
    return texts;
}

// What is wrong with the labels, or nothing.
std::string faultsOf(const std::vector<TextRecordingDevice::Text>& labels, double width) {
    std::ostringstream faults;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const auto& label = labels[i];
        if (label.left < -0.01 || label.right > width + 0.01)
            faults << " \"" << label.text.toStdString() << "\" leaves the chart;";
        if (i > 0 && label.left - labels[i - 1].right < kMinimumGap)
            faults << " \"" << labels[i - 1].text.toStdString() << "\" \""
                   << label.text.toStdString() << "\" " << label.left - labels[i - 1].right
                   << " px apart;";
    }
    return faults.str();
}

std::string drawAndCheck(const ChartModel& model, QSize size, int dpi) {
    TextRecordingDevice device(size, dpi);
    QPainter painter(&device);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    painter.setFont(font);
    ChartRenderer::render(model, painter, QRect(QPoint(0, 0), size));
    painter.end();
    const auto labels = bottomLabels(device);
    if (labels.empty())
        return " no labels;";
    return faultsOf(labels, size.width());
}

// The 3D views the program gives the two charts (the diagram views), and
// either zoomed as the 3D page lets the user.
View3DOptions traceChart3D(int zoom) {
    View3DOptions options;
    options.rotation = 340;
    options.elevation = 330;
    options.zoom = zoom;
    options.orthogonal = false;
    options.perspective = 0;
    options.verticalOffset = 71;
    return options;
}

View3DOptions registerChart3D(int zoom) {
    View3DOptions options;
    options.rotation = 346;
    options.elevation = 342;
    options.zoom = zoom;
    options.orthogonal = true;
    options.perspective = 15;
    options.zoomScalesText = false;
    return options;
}

// Both charts in 2D and in their 3D views; empty when every drawing is right.
std::string checkBothCharts(std::int64_t cycles, int width, int dpi) {
    std::string faults;
    ChartModel trace;
    setUpTraceChart(trace, cycles);
    ChartModel bars;
    setUpRegisterChart(bars, cycles);
    const auto check = [&](const char* name, const ChartModel& model, int height) {
        const std::string found = drawAndCheck(model, {width, height}, dpi);
        if (!found.empty())
            faults += std::string(name) + ":" + found + "\n";
    };
    check("17-bit 2D", trace, 395);
    bars.setView3D(false);
    check("register 2D", bars, 200);
    trace.setView3D(true);
    bars.setView3D(true);
    for (int zoom : {100, 60, 180}) {
        trace.setView3DOptions(traceChart3D(zoom));
        bars.setView3DOptions(registerChart3D(zoom));
        check("17-bit 3D", trace, 395);
        check("register 3D", bars, 200);
    }
    return faults;
}

TEST(BottomLabelGaps, TwentyThousandCyclesOnOnePageAtEveryWidthAndResolution) {
    for (int dpi : {96, 144})
        for (int width = 180; width <= 1300; width += 13)
            EXPECT_EQ(checkBothCharts(20001, width, dpi), "")
                << width << " px at " << dpi << " dpi";
}

TEST(BottomLabelGaps, EveryDensityFromOneCycleToAMillion) {
    for (std::int64_t cycles :
         {1, 2, 9, 10, 11, 39, 40, 41, 99, 101, 999, 1001, 9999, 10001, 99999, 100001, 1000001})
        for (int width : {200, 439, 640, 1001})
            EXPECT_EQ(checkBothCharts(cycles, width, 96), "")
                << cycles << " cycles, " << width << " px";
}

} // namespace
} // namespace voltarix::chart
