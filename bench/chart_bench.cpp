// Storage, paint, append and repaint-rate figures of the chart toolkit, for the 17-trace chart
// of 800 x 400 pixels the analyser records into.
#include "demo_charts.h"

#include "chart/chart.h"
#include "chart/chart_renderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <array>
#include <map>
#include <memory>
#include <vector>

using namespace voltarix::chart;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 400;
constexpr int kPage = 40;
// Time-of-day labels change once a second; at 10,000 cycles a second that is a change every
// 10,000 cycles (a faster loop changes them less often per cycle).
constexpr std::int64_t kCyclesPerSecond = 10000;

QString timeText(std::int64_t cycle) {
    const std::int64_t s = cycle / kCyclesPerSecond;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600 % 24, 2, 10, QChar(u'0'))
        .arg(s / 60 % 60, 2, 10, QChar(u'0'))
        .arg(s % 60, 2, 10, QChar(u'0'));
}

std::unique_ptr<ChartModel> recording(std::int64_t cycles, bool timeLabels) {
    auto model = std::make_unique<ChartModel>();
    demo::setUpTraceChart(*model);
    QString text;
    for (std::int64_t c = 0; c < cycles; ++c) {
        const std::uint32_t levels = demo::sampleLevels(c);
        if (!timeLabels) {
            demo::appendTraceCycle(*model, levels, PointLabel::number(c + 1));
            continue;
        }
        if (c % kCyclesPerSecond == 0)
            text = timeText(c);
        demo::appendTraceCycle(*model, levels, PointLabel::text(text));
    }
    return model;
}

// Recordings are built once per size and shared by the paint benchmarks.
ChartModel& sharedRecording(std::int64_t cycles) {
    static std::map<std::int64_t, std::unique_ptr<ChartModel>> cache;
    auto& slot = cache[cycles];
    if (!slot)
        slot = recording(cycles, false);
    return *slot;
}

void BM_StorageBytesPerCycle(benchmark::State& state) {
    const bool timeLabels = state.range(0) != 0;
    constexpr std::int64_t cycles = 10'000'000;
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto model = recording(cycles, timeLabels);
        bytes = model->memoryBytes();
    }
    state.counters["bytes_per_cycle"] = static_cast<double>(bytes) / cycles;
    state.counters["total_MB"] = static_cast<double>(bytes) / 1e6;
    state.SetLabel(timeLabels ? "time-text labels" : "cycle-number labels");
}
BENCHMARK(BM_StorageBytesPerCycle)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

void paint(benchmark::State& state, ChartModel& model) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        ChartRenderer::render(model, painter, image.rect());
    }
}

// The newest page while following the recording: the axis shows the last 40 cycles.
void BM_PaintPageOf40(benchmark::State& state) {
    ChartModel& model = sharedRecording(state.range(0));
    model.setMaxPointsPerPage(kPage);
    model.setScaleLastPage(false);
    const double last = static_cast<double>(state.range(0) - 1);
    model.bottomAxis().setMinMax(last - (kPage - 1), last);
    paint(state, model);
}
BENCHMARK(BM_PaintPageOf40)->Arg(1000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_PaintAllPointsOnOnePage(benchmark::State& state) {
    ChartModel& model = sharedRecording(state.range(0));
    model.setMaxPointsPerPage(0);
    model.bottomAxis().setAutomatic(true);
    paint(state, model);
}
BENCHMARK(BM_PaintAllPointsOnOnePage)->Arg(1000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_PaintPageOf40In3D(benchmark::State& state) {
    ChartModel& model = sharedRecording(state.range(0));
    const double last = static_cast<double>(state.range(0) - 1);
    model.bottomAxis().setMinMax(last - (kPage - 1), last);
    model.setView3D(true);
    paint(state, model);
    model.setView3D(false);
}
BENCHMARK(BM_PaintPageOf40In3D)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Only the appends are measured: the levels come from a table made beforehand, and the
// colours are the trace chart's, unchanged from cycle to cycle as in a recording.
void BM_AppendCycleOf17Points(benchmark::State& state) {
    const bool timeLabels = state.range(0) != 0;
    ChartModel model;
    demo::setUpTraceChart(model);
    const QString text = QStringLiteral("12:34:56");
    std::vector<std::uint32_t> table(4096);
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = demo::sampleLevels(static_cast<std::int64_t>(c));
    std::array<QRgb, 17> colours;
    for (int k = 0; k < 17; ++k)
        colours[static_cast<std::size_t>(k)] = model.series(k).seriesColour().rgba();
    std::int64_t cycle = 0;
    for (auto _ : state) {
        const std::uint32_t levels = table[static_cast<std::size_t>(cycle) & 4095];
        if (timeLabels)
            model.appendLevels(levels, PointLabel::text(text), colours);
        else
            model.appendLevels(levels, PointLabel::number(cycle + 1), colours);
        ++cycle;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(timeLabels ? "time-text labels" : "cycle-number labels");
}
BENCHMARK(BM_AppendCycleOf17Points)->Arg(0)->Arg(1);

// The capture loop's shape: append a cycle, follow the newest cycle once the first page is
// full, handle pending events; the widget must repaint at screen rate, not per cycle.
void BM_PaintsWhileAppendingAtFullSpeed(benchmark::State& state) {
    const bool handleEvents = state.range(0) != 0;
    Chart chart;
    chart.resize(kWidth, kHeight);
    demo::setUpTraceChart(chart.model());
    chart.model().setMaxPointsPerPage(kPage);
    chart.show();
    QApplication::processEvents();
    std::int64_t cycles = 0;
    int paints = 0;
    double seconds = 0;
    for (auto _ : state) {
        const int before = chart.paintCount();
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 2000) {
            demo::appendTraceCycle(chart.model(), demo::sampleLevels(cycles),
                                   PointLabel::number(cycles + 1));
            ++cycles;
            if (cycles >= kPage) {
                chart.bottomAxis().setAutomatic(false);
                chart.bottomAxis().scroll(1);
            }
            if (handleEvents)
                QApplication::processEvents();
        }
        seconds = timer.elapsed() / 1000.0;
        paints = chart.paintCount() - before;
    }
    state.counters["paints_per_s"] = paints / seconds;
    state.counters["cycles_per_s"] = static_cast<double>(cycles) / seconds;
    state.SetLabel(handleEvents ? "events handled every cycle" : "no event handling");
}
BENCHMARK(BM_PaintsWhileAppendingAtFullSpeed)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
