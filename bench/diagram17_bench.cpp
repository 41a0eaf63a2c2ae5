// Speed and memory of the 17-bit capture loop on the simulated port, side by
// side with what the chart alone takes in the same run.
//
//   diagram17_bench                    rates and the per-cycle breakdown
//   diagram17_bench --memory [cycles]  memory per cycle over a fresh recording
//                                      of 10^7 cycles (or as many as given)
//
// Set-up as the targets are stated: 17 traces visible, 40 cycles a page,
// follow mode on, speed 0, offscreen.

#include "app/application_look.h"
#include "app/main_window.h"
#include "capture/port_level_reader.h"
#include "chart/chart.h"
#include "diagram17/capture_loop.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/diagram17.h"
#include "diagram17/trace_layout.h"
#include "panel/pin_model.h"
#include "panel/port_panel.h"
#include "port/simulated/simulated_platform.h"
#include "ui/message_service.h"
#include "ui/spin_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

using namespace voltarix;

namespace {

constexpr int kRunMs = 2000;
constexpr int kPartCycles = 1'000'000;

class YesMessages : public ui::MessageService {
public:
    void showPlain(QWidget*, const QString&, const QString&) override {}
    void showInformation(QWidget*, const QString&, const QString& text) override {
        std::printf("box: %s\n", text.toUtf8().constData());
    }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
    void showError(const QString& text) override {
        std::printf("error: %s\n", text.toUtf8().constData());
    }
};

// The machine is shared: rates are given per second of this thread's own
// processor time as well as per second of wall time.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Rate {
    double wall = 0; // cycles per wall second
    double cpu = 0;  // cycles per processor second
};

long residentKib() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

struct Bench {
    YesMessages messages;
    app::TForm1 window{std::make_unique<port::SimulatedPlatform>(), messages};
    diagram17::Diagram17& d17 = window.diagram17();

    template <typename T> T* find(const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    void setUp() {
        window.resize(1024, 768);
        window.show();
        for (int i = 0; i < 20; ++i)
            QApplication::processEvents();
        find<ui::SpinEdit>("SpinEdit1")->setText("40");
        find<QCheckBox>("CheckBox6")->click(); // unlimited: the bench stops the runs
    }

    // One run of the real loop, started by the start button and stopped by
    // the stop button after kRunMs; cycles per second.
    Rate run(const char* modeButton) {
        find<QRadioButton>(modeButton)->click();
        const std::int64_t before = d17.counter().value();
        QElapsedTimer timer;
        QTimer::singleShot(kRunMs, &window, [this] { find<QToolButton>("SpeedButton8")->click(); });
        timer.start();
        const double cpuStart = threadSeconds();
        find<QToolButton>("SpeedButton7")->click();
        const double cpu = threadSeconds() - cpuStart;
        const double seconds = timer.nsecsElapsed() / 1e9;
        const auto cycles = static_cast<double>(d17.counter().value() - before);
        return {cycles / seconds, cycles / cpu};
    }

    void memoryRun(std::int64_t cycles) {
        find<QRadioButton>("RadioButton4")->click();
        const long rssBefore = residentKib();
        const std::size_t chartBefore = d17.chart2().model().memoryBytes();
        const std::int64_t start = d17.counter().value();
        // The count fields hold at most 100000 cycles: an unlimited run is
        // stopped from its event handling once it has recorded enough.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (d17.counter().value() - start >= cycles)
                find<QToolButton>("SpeedButton8")->click();
        });
        watch.start(0);
        QElapsedTimer timer;
        timer.start();
        find<QToolButton>("SpeedButton7")->click();
        watch.stop();
        const double seconds = timer.nsecsElapsed() / 1e9;
        const std::int64_t recorded = d17.counter().value() - start;
        const long rssAfter = residentKib();
        const std::size_t chartAfter = d17.chart2().model().memoryBytes();
        std::printf("memory run: %lld cycles in %.1f s (%.0f cycles/s)\n",
                    static_cast<long long>(recorded), seconds, recorded / seconds);
        std::printf("  chart storage: %.2f bytes/cycle\n",
                    static_cast<double>(chartAfter - chartBefore) / recorded);
        std::printf("  process RSS growth: %.2f bytes/cycle (%ld KiB)\n",
                    (rssAfter - rssBefore) * 1024.0 / recorded, rssAfter - rssBefore);
    }
};

// The chart alone, as the chart toolkit's own benchmark drives it: a whole
// cycle appended, the axis scrolled once the first page is full, events
// handled every cycle.
Rate chartOnlyRate() {
    chart::Chart chart;
    chart.resize(439, 395);
    diagram17::setUpChart2(chart);
    chart.model().setMaxPointsPerPage(40);
    chart.show();
    QApplication::processEvents();
    std::int64_t cycles = 0;
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = threadSeconds();
    while (timer.elapsed() < kRunMs) {
        const auto levels = static_cast<std::uint32_t>(cycles * 2654435761u) & 0x1FFFF;
        chart.appendLevels(levels, chart::PointLabel::number(cycles + 1),
                           diagram17::pointColours());
        ++cycles;
        if (cycles >= 40) {
            chart.bottomAxis().setAutomatic(false);
            chart.bottomAxis().scroll(1);
        }
        QApplication::processEvents();
    }
    const double cpu = threadSeconds() - cpuStart;
    return {static_cast<double>(cycles) / (timer.nsecsElapsed() / 1e9),
            static_cast<double>(cycles) / cpu};
}

// Processor time per call, in nanoseconds: the best of three rounds, since
// other work on a shared machine only ever adds.
template <typename Work> double nanosecondsPer(int count, Work work) {
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        const double start = threadSeconds();
        for (int i = 0; i < count; ++i)
            work(i);
        best = std::min(best, (threadSeconds() - start) * 1e9 / count);
    }
    return best;
}

void breakdown(Bench& bench) {
    volatile std::uint32_t sink = 0;
    capture::PortLevelReader& reader = bench.d17.reader();
    const double reads = nanosecondsPer(kPartCycles, [&](int) { sink = reader.readLevels(); });
    reader.setCoherent(true);
    const double coherentReads =
        nanosecondsPer(kPartCycles, [&](int) { sink = reader.readLevels(); });
    reader.setCoherent(false);

    chart::Chart chart;
    diagram17::setUpChart2(chart);
    chart.model().setMaxPointsPerPage(40);
    const double appends = nanosecondsPer(kPartCycles, [&](int i) {
        chart.appendLevels(static_cast<std::uint32_t>(i) & 0x1FFFF,
                           chart::PointLabel::number(i + 1), diagram17::pointColours());
        chart.bottomAxis().setAutomatic(false);
        chart.bottomAxis().scroll(1);
    });

    // A whole cycle's logic on the real window: counter and limit check,
    // gauge, follow check, label, appends, scroll; the reads are the sampler's.
    bench.window.setCaptureStopFlag(false);
    const double cycle = nanosecondsPer(kPartCycles, [&](int i) {
        bench.d17.loop().recordCycle(static_cast<std::uint32_t>(i) & 0x1FFFF);
    });
    const double events = nanosecondsPer(kPartCycles, [&](int) { QApplication::processEvents(); });
    bench.window.setCaptureStopFlag(true);

    std::printf("per-cycle breakdown (ns):\n");
    std::printf("  sampler: 17 pin reads                 %7.1f\n", reads);
    std::printf("  sampler: 3 register reads (coherent)  %7.1f\n", coherentReads);
    std::printf("  appends of 17 points + follow scroll  %7.1f\n", appends);
    std::printf("  counter, limit, gauge, follow, label  %7.1f  (the rest, within noise)\n",
                std::max(0.0, cycle - appends));
    std::printf("  whole cycle of the loop, no events    %7.1f\n", cycle);
    std::printf("  event handling (processEvents)        %7.1f\n", events);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::applyApplicationLook(app);
    const bool memoryOnly = argc > 1 && std::string(argv[1]) == "--memory";
    const std::int64_t memoryCycles = argc > 2 ? std::atoll(argv[2]) : 10'000'000;

    Bench bench;
    bench.setUp();
    // In a process of its own, so that memory freed by other runs cannot
    // hide the recording's growth.
    if (memoryOnly) {
        bench.memoryRun(memoryCycles);
        return 0;
    }
    const Rate chartOnly = chartOnlyRate();
    const Rate normal = bench.run("RadioButton4");
    const Rate fast = bench.run("RadioButton5");
    const Rate oneTrace = bench.run("RadioButton6");
    std::printf("cycles per second              wall       cpu   (cpu ratio)\n");
    std::printf("chart only                %9.0f %9.0f\n", chartOnly.wall, chartOnly.cpu);
    std::printf("\"Нормальный\"              %9.0f %9.0f   %.2f x chart only\n", normal.wall,
                normal.cpu, normal.cpu / chartOnly.cpu);
    std::printf("\"Скоростной\"              %9.0f %9.0f   Нормальный = %.2f x this\n", fast.wall,
                fast.cpu, normal.cpu / fast.cpu);
    std::printf("\"Средн + цикл\"            %9.0f %9.0f\n", oneTrace.wall, oneTrace.cpu);
    breakdown(bench);
    return 0;
}
