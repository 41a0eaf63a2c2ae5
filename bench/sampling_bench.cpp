// The sampler alone on the simulated port, then captures of the real window
// over it, read back by a tool no one here wrote: for each way of reading the
// port and each serial rate, the
// window records for a while with "Неограничено", repainting as it does for
// a user, then the recording is exported as a value change dump and sigrok's
// UART decoder reads the text of pin 15 from it.
//
//   sampling_bench [seconds] [baud,baud,...] [17|3|both]
//
// Reported per capture: samples a second the sampler took and cycles a
// second the window recorded, the spacing of consecutive samples (p50, p99,
// p99.9, p99.99, maximum), the time the sampler missed, how many whole
// serial frames decode against how many the capture held, and for the
// coherent reads whether the counter on pins 13, 12, 10, 11 stepped by
// exactly one every time. Run it under Xvfb (DISPLAY set) for a window that
// paints as it does on a screen; without a display it runs offscreen.

#include "silent_messages.h"

#include "app/application_look.h"
#include "app/main_window.h"
#include "capture/port_level_reader.h"
#include "capture/sampler.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/cycle_times.h"
#include "diagram17/diagram17.h"
#include "diagram17/sampling_gaps.h"
#include "diagram17/vcd_export.h"
#include "port/lpt_port_connection.h"
#include "port/simulated/signal_source.h"
#include "port/simulated/simulated_platform.h"
#include "ui/click_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

using namespace voltarix;

namespace {

struct Capture {
    double seconds = 0;
    std::uint64_t samples = 0;
    std::int64_t cycles = 0;
    capture::SpacingHistogram spacing;
    std::uint64_t gaps = 0;
    std::uint64_t longestGapNs = 0;
    std::uint64_t fullWaits = 0;
    bool realtime = false;
    bool relay = false;
    int framesHeld = 0;
    int framesDecoded = 0;
    std::int64_t counterSteps = 0;
    std::int64_t counterMissteps = 0;
};

// The 4-bit counter of the simulated port from the recorded lines: pin 13 is
// its bit 0, pin 12 bit 1, pin 10 bit 2, pin 11 bit 3 (traces 3, 2, 1, 0).
unsigned counterOf(std::uint32_t levels) {
    return ((levels >> 3) & 1u) | ((levels >> 2) & 1u) << 1 | ((levels >> 1) & 1u) << 2 |
           (levels & 1u) << 3;
}

void countCounterSteps(const diagram17::CycleTimes& times, Capture& result) {
    bool first = true;
    unsigned last = 0;
    times.forEach([&](const diagram17::CycleTimes::Entry& entry) {
        const unsigned value = counterOf(entry.levels);
        if (!first && value != last) {
            ++result.counterSteps;
            if (value != ((last + 1) & 0x0F))
                ++result.counterMissteps;
        }
        first = false;
        last = value;
    });
}

int decodedFrames(const QString& path, int baud) {
    QProcess sigrok;
    sigrok.setProcessChannelMode(QProcess::MergedChannels);
    sigrok.start(QStringLiteral("sigrok-cli"),
                 {"-I", "vcd", "-i", path, "-P",
                  QStringLiteral("uart:rx=Pin15:baudrate=%1:format=ascii").arg(baud), "-A",
                  "uart=rx-data"});
    if (!sigrok.waitForStarted(10'000)) {
        std::printf("sigrok-cli is not installed\n");
        return -1;
    }
    sigrok.waitForFinished(-1);
    QString text = QString::fromUtf8(sigrok.readAll());
    text.remove(QRegularExpression(QStringLiteral("uart-1: ")));
    text.remove(QRegularExpression(QStringLiteral("[^A-Z]")));
    return static_cast<int>(text.count(QStringLiteral("VOLTARIX")));
}

// Frames start at every whole second of the source's clock and last 80 bits.
int framesWithin(double startS, double endS, int baud) {
    const double frame = 80.0 / baud;
    int held = 0;
    for (long second = static_cast<long>(startS); second < endS; ++second) {
        if (second >= startS && second + frame <= endS)
            ++held;
    }
    return held;
}

Capture captureWindow(int seconds, int baud, bool coherent) {
    bench::SilentMessages messages;
    const auto origin = std::chrono::steady_clock::now();
    auto platform = std::make_unique<port::SimulatedPlatform>(
        [origin] { return std::chrono::steady_clock::now() - origin; }, baud);
    app::TForm1 window(std::move(platform), messages);
    window.resize(1024, 768);
    window.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->click();
    if (coherent)
        window.findChild<QCheckBox*>(QStringLiteral("CheckBox32"))->click();
    auto* stop = window.findChild<QToolButton*>(QStringLiteral("SpeedButton8"));
    QTimer::singleShot(seconds * 1000, stop, [stop] { stop->click(); });

    diagram17::Diagram17& d17 = window.diagram17();
    const double startS =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - origin).count();
    QElapsedTimer elapsed;
    elapsed.start();
    window.clicks().click(QStringLiteral("SpeedButton7"));
    Capture result;
    result.seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
    const double endS = startS + result.seconds;

    const capture::Sampler& sampler = d17.sampler();
    result.samples = sampler.samples();
    result.cycles = d17.counter().value();
    result.spacing = sampler.spacing();
    result.fullWaits = sampler.fullWaits();
    result.realtime = sampler.scheduling().realtime;
    result.relay = sampler.scheduling().relay;
    result.gaps = d17.gaps().count();
    result.longestGapNs = d17.gaps().longestNs();
    countCounterSteps(d17.cycleTimes(), result);

    // VOLTARIX_KEEP_VCD names a folder where the dumps stay, for a look.
    QTemporaryDir folder;
    const QString keep = qEnvironmentVariable("VOLTARIX_KEEP_VCD");
    const QString path =
        keep.isEmpty()
            ? folder.filePath(QStringLiteral("capture.vcd"))
            : QStringLiteral("%1/capture-%2-%3.vcd").arg(keep).arg(baud).arg(coherent ? 3 : 17);
    window.vcdExport().writeFile(path);
    result.framesHeld = framesWithin(startS, endS, baud);
    result.framesDecoded = decodedFrames(path, baud);
    return result;
}

// The sampler with nothing behind it but a consumer that takes its runs.
void reportSamplerAlone(bool coherent, int seconds) {
    port::TLptPortConnection connection(std::make_unique<port::SimulatedPlatform>());
    capture::PortLevelReader reader(connection);
    reader.setCoherent(coherent);
    capture::Sampler sampler(reader);
    sampler.start();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    capture::SampleRun run;
    while (std::chrono::steady_clock::now() < end) {
        while (sampler.take(run)) {
        }
        QThread::usleep(200);
    }
    sampler.stop();
    const capture::SpacingHistogram& spacing = sampler.spacing();
    const auto us = [&](double q) { return static_cast<double>(spacing.quantileNs(q)) / 1e3; };
    std::printf("sampler alone, %2d reads a cycle (%s%s): %10.0f samples/s\n", coherent ? 3 : 17,
                sampler.scheduling().realtime ? "real-time" : "ordinary",
                sampler.scheduling().relay ? " relay" : "",
                static_cast<double>(sampler.samples()) / seconds);
    std::printf("  spacing us: p50 %.1f  p99 %.1f  p99.9 %.1f  p99.99 %.1f  max %.1f\n", us(0.5),
                us(0.99), us(0.999), us(0.9999), us(1.0));
    std::fflush(stdout);
}

void report(int baud, bool coherent, const Capture& c) {
    const auto us = [&](double q) { return static_cast<double>(c.spacing.quantileNs(q)) / 1e3; };
    std::printf("%6d baud, %2d reads a cycle (%s%s): %.1f s\n", baud, coherent ? 3 : 17,
                c.realtime ? "real-time" : "ordinary", c.relay ? " relay" : "", c.seconds);
    std::printf("  sampler %10.0f samples/s   window %10.0f cycles/s\n",
                static_cast<double>(c.samples) / c.seconds,
                static_cast<double>(c.cycles) / c.seconds);
    std::printf("  spacing us: p50 %.1f  p99 %.1f  p99.9 %.1f  p99.99 %.1f  max %.1f\n", us(0.5),
                us(0.99), us(0.999), us(0.9999), us(1.0));
    std::printf("  missed: %llu pauses over 50 us, longest %.1f us; ring full %llu times\n",
                static_cast<unsigned long long>(c.gaps), static_cast<double>(c.longestGapNs) / 1e3,
                static_cast<unsigned long long>(c.fullWaits));
    std::printf("  frames decoded whole: %d of %d\n", c.framesDecoded, c.framesHeld);
    std::printf("  counter steps: %lld, not by +1: %lld\n", static_cast<long long>(c.counterSteps),
                static_cast<long long>(c.counterMissteps));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::applyApplicationLook(application);
    QCoreApplication::setApplicationName(QStringLiteral("voltarix"));
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const QStringList bauds =
        QString::fromLatin1(argc > 2 ? argv[2] : "1200,9600,19200,57600,115200")
            .split(u',', Qt::SkipEmptyParts);
    const QString modes = QString::fromLatin1(argc > 3 ? argv[3] : "both");
    for (const bool coherent : {false, true}) {
        if ((coherent && modes != QLatin1String("17")) ||
            (!coherent && modes != QLatin1String("3")))
            reportSamplerAlone(coherent, std::min(seconds, 10));
    }
    for (const QString& baudText : bauds) {
        const int baud = baudText.toInt();
        for (const bool coherent : {false, true}) {
            if ((coherent && modes == QLatin1String("17")) ||
                (!coherent && modes == QLatin1String("3")))
                continue;
            report(baud, coherent, captureWindow(seconds, baud, coherent));
        }
    }
    return 0;
}
