// The store of the 17 level traces side by side with the one-word-a-cycle store it replaced:
// bytes and nanoseconds per cycle for the simulated port's signals over 10^9 cycles and for every
// line toggling every cycle, and what painting a page costs at 10^9 cycles against 10^3.
#include "demo_charts.h"
#include "word_rows.h"

#include "chart/chart_model.h"
#include "chart/chart_renderer.h"
#include "chart/level_rows.h"
#include "port/simulated/signal_source.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <time.h>
#include <unistd.h>
#include <vector>

using namespace voltarix;
using namespace voltarix::chart;

namespace {

constexpr int kTraces = 17;
// The capture loop's target rate: the simulated port's counter, stepping every 10 ms, then
// changes every 3,000 cycles and a 1200-baud bit lasts 250 cycles.
constexpr std::int64_t kCyclesPerSecond = 300'000;
// The counter repeats every 160 ms and the serial frame every second: 4 s in all.
constexpr std::int64_t kPatternCycles = 4 * kCyclesPerSecond;

// The 17 levels the capture loop reads at a cycle from the simulated port: the status lines
// from its signal source (pins 11, 10, 12, 13, 15 in traces 0 to 4, pin 11 inverted back), the
// control lines as a zero control register leaves them (pins 17, 14 and 1 high), data all low.
std::uint32_t simulatedLevels(std::int64_t cycle) {
    const std::chrono::nanoseconds t(cycle * 1'000'000'000 / kCyclesPerSecond);
    const unsigned status = port::SignalSource::statusAt(t);
    std::uint32_t levels = (status & 0x80) ? 0u : 1u;
    for (int k = 1; k < 5; ++k)
        levels |= ((status >> (7 - k)) & 1u) << k;
    return levels | (1u << 5) | (1u << 7) | (1u << 8);
}

const std::vector<std::uint32_t>& simulatedPattern() {
    static const std::vector<std::uint32_t> pattern = [] {
        std::vector<std::uint32_t> p(static_cast<std::size_t>(kPatternCycles));
        for (std::int64_t c = 0; c < kPatternCycles; ++c)
            p[static_cast<std::size_t>(c)] = simulatedLevels(c);
        return p;
    }();
    return pattern;
}

QString timeText(std::int64_t cycle) {
    const std::int64_t s = cycle / kCyclesPerSecond;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600 % 24, 2, 10, QChar(u'0'))
        .arg(s / 60 % 60, 2, 10, QChar(u'0'))
        .arg(s % 60, 2, 10, QChar(u'0'));
}

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

const std::array<QRgb, kTraces>& traceColours() {
    static const std::array<QRgb, kTraces> colours = [] {
        std::array<QRgb, kTraces> c{};
        for (int k = 0; k < kTraces; ++k)
            c[static_cast<std::size_t>(k)] = k < 5 ? 0xff00ffff : k < 9 ? 0xffffff00 : 0xff00ff00;
        return c;
    }();
    return colours;
}

// The processor time this thread has used: the machine is shared, and wall time counts what
// others run too.
double threadNanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

struct AppendTime {
    double cpu = 0;
    double wall = 0;
};

// Appends `cycles` rows, levels(cycle) giving each row's levels, with cycle numbers or with
// time texts that change once a second; returns the nanoseconds the appends took.
template <typename Store, typename Levels>
AppendTime appendCycles(Store& store, std::int64_t cycles, bool timeTexts, Levels levels) {
    const QRgb* colours = traceColours().data();
    QString text;
    std::int64_t untilNextText = 0;
    const double cpuStart = threadNanoseconds();
    const auto start = std::chrono::steady_clock::now();
    for (std::int64_t c = 0; c < cycles; ++c) {
        if (!timeTexts) {
            store.append(levels(c), PointLabel::number(c + 1), colours);
            continue;
        }
        if (untilNextText-- == 0) {
            text = timeText(c);
            untilNextText = kCyclesPerSecond - 1;
        }
        store.append(levels(c), PointLabel::text(text), colours);
    }
    return {
        threadNanoseconds() - cpuStart,
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count()};
}

// Rows read back at random must be the ones appended.
template <typename Store, typename Levels>
bool readsBack(const Store& store, bool timeTexts, Levels levels) {
    std::mt19937_64 rng(5);
    for (int i = 0; i < 20000; ++i) {
        const auto row =
            static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(store.size()));
        const QString label = timeTexts ? timeText(row) : QString::number(row + 1);
        if (store.levels(row) != levels(row) || store.label(row) != label)
            return false;
    }
    return true;
}

template <typename Store, typename Levels>
void measureStore(benchmark::State& state, bool timeTexts, Levels levels) {
    const std::int64_t cycles = state.range(0);
    for (auto _ : state) {
        const double rssBefore = residentMegabytes();
        auto store = std::make_unique<Store>(kTraces);
        const AppendTime ns = appendCycles(*store, cycles, timeTexts, levels);
        state.counters["cpu_ns_per_cycle"] = ns.cpu / static_cast<double>(cycles);
        state.counters["wall_ns_per_cycle"] = ns.wall / static_cast<double>(cycles);
        state.counters["bytes_per_cycle"] =
            static_cast<double>(store->memoryBytes()) / static_cast<double>(cycles);
        state.counters["held_MB"] = static_cast<double>(store->memoryBytes()) / 1e6;
        state.counters["rss_growth_MB"] = residentMegabytes() - rssBefore;
        if (!readsBack(*store, timeTexts, levels))
            state.SkipWithError("a row read back differs from the one appended");
    }
    state.SetLabel(timeTexts ? "time-text labels" : "cycle-number labels");
}

template <typename Store> void BM_SimulatedPort(benchmark::State& state) {
    const std::vector<std::uint32_t>& pattern = simulatedPattern();
    measureStore<Store>(state, state.range(1) != 0, [&pattern](std::int64_t c) {
        return pattern[static_cast<std::size_t>(c % kPatternCycles)];
    });
}
// 5 * 10^9 cycles: row indexes past 2^32, read back at random rows.
BENCHMARK_TEMPLATE(BM_SimulatedPort, LevelRows)
    ->Args({1'000'000'000, 0})
    ->Args({1'000'000'000, 1})
    ->Args({5'000'000'000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_SimulatedPort, WordRows)
    ->Args({1'000'000'000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The worst case: every line changes at every cycle.
template <typename Store> void BM_EveryLineTogglingEveryCycle(benchmark::State& state) {
    measureStore<Store>(state, state.range(1) != 0,
                        [](std::int64_t c) { return c % 2 ? 0x1ffffu : 0u; });
}
BENCHMARK_TEMPLATE(BM_EveryLineTogglingEveryCycle, LevelRows)
    ->Args({10'000'000, 0})
    ->Args({10'000'000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_EveryLineTogglingEveryCycle, WordRows)
    ->Args({10'000'000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Recordings of the simulated port's signals in the trace chart, built once per length.
ChartModel& simulatedRecording(std::int64_t cycles) {
    static std::map<std::int64_t, std::unique_ptr<ChartModel>> cache;
    auto& slot = cache[cycles];
    if (!slot) {
        slot = std::make_unique<ChartModel>();
        demo::setUpTraceChart(*slot);
        const std::vector<std::uint32_t>& pattern = simulatedPattern();
        std::int64_t i = 0;
        for (std::int64_t c = 0; c < cycles; ++c) {
            demo::appendTraceCycle(*slot, pattern[static_cast<std::size_t>(i)],
                                   PointLabel::number(c + 1));
            if (++i == kPatternCycles)
                i = 0;
        }
    }
    return *slot;
}

void paint(benchmark::State& state, const ChartModel& model) {
    QImage image(800, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        ChartRenderer::render(model, painter, image.rect());
    }
}

// The newest page while following the recording: the axis shows the last 40 cycles.
void BM_PaintNewestPageOf40(benchmark::State& state) {
    ChartModel& model = simulatedRecording(state.range(0));
    model.setMaxPointsPerPage(40);
    const double last = static_cast<double>(state.range(0) - 1);
    model.bottomAxis().setMinMax(last - 39, last);
    paint(state, model);
}
BENCHMARK(BM_PaintNewestPageOf40)->Arg(1000)->Arg(1'000'000'000)->Unit(benchmark::kMillisecond);

void BM_PaintAllPointsOnOnePage(benchmark::State& state) {
    ChartModel& model = simulatedRecording(state.range(0));
    model.setMaxPointsPerPage(0);
    model.bottomAxis().setAutomatic(true);
    paint(state, model);
}
BENCHMARK(BM_PaintAllPointsOnOnePage)->Arg(1000)->Arg(1'000'000'000)->Unit(benchmark::kMillisecond);

} // namespace
