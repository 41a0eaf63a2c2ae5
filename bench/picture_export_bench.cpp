// What a page export costs: the time a running capture is held while the 17-bit chart (the
// design size, 439 x 395) or the register chart is written as BMP or WMF, for a page of 40
// cycles and for a view of a whole long recording.
#include "demo_charts.h"

#include "chart/chart.h"
#include "pictures/export/chart_picture.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace voltarix;

namespace {

std::unique_ptr<chart::Chart> traceChart(std::int64_t cycles, int page) {
    auto chart = std::make_unique<chart::Chart>();
    chart->resize(439, 395);
    chart::demo::setUpTraceChart(chart->model());
    chart->model().setMaxPointsPerPage(page);
    for (std::int64_t c = 0; c < cycles; ++c)
        chart::demo::appendTraceCycle(chart->model(), chart::demo::sampleLevels(c),
                                      chart::PointLabel::number(c + 1));
    return chart;
}

std::unique_ptr<chart::Chart> registerChart() {
    auto chart = std::make_unique<chart::Chart>();
    chart->resize(434, 89);
    chart::demo::setUpRegisterChart(chart->model());
    for (std::int64_t c = 0; c < 200; ++c)
        chart::demo::appendRegisterCycle(chart->model(), c);
    return chart;
}

void exportChart(benchmark::State& state, const chart::Chart& chart,
                 pictures::PictureFormat format) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page"));
    for (auto _ : state)
        pictures::saveChartPicture(chart, file, format);
    state.counters["bytes"] = static_cast<double>(QFileInfo(file).size());
}

// arg 0: cycles recorded; arg 1: 0 for a 40-cycle page, 1 for the whole recording in view.
void BM_TraceChart(benchmark::State& state, pictures::PictureFormat format) {
    static std::map<std::pair<std::int64_t, std::int64_t>, std::unique_ptr<chart::Chart>> charts;
    auto& chart = charts[{state.range(0), state.range(1)}];
    if (!chart)
        chart = traceChart(state.range(0), state.range(1) == 0 ? 40 : 0);
    exportChart(state, *chart, format);
}

void BM_RegisterChart(benchmark::State& state, pictures::PictureFormat format) {
    static const auto chart = registerChart();
    exportChart(state, *chart, format);
}

BENCHMARK_CAPTURE(BM_TraceChart, bmp, pictures::PictureFormat::Bitmap)
    ->Args({1000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TraceChart, wmf, pictures::PictureFormat::Metafile)
    ->Args({1000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegisterChart, bmp, pictures::PictureFormat::Bitmap)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegisterChart, wmf, pictures::PictureFormat::Metafile)
    ->Unit(benchmark::kMillisecond);

} // namespace
