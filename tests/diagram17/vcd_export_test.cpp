#include "app/main_menu.h"
#include "diagram17/cycle_times.h"
#include "diagram17/device_stream_buffer.h"
#include "diagram17/vcd_export.h"
#include "diagram17_rig.h"
#include "ui/handler_errors.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace voltarix::diagram17 {
namespace {

using testkit::Diagram17Rig;
using Kind = testkit::RecordingMessageService::Kind;

// Types the name into the dialog once it is open and presses Save.
void typeAndSave(QFileDialog& dialog, const QString& name, bool* opened = nullptr) {
    QTimer::singleShot(0, &dialog, [&dialog, name, opened] {
        if (opened)
            *opened = dialog.isVisible();
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(field, nullptr);
        field->selectAll();
        QTest::keyClicks(field, name);
        static_cast<QDialog&>(dialog).accept(); // QFileDialog's own accept, as Save does
    });
}

QStringList linesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

struct ExportRig : Diagram17Rig {
    ExportRig() {
        QCoreApplication::setApplicationName(QStringLiteral("voltarix"));
        QCoreApplication::setApplicationVersion(QStringLiteral("9.8"));
        window->vcdExport().setClock([] { return QDateTime({2026, 3, 5}, {14, 7, 9}); });
    }
    ~ExportRig() {
        QCoreApplication::setApplicationName(QString());
        QCoreApplication::setApplicationVersion(QString());
    }
    QFileDialog& dialog() { return window->vcdExport().saveDialog().dialog(); }
    QString path(const QString& name) const { return folder.filePath(name); }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files); }

    QTemporaryDir folder;
};

TEST(VcdExport, TheDialogOffersOnlyValueChangeDumps) {
    ExportRig rig;
    VcdSaveDialog& save = rig.window->vcdExport().saveDialog();
    save.prepare();
    EXPECT_EQ(rig.dialog().objectName(), "SaveVcdDialog1");
    EXPECT_EQ(rig.dialog().windowTitle(), "Экспорт в VCD");
    EXPECT_EQ(rig.dialog().acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(rig.dialog().nameFilters(), QStringList({"Value Change Dump (*.vcd)"}));
    EXPECT_EQ(rig.dialog().defaultSuffix(), "vcd");
}

TEST(VcdExport, AnEmptyRecordingGivesTheBoxAndNeitherDialogNorFile) {
    ExportRig rig;
    bool opened = false;
    typeAndSave(rig.dialog(), rig.path("empty"), &opened);
    rig.window->mainMenu1().item("VCD1")->trigger();
    rig.button("SpeedButton36")->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(opened);
    ASSERT_EQ(rig.messages.boxes.size(), 2u);
    for (const auto& box : rig.messages.boxes) {
        EXPECT_EQ(box.kind, Kind::Information);
        EXPECT_EQ(box.text, "Нет данных для экспорта");
    }
    EXPECT_TRUE(rig.files().isEmpty());
}

TEST(VcdExport, AFileThatCannotBeCreatedGivesTheErrorBoxAndLeavesNothing) {
    ExportRig rig;
    rig.spin("SpinEdit2")->setText("2");
    rig.clickStart();
    rig.messages.boxes.clear();
    // A plain file where the folder should be: no one, not even root, creates in it.
    QFile plain(rig.path("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString target = rig.path("plain/out.vcd");
    // Qt's dialog itself keeps such a name from being chosen; a folder removed
    // while the dialog was open comes to the same.
    rig.window->handlerErrors().run([&] { rig.window->vcdExport().writeFile(target); });
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].kind, Kind::Error);
    EXPECT_EQ(rig.messages.boxes[0].text, "Cannot create file " + target);
    EXPECT_EQ(rig.files(), QStringList({"plain"}));
}

// A short capture of the fake port, one line changing in the middle: the
// dump holds the first cycle's levels and then that one change only.
TEST(VcdExport, AShortCaptureOfTheRealWindowBecomesItsDump) {
    ExportRig rig;
    rig.port378().status = 0x40;  // pin 10 high, pin 11 (Busy inverted) high
    rig.port378().control = 0x00; // pins 1, 14, 17 high (inverted), 16 low
    rig.port378().data = 0x81;    // pins 2 and 9 high
    // Every cycle reads the data register for each of its eight pins; from
    // the sixth cycle on pin 2 is low.
    rig.stopLiveMonitor();
    rig.fake->scriptReads(0x20, [](std::uint64_t read) { return read < 5 * 8 ? 0x81 : 0x80; });
    rig.spin("SpinEdit2")->setText("9"); // ten cycles
    rig.clickStart();
    ASSERT_EQ(rig.chart().levelRows()->size(), 10);
    EXPECT_EQ(rig.d17().cycleTimes().size(), 2u);

    typeAndSave(rig.dialog(), "short");
    QDir::setCurrent(rig.folder.path());
    rig.window->clicks().click("SpeedButton36");
    EXPECT_TRUE(rig.messages.boxes.size() == 1u) << "only the start question";
    const QStringList lines = linesOf(rig.path("short.vcd"));
    ASSERT_GE(lines.size(), 50);
    EXPECT_EQ(lines.mid(0, 7),
              QStringList({"$date", "    Thu Mar 5 14:07:09 2026", "$end", "$version",
                           "    voltarix 9.8", "$end", "$timescale 1 us $end"}));
    // Data pins 2 to 9 as traces 16 down to 9: identifiers Q down to J.
    EXPECT_EQ(lines.mid(7, 3), QStringList({"$scope module data $end", "$var wire 1 Q Pin2 $end",
                                            "$var wire 1 P Pin3 $end"}));
    EXPECT_TRUE(lines.contains("$scope module status $end"));
    EXPECT_TRUE(lines.contains("$var wire 1 E Pin15 $end"));
    EXPECT_TRUE(lines.contains("$scope module control $end"));
    EXPECT_TRUE(lines.contains("$var wire 1 I Pin1 $end"));

    const qsizetype dump = lines.indexOf("$dumpvars");
    ASSERT_GT(dump, 0);
    EXPECT_EQ(lines[dump - 1], "#0");
    const QStringList initial = lines.mid(dump + 1, 17);
    for (const char* value : {"1A", "1B", "0C", "1F", "0G", "1H", "1I", "1J", "0P", "1Q"})
        EXPECT_TRUE(initial.contains(value)) << value;
    ASSERT_EQ(lines.size(), dump + 21) << lines.mid(dump).join(' ').toStdString();
    EXPECT_EQ(lines[dump + 18], "$end");
    // Pin 2 falls at the sixth cycle, a few microseconds after the first.
    EXPECT_TRUE(lines[dump + 19].startsWith('#'));
    bool isNumber = false;
    const qint64 changeUs = lines[dump + 19].mid(1).toLongLong(&isNumber);
    EXPECT_TRUE(isNumber && changeUs > 0 && changeUs < 10'000'000) << changeUs;
    EXPECT_EQ(lines[dump + 20], "0Q");
    EXPECT_EQ(rig.files(), QStringList({"short.vcd"}));
}

// Cycles are numbered by their place on the chart, and a later run goes on
// where the one before ended; the time between runs is real time.
TEST(VcdExport, CycleTimesFollowTheChartAcrossRuns) {
    ExportRig rig;
    rig.spin("SpinEdit2")->setText("2");
    rig.clickStart();
    rig.port378().data = 0x01;
    QTest::qWait(20);
    rig.clickStart();
    std::vector<CycleTimes::Entry> entries;
    rig.d17().cycleTimes().forEach([&](const CycleTimes::Entry& e) { entries.push_back(e); });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].cycle, 0u);
    EXPECT_EQ(entries[1].cycle, 3u);
    EXPECT_GE(entries[1].timeUs - entries[0].timeUs, 20'000u);
    EXPECT_EQ(entries[1].levels ^ entries[0].levels, 1u << 16) << "pin 2 only";
}

TEST(DeviceStreamBuffer, PassesLargeTextsThroughAndNoticesAFailedWrite) {
    QByteArray bytes;
    QBuffer device(&bytes);
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    {
        DeviceStreamBuffer buffer(device);
        std::ostream out(&buffer);
        for (int i = 0; i < 100'000; ++i)
            out << i << '\n';
        out.flush();
        EXPECT_TRUE(buffer.good());
    }
    EXPECT_EQ(bytes.count('\n'), 100'000);
    EXPECT_TRUE(bytes.endsWith("99999\n"));

    QBuffer readOnly;
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    DeviceStreamBuffer failing(readOnly);
    std::ostream out(&failing);
    out << std::string(DeviceStreamBuffer::blockSize + 1, 'x');
    EXPECT_FALSE(failing.good());
    EXPECT_FALSE(out);
}

} // namespace
} // namespace voltarix::diagram17
