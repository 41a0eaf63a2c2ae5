#include "cli/capture_command.h"
#include "counting_clock.h"
#include "diagram17/vcd_export.h"
#include "diagram17_rig.h"
#include "support/fake_port_platform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace voltarix::cli {
namespace {

using testkit::FakePortPlatform;

const QString usage = QStringLiteral("Usage: voltarix [options]\n");
constexpr std::uint8_t status378 = 0x21;

QString contentsOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The command over a fake port, its messages kept.
struct CommandRig {
    CommandRig() : platform(std::make_unique<FakePortPlatform>()), fake(platform.get()) {
        errors = open_memstream(&buffer, &size);
        options.output = folder.filePath("out.vcd");
    }
    ~CommandRig() {
        std::fclose(errors);
        std::free(buffer);
    }

    int run() {
        CaptureCommand command(
            options, usage,
            [this] {
                ++platformsMade;
                return std::move(platform);
            },
            errors);
        command.setSamplerClock(testkit::countingClock(*fake));
        return command.run();
    }
    QString messages() {
        std::fflush(errors);
        return QString::fromUtf8(buffer, static_cast<qsizetype>(size));
    }
    QStringList files() const {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
    std::unique_ptr<FakePortPlatform> platform;
    FakePortPlatform* fake;
    CaptureOptions options;
    int platformsMade = 0;
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* errors = nullptr;
};

TEST(CaptureCommand, NoPortReachedGivesTheWindowsTextAndStatusAndNoFile) {
    CommandRig rig;
    rig.fake->openResults = {false};
    rig.fake->openFailureError = 13;
    rig.fake->serviceObtained = false;
    rig.options.cycles = 10;
    EXPECT_EQ(rig.run(), 1);
    EXPECT_EQ(rig.messages(), "Ошибка при создании объекта Lpt,  драйвер ERROR,  код = 13\n");
    EXPECT_TRUE(rig.files().isEmpty());
}

TEST(CaptureCommand, APortThatDoesNotAnswerIsABadArgument) {
    CommandRig rig;
    rig.fake->port(port::PortCodeLpt1).floating = true;
    rig.options.cycles = 10;
    rig.options.portCode = port::PortCodeLpt1;
    EXPECT_EQ(rig.run(), 1);
    EXPECT_EQ(rig.messages(), "Порт $3BC не отвечает; отвечает: $378, $278.\n\n" + usage);
    EXPECT_TRUE(rig.files().isEmpty());

    CommandRig none;
    for (const std::uint8_t code : {port::PortCodeLpt1, port::PortCodeLpt2, port::PortCodeLpt3})
        none.fake->port(code).floating = true;
    none.options.cycles = 10;
    none.options.portCode = port::PortCodeLpt2;
    EXPECT_EQ(none.run(), 1);
    EXPECT_EQ(none.messages(), "Порт $378 не отвечает; не отвечает ни один порт.\n\n" + usage);
}

// The window's selector then stays empty, which names $278.
TEST(CaptureCommand, WithNoPortAnsweringItRecordsWhereTheWindowWouldAndSaysSo) {
    CommandRig rig;
    for (const std::uint8_t code : {port::PortCodeLpt1, port::PortCodeLpt2, port::PortCodeLpt3})
        rig.fake->port(code).floating = true;
    // Floating as it is, counted: the two presence probes read it once each,
    // every cycle five times.
    std::atomic<int> reads278 = 0;
    rig.fake->scriptReads(0x31, [&reads278](std::uint64_t) -> std::uint8_t {
        ++reads278;
        return 0xFF;
    });
    rig.options.cycles = 10;
    EXPECT_EQ(rig.run(), 0);
    EXPECT_EQ(rig.messages(), CaptureCommand::noPortAnswers + "\n");
    EXPECT_EQ(rig.files(), QStringList({"out.vcd"}));
    EXPECT_GE(reads278, 2 + 5 * 10);
}

TEST(CaptureCommand, AFileThatCannotBeCreatedIsFoundBeforeThePortIsTouched) {
    CommandRig rig;
    QFile plain(rig.folder.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QDir(rig.folder.path()).mkdir("folder");
    rig.options.cycles = 10;
    const QStringList names{"plain/out.vcd", "missing/out.vcd", "folder"};
    for (const QString& name : names) {
        rig.options.output = rig.folder.filePath(name);
        EXPECT_EQ(rig.run(), 1) << name.toStdString();
        EXPECT_EQ(rig.platformsMade, 0);
    }
    const QString folder = rig.folder.path();
    EXPECT_EQ(rig.messages(), "Cannot create file " + folder + "/plain/out.vcd\n\n" + usage +
                                  "Cannot create file " + folder + "/missing/out.vcd\n\n" + usage +
                                  "Cannot create file " + folder + "/folder\n\n" + usage);
    EXPECT_EQ(rig.files(), QStringList({"folder", "plain"}));
}

// An older file of the name stays as it was while the capture runs.
TEST(CaptureCommand, AnOlderFileIsReplacedOnlyByTheCompleteNewOne) {
    CommandRig rig;
    QFile older(rig.options.output);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("older\n");
    older.close();
    QString seenDuringCapture;
    const QString path = rig.options.output;
    rig.fake->scriptReads(status378, [&](std::uint64_t read) -> std::uint8_t {
        if (read == 1000)
            seenDuringCapture = contentsOf(path);
        return (read / 50) % 2 ? 0x08 : 0x00;
    });
    rig.options.cycles = 2000;
    rig.options.coherent = true;
    rig.options.portCode = port::PortCodeLpt2;
    EXPECT_EQ(rig.run(), 0);
    EXPECT_EQ(seenDuringCapture, "older\n");
    const QString written = contentsOf(path);
    EXPECT_TRUE(written.startsWith("$date\n"));
    EXPECT_TRUE(written.contains("$enddefinitions $end\n#0\n$dumpvars\n"));
    EXPECT_EQ(rig.messages(), "") << "not a terminal: no progress line";
}

// The status lines follow a script by cycle: pin 15 in an uneven pattern,
// pin 11 (Busy, inverted) in a slow one.
std::uint8_t statusAtCycle(std::uint64_t cycle) {
    const bool pin15 = (cycle * cycle / 37) % 2 != 0;
    const bool busy = (cycle / 50) % 2 != 0;
    return static_cast<std::uint8_t>((pin15 ? 0x08 : 0x00) | (busy ? 0x80 : 0x00));
}

QString bodyOf(const QString& dump) {
    return dump.mid(dump.indexOf("$enddefinitions"));
}

QString windowDump(bool coherent, std::uint64_t cycles, const QString& path) {
    testkit::Diagram17Rig rig(testkit::Diagram17Rig::Batches::AsTheLoopTakesThem);
    rig.stopLiveMonitor();
    if (coherent)
        rig.find<QCheckBox>("CheckBox32")->click();
    const int statusReads = coherent ? 1 : 5;
    rig.fake->scriptReads(
        status378, [statusReads](std::uint64_t read) { return statusAtCycle(read / statusReads); });
    rig.d17().sampler().setClock(testkit::countingClock(*rig.fake));
    // The count field's N records N + 1 cycles.
    rig.spin("SpinEdit2")->setText(QString::number(cycles - 1));
    rig.clickStart();
    EXPECT_EQ(rig.chart().levelRows()->size(), static_cast<qsizetype>(cycles));
    rig.window->vcdExport().writeFile(path);
    return contentsOf(path);
}

QString commandDump(bool coherent, std::uint64_t cycles, const QString& path) {
    CommandRig rig;
    rig.fake->port(port::PortCodeLpt1).floating = true;
    const int statusReads = coherent ? 1 : 5;
    rig.fake->scriptReads(
        status378, [statusReads](std::uint64_t read) { return statusAtCycle(read / statusReads); });
    rig.options.cycles = cycles;
    rig.options.coherent = coherent;
    rig.options.output = path;
    EXPECT_EQ(rig.run(), 0);
    return contentsOf(path);
}

// The same reads at the same times, through the window and its export and
// through the command line: the dumps are equal but for their date.
TEST(CaptureCommand, TheSameInputGivesTheWindowsDumpBodyForBody) {
    QTemporaryDir folder;
    for (const bool coherent : {false, true}) {
        const QString window = windowDump(coherent, 3000, folder.filePath("window.vcd"));
        const QString command = commandDump(coherent, 3000, folder.filePath("command.vcd"));
        ASSERT_GT(bodyOf(window).count(u'#'), 100) << "the script's changes are there";
        EXPECT_EQ(bodyOf(command), bodyOf(window)) << "coherent " << coherent;
        EXPECT_EQ(command.section(u'\n', 3), window.section(u'\n', 3)) << "all but the date";
    }
}

} // namespace
} // namespace voltarix::cli
