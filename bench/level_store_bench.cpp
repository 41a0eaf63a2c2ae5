// The store of the 17 level traces side by side with the one-word-a-cycle store it replaced:
// bytes and nanoseconds per cycle for the simulated port's signals over 10^9 cycles and for every
// line toggling every cycle, and what painting a page costs at 10^9 cycles against 10^3. Then the
// whole recording as a capture keeps it, the level traces and the cycle times together, in bytes
// per cycle at the capture rates of the sampler.
#include "demo_charts.h"
#include "word_rows.h"

#include "chart/chart_model.h"
#include "chart/chart_renderer.h"
#include "chart/level_rows.h"
#include "diagram17/cycle_times.h"
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
// The rate the comparison with the store before runs at: the simulated port's counter, stepping
// every 10 ms, then changes every 3,000 cycles and a 1200-baud bit lasts 250 cycles.
constexpr std::int64_t kCyclesPerSecond = 300'000;
// The counter repeats every 160 ms and the serial frame every second: 4 s in all.
constexpr std::int64_t kPatternSeconds = 4;

// The 17 levels the capture loop reads at a cycle from the simulated port: the status lines
// from its signal source (pins 11, 10, 12, 13, 15 in traces 0 to 4, pin 11 inverted back), the
// control lines as a zero control register leaves them (pins 17, 14 and 1 high), data all low.
std::uint32_t simulatedLevels(std::int64_t cycle, std::int64_t cyclesPerSecond) {
    const std::chrono::nanoseconds t(cycle * 1'000'000'000 / cyclesPerSecond);
    const unsigned status = port::SignalSource::statusAt(t);
    std::uint32_t levels = (status & 0x80) ? 0u : 1u;
    for (int k = 1; k < 5; ++k)
        levels |= ((status >> (7 - k)) & 1u) << k;
    return levels | (1u << 5) | (1u << 7) | (1u << 8);
}

// The levels of one whole repeat of the simulated port's signals at a capture rate.
struct SimulatedPattern {
    std::int64_t cyclesPerSecond;
    std::vector<std::uint32_t> levels;

    std::uint32_t at(std::int64_t cycle) const {
        return levels[static_cast<std::size_t>(cycle % static_cast<std::int64_t>(levels.size()))];
    }
};

// The levels of a pattern for cycles asked in order, without a division for each: what the
// appends are timed with. Cycles asked out of order are looked up.
class PatternWalk {
public:
    explicit PatternWalk(const SimulatedPattern& pattern) : pattern_(&pattern) {}

    std::uint32_t operator()(std::int64_t cycle) {
        if (cycle != next_)
            index_ = static_cast<std::size_t>(cycle %
                                              static_cast<std::int64_t>(pattern_->levels.size()));
        next_ = cycle + 1;
        const std::uint32_t levels = pattern_->levels[index_];
        if (++index_ == pattern_->levels.size())
            index_ = 0;
        return levels;
    }

private:
    const SimulatedPattern* pattern_;
    std::int64_t next_ = 0;
    std::size_t index_ = 0;
};

const SimulatedPattern& simulatedPattern(std::int64_t cyclesPerSecond = kCyclesPerSecond) {
    static std::map<std::int64_t, SimulatedPattern> patterns;
    SimulatedPattern& pattern = patterns[cyclesPerSecond];
    if (pattern.levels.empty()) {
        pattern.cyclesPerSecond = cyclesPerSecond;
        pattern.levels.resize(static_cast<std::size_t>(kPatternSeconds * cyclesPerSecond));
        for (std::size_t c = 0; c < pattern.levels.size(); ++c)
            pattern.levels[c] = simulatedLevels(static_cast<std::int64_t>(c), cyclesPerSecond);
    }
    return pattern;
}

QString timeText(std::int64_t cycle, std::int64_t cyclesPerSecond = kCyclesPerSecond) {
    const std::int64_t s = cycle / cyclesPerSecond;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600 % 24, 2, 10, QChar(u'0'))
        .arg(s / 60 % 60, 2, 10, QChar(u'0'))
        .arg(s % 60, 2, 10, QChar(u'0'));
}

// The sampler's time stamp of a cycle at a steady rate: at 2,000,000 cycles a second the steps
// are 0 and 1 us in turn.
std::uint64_t timeUsOf(std::int64_t cycle, std::int64_t cyclesPerSecond) {
    return static_cast<std::uint64_t>(cycle * 1'000'000 / cyclesPerSecond);
}

// The same time stamps cycle after cycle, without a division for each.
class SteadyClock {
public:
    explicit SteadyClock(std::int64_t cyclesPerSecond) : cyclesPerSecond_(cyclesPerSecond) {}

    // The time of the current cycle; then moves to the next.
    std::uint64_t tick() {
        const std::uint64_t now = microseconds_;
        remainder_ += 1'000'000;
        while (remainder_ >= cyclesPerSecond_) {
            remainder_ -= cyclesPerSecond_;
            ++microseconds_;
        }
        return now;
    }

private:
    std::int64_t cyclesPerSecond_;
    std::int64_t remainder_ = 0;
    std::uint64_t microseconds_ = 0;
};

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
AppendTime appendCycles(Store& store, std::int64_t cycles, bool timeTexts, Levels levels,
                        std::int64_t cyclesPerSecond = kCyclesPerSecond) {
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
            text = timeText(c, cyclesPerSecond);
            untilNextText = cyclesPerSecond - 1;
        }
        store.append(levels(c), PointLabel::text(text), colours);
    }
    return {
        threadNanoseconds() - cpuStart,
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count()};
}

// Rows read back at random must be the ones appended.
template <typename Store, typename Levels>
bool readsBack(const Store& store, bool timeTexts, Levels levels,
               std::int64_t cyclesPerSecond = kCyclesPerSecond) {
    std::mt19937_64 rng(5);
    for (int i = 0; i < 20000; ++i) {
        const auto row =
            static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(store.size()));
        const QString label = timeTexts ? timeText(row, cyclesPerSecond) : QString::number(row + 1);
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
    const std::vector<std::uint32_t>& pattern = simulatedPattern().levels;
    measureStore<Store>(state, state.range(1) != 0, [&pattern](std::int64_t c) {
        return pattern[static_cast<std::size_t>(c % (kPatternSeconds * kCyclesPerSecond))];
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
        const SimulatedPattern& pattern = simulatedPattern();
        for (std::int64_t c = 0; c < cycles; ++c)
            demo::appendTraceCycle(*slot, pattern.at(c), PointLabel::number(c + 1));
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

// Passes every cycle to the time store, as the capture loop may (it must pass at least the
// first and last cycle of each run); returns the processor time it took.
template <typename Levels>
double recordTimes(diagram17::CycleTimes& times, std::int64_t cycles, std::int64_t cyclesPerSecond,
                   Levels levels) {
    SteadyClock clock(cyclesPerSecond);
    const double start = threadNanoseconds();
    for (std::int64_t c = 0; c < cycles; ++c)
        times.record(static_cast<std::uint64_t>(c), clock.tick(), levels(c));
    return threadNanoseconds() - start;
}

// The entries read back must carry the levels and time of their cycles, follow each other at
// most maxGap cycles apart, and start a change exactly where it happened.
template <typename Levels>
bool timesReadBack(const diagram17::CycleTimes& times, std::int64_t cyclesPerSecond,
                   Levels levels) {
    bool good = true;
    diagram17::CycleTimes::Entry before{};
    std::size_t count = 0;
    times.forEach([&](const diagram17::CycleTimes::Entry& entry) {
        const auto cycle = static_cast<std::int64_t>(entry.cycle);
        good = good && entry.levels == levels(cycle) &&
               entry.timeUs == timeUsOf(cycle, cyclesPerSecond);
        if (count++ > 0)
            good = good && entry.cycle - before.cycle <= diagram17::CycleTimes::maxGap &&
                   levels(cycle - 1) == before.levels;
        before = entry;
    });
    return good && count == times.size();
}

// The whole recording of a capture: the 17 level traces and the time of their cycles, in bytes
// per cycle, and the processor time of each store's appends.
template <typename Levels>
void measureRecording(benchmark::State& state, std::int64_t cycles, std::int64_t cyclesPerSecond,
                      bool timeTexts, Levels levels) {
    for (auto _ : state) {
        auto rows = std::make_unique<LevelRows>(kTraces);
        auto times = std::make_unique<diagram17::CycleTimes>();
        const AppendTime append =
            appendCycles(*rows, cycles, timeTexts, Levels(levels), cyclesPerSecond);
        const double record = recordTimes(*times, cycles, cyclesPerSecond, Levels(levels));
        const auto perCycle = [cycles](double value) {
            return value / static_cast<double>(cycles);
        };
        const auto levelBytes = static_cast<double>(rows->memoryBytes());
        const auto timeBytes = static_cast<double>(times->memoryBytes());
        state.counters["bytes_per_cycle"] = perCycle(levelBytes + timeBytes);
        state.counters["level_bytes_per_cycle"] = perCycle(levelBytes);
        state.counters["time_bytes_per_cycle"] = perCycle(timeBytes);
        state.counters["runs"] = static_cast<double>(rows->runCount());
        state.counters["time_entries"] = static_cast<double>(times->size());
        state.counters["append_cpu_ns_per_cycle"] = perCycle(append.cpu);
        state.counters["record_cpu_ns_per_cycle"] = perCycle(record);
        if (!readsBack(*rows, timeTexts, levels, cyclesPerSecond))
            state.SkipWithError("a row read back differs from the one appended");
        if (!timesReadBack(*times, cyclesPerSecond, levels))
            state.SkipWithError("the cycle times read back differ from the ones recorded");
    }
    state.SetLabel(timeTexts ? "time-text labels" : "cycle-number labels");
}

// Args: cycles, cycles a second, time-text labels.
void BM_WholeRecordingOfTheSimulatedPort(benchmark::State& state) {
    const SimulatedPattern& pattern = simulatedPattern(state.range(1));
    measureRecording(state, state.range(0), state.range(1), state.range(2) != 0,
                     PatternWalk(pattern));
}
BENCHMARK(BM_WholeRecordingOfTheSimulatedPort)
    ->ArgsProduct({{1'000'000'000}, {300'000, 1'000'000, 2'000'000}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_WholeRecordingOfEveryLineTogglingEveryCycle(benchmark::State& state) {
    measureRecording(state, state.range(0), state.range(1), state.range(2) != 0,
                     [](std::int64_t c) { return c % 2 ? 0x1ffffu : 0u; });
}
BENCHMARK(BM_WholeRecordingOfEveryLineTogglingEveryCycle)
    ->ArgsProduct({{10'000'000}, {1'000'000, 2'000'000}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
