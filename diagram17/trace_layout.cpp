#include "diagram17/trace_layout.h"

#include "chart/chart.h"
#include "port/connector_pins.h"

#include <vector>

namespace voltarix::diagram17 {

namespace {

constexpr QRgb red = 0xFFFF0000;
constexpr QRgb green = 0xFF008000;
constexpr QRgb yellowDesign = 0xFFFFFF00;
constexpr QRgb blue = 0xFF0000FF;
constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb gray = 0xFF808080;
constexpr QRgb fuchsia = 0xFFFF00FF;
constexpr QRgb teal = 0xFF008080;
constexpr QRgb navy = 0xFF000080;
constexpr QRgb purple = 0xFF800080;
constexpr QRgb silver = 0xFFC0C0C0;
constexpr QRgb black = 0xFF000000;

constexpr std::array<TraceSpec, traceCount> table{{
    {4, 11, 9, aqua, red},
    {5, 10, 10, aqua, green},
    {6, 12, 11, aqua, yellowDesign},
    {7, 13, 12, aqua, blue},
    {8, 15, 13, aqua, white},
    {9, 17, 14, yellow, gray},
    {10, 16, 15, yellow, fuchsia},
    {11, 14, 16, yellow, teal},
    {12, 1, 17, yellow, navy},
    {13, 9, 18, lime, red},
    {14, 8, 19, lime, lime},
    {15, 7, 20, lime, lime},
    {16, 6, 21, lime, purple},
    {17, 5, 22, lime, silver},
    {18, 4, 23, lime, aqua},
    {19, 3, 24, lime, black},
    {20, 2, 25, lime, red},
}};

// Trace k shows line k of what the sampler records.
static_assert([] {
    for (int k = 0; k < traceCount; ++k) {
        if (table[static_cast<std::size_t>(k)].pin !=
            port::captureOrderPins[static_cast<std::size_t>(k)])
            return false;
    }
    return true;
}());

constexpr std::array<QRgb, traceCount> colours = [] {
    std::array<QRgb, traceCount> c{};
    for (int k = 0; k < traceCount; ++k)
        c[static_cast<std::size_t>(k)] = table[static_cast<std::size_t>(k)].pointColour;
    return c;
}();

void setUpAxes(chart::ChartModel& model) {
    chart::ChartAxis& left = model.leftAxis();
    left.setAutomatic(false);
    left.setMinMax(0, 70);
    left.setVisible(false);
    left.setLabelsVisible(false);
    left.setTicksVisible(false);
    left.setGridVisible(false);
    left.setStartPosition(2);
    left.setEndPosition(98);
    chart::ChartAxis& bottom = model.bottomAxis();
    bottom.setAutomatic(true);
    bottom.setIncrement(10);
    bottom.setGridVisible(false);
}

void setUpLook(chart::ChartModel& model) {
    model.setBackColour(Qt::black);
    model.setMargins({0, 0, 0, 0});
    // The cycle labels stand on the chart's own colour around the plot.
    model.setAxisColour(Qt::black);
    model.setMaxPointsPerPage(0);
    model.setScaleLastPage(false);
    model.setAllowPanning(chart::Panning::Horizontal);
    model.setAnimatedZoom(true);
    // Flat; the 3D design of the chart (depth, rotation, offsets) belongs to
    // the diagram views, which apply it when they take the chart over.
    model.setView3D(false);
    model.setChart3DPercent(55);
}

} // namespace

const std::array<TraceSpec, traceCount>& traceTable() {
    return table;
}

const std::array<QRgb, traceCount>& pointColours() {
    return colours;
}

void setUpChart2(chart::Chart& chart2) {
    chart::ChartModel& model = chart2.model();
    setUpAxes(model);
    setUpLook(model);
    std::vector<chart::TraceLevels> levels;
    for (int k = 0; k < traceCount; ++k) {
        const TraceSpec& t = table[static_cast<std::size_t>(k)];
        levels.push_back(
            {QStringLiteral("Series%1").arg(t.seriesNumber), lowLevel(k), highLevel(k)});
    }
    const int first = model.addLevelTraces(levels);
    for (int k = 0; k < traceCount; ++k) {
        chart::ChartSeries& series = model.series(first + k);
        series.setStairs(true);
        series.setSeriesColour(QColor::fromRgb(table[static_cast<std::size_t>(k)].designColour));
    }
}

} // namespace voltarix::diagram17
