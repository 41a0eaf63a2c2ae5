// The capture from the command line beside the window's capture, in one run
// over the simulated port: each records for the same time, the same way of
// reading the port, and its dump is decoded by sigrok-cli.
//
//   cli_capture_bench [seconds] [17|3|both] [baud]
//
// Reported per capture: cycles a second recorded, samples a second the
// sampler took, the time it missed (pauses over 50 us), and the serial frames
// decoded whole from the dump. The command line's capture is the program's
// own (cli::CaptureRun, the sampler, the file as --output writes it); the
// window's is the real window with "Неограничено", stopped by a timer. Run
// the window under Xvfb (DISPLAY set) to paint as on a screen; without a
// display it runs offscreen.

#include "silent_messages.h"

#include "app/application_look.h"
#include "app/main_window.h"
#include "capture/port_level_reader.h"
#include "capture/sampler.h"
#include "cli/capture_run.h"
#include "cli/progress_line.h"
#include "cli/run_waker.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/cycle_times.h"
#include "diagram17/diagram17.h"
#include "diagram17/memory_guard.h"
#include "diagram17/sampling_gaps.h"
#include "diagram17/vcd_export.h"
#include "diagram17/vcd_file.h"
#include "port/lpt_port_connection.h"
#include "port/simulated/simulated_platform.h"
#include "ui/click_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace voltarix;

namespace {

struct Figures {
    double seconds = 0;
    std::uint64_t cycles = 0;
    std::uint64_t samples = 0;
    std::uint64_t gaps = 0;
    std::uint64_t longestGapNs = 0;
    int frames = -1;
};

int decodedFrames(const QString& path, int baud) {
    QProcess sigrok;
    sigrok.start(QStringLiteral("sigrok-cli"),
                 {"-I", "vcd", "-i", path, "-P",
                  QStringLiteral("uart:rx=Pin15:baudrate=%1:format=ascii").arg(baud), "-A",
                  "uart=rx-data"});
    if (!sigrok.waitForStarted(10'000))
        return -1;
    sigrok.waitForFinished(-1);
    QString text = QString::fromUtf8(sigrok.readAllStandardOutput());
    text.remove(QStringLiteral("uart-1: "));
    text.remove(u'\n');
    return static_cast<int>(text.count(QStringLiteral("VOLTARIX")));
}

Figures commandLineCapture(int seconds, int baud, bool coherent, const QString& path) {
    port::TLptPortConnection connection(
        std::make_unique<port::SimulatedPlatform>(port::SimulatedPlatform::Clock{}, baud));
    capture::PortLevelReader reader(connection);
    reader.setPortCode(port::PortCodeLpt2);
    reader.setCoherent(coherent);
    capture::Sampler sampler(reader);
    diagram17::CycleTimes times;
    diagram17::MemoryGuard memory;
    cli::RunWaker waker;
    cli::ProgressLine progress(stderr, false);
    const std::uint64_t ns = static_cast<std::uint64_t>(seconds) * 1'000'000'000;
    cli::CaptureRun run({sampler, times, memory, waker, progress}, {ns, std::nullopt});
    QElapsedTimer elapsed;
    elapsed.start();
    run.run();
    Figures figures;
    figures.seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
    figures.cycles = run.cycles();
    figures.samples = sampler.samples();
    figures.gaps = run.gaps().count();
    figures.longestGapNs = run.gaps().longestNs();
    diagram17::VcdFile(path).write(times, QDateTime::currentDateTime());
    figures.frames = decodedFrames(path, baud);
    return figures;
}

Figures windowCapture(int seconds, int baud, bool coherent, const QString& path) {
    bench::SilentMessages messages;
    app::TForm1 window(
        std::make_unique<port::SimulatedPlatform>(port::SimulatedPlatform::Clock{}, baud),
        messages);
    window.resize(1024, 768);
    window.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->click();
    if (coherent)
        window.findChild<QCheckBox*>(QStringLiteral("CheckBox32"))->click();
    auto* stop = window.findChild<QToolButton*>(QStringLiteral("SpeedButton8"));
    QTimer::singleShot(seconds * 1000, stop, [stop] { stop->click(); });
    QElapsedTimer elapsed;
    elapsed.start();
    window.clicks().click(QStringLiteral("SpeedButton7"));
    diagram17::Diagram17& d17 = window.diagram17();
    Figures figures;
    figures.seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
    figures.cycles = static_cast<std::uint64_t>(d17.counter().value());
    figures.samples = d17.sampler().samples();
    figures.gaps = d17.gaps().count();
    figures.longestGapNs = d17.gaps().longestNs();
    window.vcdExport().writeFile(path);
    figures.frames = decodedFrames(path, baud);
    return figures;
}

void report(const char* who, const Figures& f) {
    std::printf("  %-13s %5.1f s  %10.0f cycles/s  %10.0f samples/s  missed %llu (longest "
                "%.1f us)  frames %d\n",
                who, f.seconds, static_cast<double>(f.cycles) / f.seconds,
                static_cast<double>(f.samples) / f.seconds, static_cast<unsigned long long>(f.gaps),
                static_cast<double>(f.longestGapNs) / 1e3, f.frames);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::applyApplicationLook(application);
    QCoreApplication::setApplicationName(QStringLiteral("voltarix"));
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const QString modes = QString::fromLatin1(argc > 2 ? argv[2] : "both");
    const int baud = argc > 3 ? std::atoi(argv[3]) : 9600;
    QTemporaryDir folder;
    for (const bool coherent : {false, true}) {
        if ((coherent && modes == QLatin1String("17")) ||
            (!coherent && modes == QLatin1String("3")))
            continue;
        std::printf("%d reads a cycle, %d baud, %d s each:\n", coherent ? 3 : 17, baud, seconds);
        report("command line", commandLineCapture(seconds, baud, coherent,
                                                  folder.filePath(QStringLiteral("cli.vcd"))));
        report("window", windowCapture(seconds, baud, coherent,
                                       folder.filePath(QStringLiteral("window.vcd"))));
    }
    return 0;
}
