// Protocol decoding of the 17-bit recording: its speed, its memory, and what it costs a
// running capture.
//
//   decode_bench [cycles]          UART on pin 15 (1200 baud) over a recording of the
//                                  simulated port of 10^8 cycles (or as many as given),
//                                  built as the capture keeps it at 3 million cycles a
//                                  second: cycles decoded a second, the annotation store's
//                                  memory
//   decode_bench --capture-cost    the real window capturing the simulated port, with and
//                                  without the decoder following it: cycles a second

#include "app/main_window.h"
#include "decode/decode_worker.h"
#include "decode/decoder_catalog.h"
#include "decode/stack_text.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/cycle_times.h"
#include "diagram17/decoding/recording_source.h"
#include "diagram17/diagram17.h"
#include "diagram17/vcd_writer.h"
#include "port/connector_pins.h"
#include "port/simulated/signal_source.h"
#include "port/simulated/simulated_platform.h"
#include "ui/message_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace voltarix;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const decode::DecoderCatalog& catalog() {
    const decode::Result<const decode::DecoderCatalog*> loaded = decode::DecoderCatalog::load();
    if (!loaded) {
        std::fprintf(stderr, "%s\n", loaded.error().c_str());
        std::exit(1);
    }
    return *loaded.value();
}

decode::DecodeSettings uartOnPin15() {
    decode::DecodeSettings settings;
    decode::Result<decode::StackSetup> stack =
        decode::parseStackText(catalog(), "uart:rx=15:baudrate=1200:format=ascii");
    settings.stacks = {stack.value()};
    return settings;
}

// The trace-order levels of every status register value, the other lines as the kernel
// leaves them (control 0x0C) and the data lines low.
std::array<std::uint32_t, 256> levelsOfStatus() {
    std::array<std::uint32_t, 256> table{};
    for (int status = 0; status < 256; ++status) {
        std::uint32_t levels = 0;
        for (int trace = 0; trace < diagram17::VcdWriter::lineCount; ++trace) {
            const port::PinLine line = port::pinLine(diagram17::VcdWriter::pinOfTrace(trace));
            const auto value = static_cast<std::uint8_t>(line.regOffset == port::RegStatus ? status
                                                         : line.regOffset == port::RegControl ? 0x0C
                                                                                              : 0);
            if (port::pinLevel(line, value))
                levels |= 1u << trace;
        }
        table[static_cast<std::size_t>(status)] = levels;
    }
    return table;
}

// Every cycle passed to the cycle times, as the capture loop does, one every 1/3 us.
void buildRecording(diagram17::CycleTimes& times, std::uint64_t cycles) {
    const auto table = levelsOfStatus();
    constexpr std::uint64_t kStartNs = 5'000'000'000'000;
    for (std::uint64_t cycle = 0; cycle < cycles; ++cycle) {
        const std::uint64_t ns = cycle * 1000 / 3;
        const std::uint8_t status = port::SignalSource::statusAt(std::chrono::nanoseconds(ns));
        times.record(cycle, (kStartNs + ns) / 1000, table[status]);
    }
}

int decodeRate(std::uint64_t cycles) {
    diagram17::CycleTimes times;
    Clock::time_point start = Clock::now();
    buildRecording(times, cycles);
    std::printf("recording: %llu cycles (%.1f s at 3 M cycles/s), %zu entries, %.1f MB, built "
                "in %.1f s\n",
                static_cast<unsigned long long>(cycles), static_cast<double>(cycles) / 3e6,
                times.size(), static_cast<double>(times.memoryBytes()) / 1e6, secondsSince(start));

    diagram17::CycleTimesSource source(times);
    decode::DecodeWorker worker(catalog());
    decode::DecodeSettings settings = uartOnPin15();
    settings.niceness = 0;
    start = Clock::now();
    worker.start(source, settings);
    worker.finishRecording();
    while (!worker.waitFinished(std::chrono::seconds(5)))
        std::printf("  ... %llu cycles\n", static_cast<unsigned long long>(worker.cycleReached()));
    const double seconds = secondsSince(start);
    const decode::AnnotationStore& store = worker.annotations();
    std::string text;
    for (std::size_t i = 0; i < store.size(); ++i) {
        if (store[i].annotationClass == 0)
            text += store[i].text();
    }
    std::size_t frames = 0;
    for (std::size_t at = text.find("VOLTARIX"); at != std::string::npos;
         at = text.find("VOLTARIX", at + 1))
        ++frames;
    const double samples =
        static_cast<double>(cycles) * static_cast<double>(worker.sampleRateHz()) / 3e6;
    std::printf("UART on pin 15 at %llu samples/s: %.2f s, %.3g cycles/s (%.3g samples/s)\n",
                static_cast<unsigned long long>(worker.sampleRateHz()), seconds,
                static_cast<double>(cycles) / seconds, samples / seconds);
    std::printf("  %zu annotations, \"VOLTARIX\" %zu times, store %.1f KB (%.0f bytes an "
                "annotation)\n",
                store.size(), frames, static_cast<double>(store.memoryBytes()) / 1e3,
                store.empty()
                    ? 0.0
                    : static_cast<double>(store.memoryBytes()) / static_cast<double>(store.size()));
    for (const decode::DecodeError& error : worker.takeErrors())
        std::printf("  error: %s\n", error.message.c_str());
    return 0;
}

class QuietMessages : public ui::MessageService {
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

// Cycles a second of one 2 s run of the real capture loop, with the decoder following the
// recording or not.
double captureRate(app::TForm1& window, bool decoding, std::size_t& annotations) {
    diagram17::Diagram17& d17 = window.diagram17();
    diagram17::CycleTimesSource source(d17.cycleTimes());
    decode::DecodeWorker worker(catalog());
    if (decoding)
        worker.start(source, uartOnPin15());
    const std::int64_t before = d17.counter().value();
    auto* stop = window.findChild<QToolButton*>(QStringLiteral("SpeedButton8"));
    QTimer::singleShot(2000, stop, [stop] { stop->click(); });
    QElapsedTimer elapsed;
    elapsed.start();
    window.findChild<QToolButton*>(QStringLiteral("SpeedButton7"))->click();
    const double rate = static_cast<double>(d17.counter().value() - before) /
                        (static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
    if (decoding) {
        worker.finishRecording();
        worker.waitFinished(std::chrono::minutes(2));
        annotations = worker.annotations().size();
    }
    return rate;
}

int captureCost(int argc, char** argv) {
    QApplication application(argc, argv);
    QuietMessages messages;
    app::TForm1 window(std::make_unique<port::SimulatedPlatform>(), messages);
    window.resize(1024, 768);
    window.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->click(); // "Неограничено"
    catalog();
    std::vector<double> without;
    std::vector<double> with;
    for (int round = 0; round < 3; ++round) {
        std::size_t annotations = 0;
        without.push_back(captureRate(window, false, annotations));
        with.push_back(captureRate(window, true, annotations));
        std::printf("round %d: %.3g cycles/s alone, %.3g with UART decoding (%zu annotations)\n",
                    round + 1, without.back(), with.back(), annotations);
    }
    std::sort(without.begin(), without.end());
    std::sort(with.begin(), with.end());
    std::printf("median: %.3g cycles/s alone, %.3g decoding: %+.1f %%\n", without[1], with[1],
                (with[1] / without[1] - 1) * 100);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--capture-cost") == 0)
        return captureCost(argc, argv);
    const std::uint64_t cycles = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100'000'000;
    return decodeRate(cycles);
}
