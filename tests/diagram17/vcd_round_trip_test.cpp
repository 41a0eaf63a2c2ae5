// The exported dump read by tools this program did not write: sigrok's UART
// decoder and GTKWave's converter. Both tools must be installed; a missing
// tool fails the test.

#include "app/main_window.h"
#include "app/scheduling_priority.h"
#include "diagram17/vcd_export.h"
#include "port/simulated/simulated_platform.h"
#include "support/recording_message_service.h"
#include "ui/click_registry.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>

namespace voltarix::diagram17 {
namespace {

struct ToolRun {
    bool started = false;
    int exitCode = -1;
    QString output;
};

ToolRun runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    run.started = process.waitForStarted(10'000);
    if (!run.started)
        return run;
    process.waitForFinished(120'000);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

// A capture of the simulated port that holds a whole serial frame, exported as
// a dump. A 1200 baud line needs a sample every few hundred microseconds: on
// a machine busy with other work a thread of ordinary priority loses the
// processor for milliseconds at times, so the capture runs at the highest
// priority the system grants, as the processor speed measurement does. A
// real-time thread is held back for the last 50 ms of every second of its
// own; the source's clock is set so that the frame comes 200 ms into the
// run, well before that can happen.
QString captureAndExport(const QTemporaryDir& folder) {
    testkit::RecordingMessageService messages;
    std::chrono::steady_clock::time_point origin = std::chrono::steady_clock::now();
    auto platform = std::make_unique<port::SimulatedPlatform>(
        [&origin] { return std::chrono::steady_clock::now() - origin; });
    app::TForm1 window(std::move(platform), messages);
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->click(); // "Неограничено"
    auto* stop = window.findChild<QToolButton*>(QStringLiteral("SpeedButton8"));
    QTimer::singleShot(1300, stop, [stop] { stop->click(); });
    QElapsedTimer elapsed;
    elapsed.start();
    origin = std::chrono::steady_clock::now() - std::chrono::milliseconds(800);
    const auto priority = app::SchedulingPriority::system();
    priority->raise();
    window.clicks().click(QStringLiteral("SpeedButton7"));
    priority->restore();
    EXPECT_GE(elapsed.elapsed(), 1300);

    const QString path = folder.filePath(QStringLiteral("capture.vcd"));
    window.vcdExport().writeFile(path);
    for (const auto& box : messages.boxes)
        EXPECT_EQ(box.kind, testkit::RecordingMessageService::Kind::Question)
            << box.text.toStdString();
    return path;
}

TEST(VcdRoundTrip, SigrokDecodesTheSerialTextAndGtkWaveAcceptsTheFile) {
    QTemporaryDir folder;
    const QString path = captureAndExport(folder);
    ASSERT_TRUE(QFile::exists(path));

    const ToolRun decoded =
        runTool(QStringLiteral("sigrok-cli"),
                {"-I", "vcd", "-i", path, "-P", "uart:rx=Pin15:baudrate=1200:format=ascii", "-A",
                 "uart=rx-data"});
    ASSERT_TRUE(decoded.started) << "sigrok-cli is not installed";
    EXPECT_EQ(decoded.exitCode, 0) << decoded.output.toStdString();
    EXPECT_TRUE(QString(decoded.output).remove(QRegularExpression("[^A-Z]")).contains("VOLTARIX"))
        << decoded.output.toStdString();

    const ToolRun converted =
        runTool(QStringLiteral("vcd2fst"), {path, folder.filePath(QStringLiteral("capture.fst"))});
    ASSERT_TRUE(converted.started) << "vcd2fst (gtkwave) is not installed";
    EXPECT_EQ(converted.exitCode, 0) << converted.output.toStdString();
    EXPECT_FALSE(converted.output.contains("error", Qt::CaseInsensitive))
        << converted.output.toStdString();
    EXPECT_GT(QFile(folder.filePath(QStringLiteral("capture.fst"))).size(), 0);
}

} // namespace
} // namespace voltarix::diagram17
