#include "sample_charts.h"

#include <array>

namespace voltarix::testkit {

namespace {

constexpr int traceCount = 17;

QRgb traceColour(int trace) {
    if (trace < 5)
        return 0xff00ffff;
    return trace < 9 ? 0xffffff00 : 0xff00ff00;
}

} // namespace

std::unique_ptr<chart::Chart> makeTraceChart(int cycles, QSize size) {
    auto chart = std::make_unique<chart::Chart>();
    chart->setObjectName(QStringLiteral("Chart2"));
    chart->resize(size);
    chart::ChartModel& model = chart->model();
    model.setBackColour(Qt::black);
    model.setFrameColour(QColor(212, 208, 200));
    model.setGridColour(QColor(70, 70, 70));
    model.leftAxis().setMinMax(0, 70);
    model.leftAxis().setVisible(false);
    model.bottomAxis().setIncrement(10);
    model.setMaxPointsPerPage(40);
    model.setScaleLastPage(false);
    std::array<chart::TraceLevels, traceCount> traces;
    for (int k = 0; k < traceCount; ++k)
        traces[static_cast<std::size_t>(k)] = {QStringLiteral("Series%1").arg(k + 4), 4.0 * k + 1,
                                               4.0 * k + 3};
    model.addLevelTraces(traces);
    std::array<QRgb, traceCount> colours{};
    for (int k = 0; k < traceCount; ++k)
        colours[static_cast<std::size_t>(k)] = traceColour(k);
    for (int c = 0; c < cycles; ++c) {
        const auto levels =
            static_cast<std::uint32_t>((c & 0xff) << 9 | ((c / 3) & 1) << 8 | ((c / 10) & 1));
        model.appendLevels(levels, chart::PointLabel::number(c + 1), colours);
    }
    return chart;
}

std::unique_ptr<chart::Chart> makeRegisterChart(int cycles, QSize size) {
    auto chart = std::make_unique<chart::Chart>();
    chart->setObjectName(QStringLiteral("Chart1"));
    chart->resize(size);
    chart::ChartModel& model = chart->model();
    model.setBackColour(Qt::white);
    model.setFrameColour(QColor(212, 208, 200));
    model.leftAxis().setMinMax(0, 256);
    model.bottomAxis().setMinMax(0, 25);
    model.setMaxPointsPerPage(25);
    model.setScaleLastPage(false);
    model.setView3D(true);
    model.setChart3DPercent(50);
    chart::View3DOptions view;
    view.rotation = 346;
    view.elevation = 342;
    view.perspective = 15;
    view.orthogonal = true;
    view.zoomScalesText = false;
    model.setView3DOptions(view);
    for (int s = 0; s < 3; ++s)
        model.addSeries(chart::SeriesKind::Bar, QStringLiteral("Series%1").arg(s + 1));
    for (int c = 0; c < cycles; ++c) {
        const chart::PointLabel label = chart::PointLabel::number(c + 1);
        model.appendPoint(0, (c * 37) & 0xff, label, 0xffff0000);
        model.appendPoint(1, 0xc0 | (c & 0x0f), label, 0xff00ff00);
        model.appendPoint(2, 0x78 + ((c * 8) & 0x7f), label, 0xff00ffff);
    }
    return chart;
}

} // namespace voltarix::testkit
