// Time and memory of the change dump export of a 10^7-cycle recording (or as
// many cycles as given), for two recordings: the simulated port's lines at a
// microsecond a cycle (few changes), and a line changing at every cycle (the
// most a recording can hold).
//
//   vcd_export_bench [cycles] [folder]

#include "bench/silent_messages.h"
#include "diagram17/cycle_times.h"
#include "diagram17/vcd_export.h"
#include "port/simulated/signal_source.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

using namespace voltarix;

namespace {

using bench::SilentMessages;

long statusKib(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == field) {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// Starts a new peak of the resident set from what is resident now.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

template <typename Levels>
void exportCase(const char* name, std::uint64_t cycles, Levels levelsAt, const QString& path) {
    diagram17::CycleTimes times;
    for (std::uint64_t cycle = 0; cycle < cycles; ++cycle)
        times.record(cycle, 1'000'000 + cycle, levelsAt(cycle));
    SilentMessages messages;
    diagram17::VcdExport exporter(times, messages, nullptr);
    resetPeak();
    const long before = statusKib("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    exporter.writeFile(path);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const long peak = statusKib("VmHWM:");
    std::printf("%s: %llu cycles, %zu entries (%.1f MiB), file %.1f MiB\n", name,
                static_cast<unsigned long long>(cycles), times.size(),
                times.memoryBytes() / 1048576.0, QFileInfo(path).size() / 1048576.0);
    std::printf("  export %.3f s, peak memory during export +%ld KiB over %ld KiB resident\n",
                seconds, peak - before, before);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::uint64_t cycles = argc > 1 ? std::stoull(argv[1]) : 10'000'000;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/tmp");

    exportCase(
        "simulated port", cycles,
        [](std::uint64_t cycle) {
            const std::chrono::nanoseconds at = std::chrono::microseconds(cycle);
            return static_cast<std::uint32_t>(port::SignalSource::statusAt(at) >> 3);
        },
        folder + QStringLiteral("/bench_sim.vcd"));
    exportCase(
        "a change every cycle", cycles,
        [](std::uint64_t cycle) {
            return static_cast<std::uint32_t>((cycle * 2654435761u) >> 7) & 0x1FFFF;
        },
        folder + QStringLiteral("/bench_every.vcd"));
    return 0;
}
