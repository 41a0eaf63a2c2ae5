#include "demo_charts.h"

#include <array>

namespace voltarix::chart::demo {

namespace {

constexpr int kTraces = 17;
constexpr QRgb kAqua = 0xff00ffff;
constexpr QRgb kYellow = 0xffffff00;
constexpr QRgb kLime = 0xff00ff00;
constexpr QRgb kRed = 0xffff0000;

QRgb traceColour(int trace) {
    if (trace < 5)
        return kAqua;
    return trace < 9 ? kYellow : kLime;
}

} // namespace

void setUpTraceChart(ChartModel& model) {
    model.setBackColour(Qt::black);
    model.setFrameColour(QColor(212, 208, 200));
    model.setGridColour(QColor(70, 70, 70));
    model.setMargins({0, 0, 0, 0});
    ChartAxis& left = model.leftAxis();
    left.setMinMax(0, 70);
    left.setVisible(false);
    left.setStartPosition(2);
    left.setEndPosition(98);
    model.bottomAxis().setIncrement(10);
    model.setScaleLastPage(false);
    model.setChart3DPercent(55);
    View3DOptions view;
    view.rotation = 340;
    view.elevation = 330;
    view.orthogonal = false;
    view.perspective = 0;
    view.verticalOffset = 71;
    model.setView3DOptions(view);
    model.setAllowPanning(Panning::Horizontal);
    model.setAnimatedZoom(true);
    std::array<TraceLevels, kTraces> traces;
    for (int k = 0; k < kTraces; ++k)
        traces[static_cast<std::size_t>(k)] = {QStringLiteral("Series%1").arg(k + 4), 4.0 * k + 1,
                                               4.0 * k + 3};
    model.addLevelTraces(traces);
}

void setUpRegisterChart(ChartModel& model) {
    model.setBackColour(Qt::white);
    model.setFrameColour(QColor(212, 208, 200));
    model.leftAxis().setMinMax(0, 256);
    model.leftAxis().setEndPosition(97);
    model.bottomAxis().setMinMax(0, 25);
    model.setMaxPointsPerPage(25);
    model.setScaleLastPage(false);
    model.setView3D(true);
    model.setChart3DPercent(50);
    View3DOptions view;
    view.rotation = 346;
    view.elevation = 342;
    view.perspective = 15;
    view.orthogonal = true;
    view.zoomScalesText = false;
    model.setView3DOptions(view);
    model.setAllowPanning(Panning::Horizontal);
    model.setAnimatedZoom(true);
    model.addSeries(SeriesKind::Bar, QStringLiteral("Series1"));
    model.addSeries(SeriesKind::Bar, QStringLiteral("Series2"));
    model.addSeries(SeriesKind::Bar, QStringLiteral("Series3"));
}

std::uint32_t sampleLevels(std::int64_t cycle) {
    const auto counter = static_cast<std::uint32_t>(cycle & 0xff);
    std::uint32_t levels = counter << 9;                        // data pins, traces 9..16
    levels |= static_cast<std::uint32_t>((cycle / 3) & 1) << 8; // control strobe
    levels |= static_cast<std::uint32_t>(cycle % 7 == 0) << 5;  // a one-cycle glitch now and then
    const std::int64_t frame = cycle % 24;                      // serial: start bit, 8 data, stop
    const bool serial = frame == 0 ? false : frame < 9 ? ((0x5a >> (frame - 1)) & 1) : true;
    levels |= static_cast<std::uint32_t>(serial) << 1;
    levels |= static_cast<std::uint32_t>((cycle / 10) & 1); // slow clock on the bottom trace
    return levels;
}

void appendTraceCycle(ChartModel& model, std::uint32_t levels, const PointLabel& label) {
    static const auto colours = [] {
        std::array<QRgb, kTraces> c{};
        for (int k = 0; k < kTraces; ++k)
            c[static_cast<std::size_t>(k)] = traceColour(k);
        return c;
    }();
    model.appendLevels(levels, label, colours);
}

void appendRegisterCycle(ChartModel& model, std::int64_t cycle) {
    const PointLabel label = PointLabel::number(cycle + 1);
    model.appendPoint(0, static_cast<double>((cycle * 37) & 0xff), label, kRed);
    model.appendPoint(1, static_cast<double>(0xc0 | (cycle & 0x0f)), label, kLime);
    model.appendPoint(2, static_cast<double>(0x78 + ((cycle * 8) & 0x7f)), label, kAqua);
}

} // namespace voltarix::chart::demo
