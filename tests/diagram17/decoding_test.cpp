// Protocol decoders on the real window: the tab, the worker over the recording, the rows under
// the traces, the table and its CSV file. Recordings come from the simulated port (the serial
// frame on pin 15) and from sources the tests play on the data pins through the fake port.

#include "decoding_rig.h"
#include "diagram17_rig.h"

#include "app/main_menu.h"
#include "chart/chart.h"
#include "decode/annotation_store.h"
#include "diagram17/cycle_times.h"
#include "diagram17/decoding/decoded_values_csv.h"
#include "diagram17/decoding/decoded_values_window.h"
#include "diagram17/vcd_export.h"
#include "pictures/export/chart_picture.h"
#include "port/simulated/simulated_platform.h"
#include "support/recording_message_service.h"
#include "ui/click_registry.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

namespace voltarix::diagram17 {
namespace {

using testkit::DecoderTabUser;
using testkit::Diagram17Rig;
using Kind = testkit::RecordingMessageService::Kind;

constexpr std::uint8_t data378 = 0x20;
// The fake port answers millions of reads a second while cycle times are whole microseconds:
// each level of a source lasts this many times its cycles, so that every change of the lines
// falls on a microsecond of its own and so on a sample of its own.
constexpr int kStretch = 25;

// A source on the data pins: one byte of levels a cycle, played through the fake port (the
// data register is read once for each of its eight pins a cycle).
struct DataPinSource {
    std::vector<std::uint8_t> cycles;
    std::uint8_t idle = 0;

    void hold(std::uint8_t levels, int count) {
        cycles.insert(cycles.end(), static_cast<std::size_t>(count * kStretch), levels);
    }
    void play(Diagram17Rig& rig) const {
        rig.stopLiveMonitor();
        rig.fake->scriptReads(data378, [cycles = cycles, idle = idle](std::uint64_t read) {
            const std::uint64_t cycle = read / 8;
            return cycle < cycles.size() ? cycles[cycle] : idle;
        });
        rig.spin("SpinEdit2")->setText(QString::number(cycles.size() + 40));
        rig.clickStart();
    }
};

// SPI mode 0 on pin 2 (clock), pin 3 (MOSI) and pin 4 (chip select, low while active).
DataPinSource spiSource(const std::vector<std::uint8_t>& bytes) {
    constexpr std::uint8_t clock = 1, mosi = 2, select = 4;
    DataPinSource s;
    s.idle = select;
    s.hold(select, 20);
    s.hold(0, 4);
    for (std::uint8_t byte : bytes) {
        for (int bit = 7; bit >= 0; --bit) {
            const auto line = static_cast<std::uint8_t>((byte >> bit) & 1 ? mosi : 0);
            s.hold(line, 3);
            s.hold(line | clock, 3);
        }
        s.hold(0, 4);
    }
    s.hold(select, 20);
    return s;
}

// I2C on pin 5 (SCL) and pin 6 (SDA), both high at rest: a start, each byte with the
// receiver's acknowledge, a stop.
DataPinSource i2cSource(const std::vector<std::uint8_t>& bytes) {
    constexpr std::uint8_t scl = 8, sda = 16;
    DataPinSource s;
    s.idle = scl | sda;
    s.hold(scl | sda, 20);
    s.hold(scl, 3); // start: SDA falls while SCL is high
    s.hold(0, 3);
    auto bitOut = [&s](bool high) {
        const std::uint8_t line = high ? sda : 0;
        s.hold(line, 3);
        s.hold(line | scl, 3);
        s.hold(line, 3);
    };
    for (std::uint8_t byte : bytes) {
        for (int bit = 7; bit >= 0; --bit)
            bitOut((byte >> bit) & 1);
        bitOut(false); // acknowledged
    }
    s.hold(0, 3);
    s.hold(scl, 3); // stop: SDA rises while SCL is high
    s.hold(scl | sda, 20);
    return s;
}

struct DecodingRig : Diagram17Rig {
    DecodingRig() : user((testkit::loadTestDecoders(), *window)) { user.open(); }
    DecoderTabUser user;
    std::size_t errorBoxes() const {
        std::size_t n = 0;
        for (const auto& box : messages.boxes)
            n += box.kind == Kind::Error ? 1 : 0;
        return n;
    }
};

TEST(Decoding, SpiOnTheDataPinsDecodesTheBytesTheSourceSent) {
    DecodingRig rig;
    spiSource({0xA5, 0x3C, 0x00, 0xFF}).play(rig);
    rig.user.add("spi");
    rig.user.pin("clk", 2);
    rig.user.pin("mosi", 3);
    rig.user.pin("miso", 0);
    rig.user.pin("cs", 4);
    rig.user.apply();
    ASSERT_EQ(rig.errorBoxes(), 0u) << rig.messages.boxes.front().text.toStdString();
    rig.user.waitDecoded();
    EXPECT_EQ(rig.user.texts("SPI", "MOSI data"), (QStringList{"A5", "3C", "00", "FF"}));
    EXPECT_TRUE(rig.user.rowNames().contains("SPI: MOSI data"));
    // The rate in use is the recording's own: a sample a cycle.
    const QString rate = rig.user.tab().Label4->text();
    EXPECT_TRUE(rate.endsWith(" Гц, по записи")) << rate.toStdString();
    EXPECT_EQ(rate, diagram17::decoding::DecoderTab::rateText(
                        rig.user.control().worker()->sampleRateHz()) +
                        ", по записи");
}

// An EEPROM decoder stacked on I2C reads what I2C decoded from the pins.
TEST(Decoding, StackedEepromOnI2cReadsTheByteWritten) {
    DecodingRig rig;
    i2cSource({0xA0, 0x00, 0x42}).play(rig);
    rig.user.add("i2c");
    rig.user.pin("scl", 5);
    rig.user.pin("sda", 6);
    rig.user.add("eeprom24xx", 0);
    EXPECT_EQ(rig.user.tab().ListBox1->count(), 2);
    EXPECT_EQ(rig.user.tab().ListBox1->item(1)->text(), "2. 24xx EEPROM на 1");
    rig.user.apply();
    ASSERT_EQ(rig.errorBoxes(), 0u) << rig.messages.boxes.front().text.toStdString();
    rig.user.waitDecoded();
    EXPECT_EQ(rig.user.texts("I²C", "Address/Data").filter("write"),
              (QStringList{"Address write: 50", "Data write: 00", "Data write: 42"}));
    const QStringList rows = rig.user.rowNames();
    EXPECT_FALSE(rows.filter("24xx EEPROM: ").isEmpty()) << rows.join(", ").toStdString();
    QStringList eeprom;
    for (const QString& row : rows.filter("24xx EEPROM: "))
        eeprom += rig.user.texts("24xx EEPROM", row.mid(QString("24xx EEPROM: ").size()));
    // The control byte 0xA0 as the EEPROM decoder reads it from I2C's output.
    EXPECT_TRUE(eeprom.contains("Control code bits: 1010"))
        << eeprom.join(", ").toStdString() << " / " << rows.join(", ").toStdString();
    EXPECT_TRUE(eeprom.contains("R/W bit: write"));
}

// A value the decoder refuses: a box says why, and what ran goes on unchanged.
TEST(Decoding, ARejectedOptionGetsItsBoxAndChangesNothing) {
    DecodingRig rig;
    spiSource({0x5A}).play(rig);
    rig.user.add("spi");
    rig.user.pin("clk", 2);
    rig.user.pin("mosi", 3);
    rig.user.pin("cs", 4);
    rig.user.apply();
    rig.user.waitDecoded();
    const decode::DecodeSettings running = rig.user.control().worker()->settings();
    const int values = rig.user.control().values().rowCount();
    ASSERT_GT(values, 0);

    rig.user.option("wordsize", "eight");
    rig.user.apply();
    ASSERT_EQ(rig.errorBoxes(), 1u);
    EXPECT_TRUE(rig.messages.boxes.back().text.contains("wordsize"))
        << rig.messages.boxes.back().text.toStdString();
    EXPECT_EQ(rig.user.control().worker()->settings(), running);
    EXPECT_EQ(rig.user.control().values().rowCount(), values);

    rig.user.rate("fast");
    rig.user.option("wordsize", "8");
    rig.user.apply();
    ASSERT_EQ(rig.errorBoxes(), 2u);
    EXPECT_TRUE(rig.messages.boxes.back().text.contains("fast"));
    EXPECT_EQ(rig.user.control().worker()->settings(), running);

    rig.user.rate("");
    rig.user.pin("cs", 2); // the clock's pin
    rig.user.apply();
    ASSERT_EQ(rig.errorBoxes(), 3u);
    EXPECT_EQ(rig.user.control().worker()->settings(), running);
}

// A decoder that raises an exception: its box comes once, it is marked off, and the other
// decoder and the capture go on.
TEST(Decoding, ADecoderThatRaisesIsReportedOnceAndStopped) {
    DecodingRig rig;
    spiSource({0x81}).play(rig);
    rig.user.add("voltarix_fault");
    rig.user.pin("line", 2);
    rig.user.add("spi");
    rig.user.pin("clk", 2);
    rig.user.pin("mosi", 3);
    rig.user.pin("cs", 4);
    rig.user.apply();
    rig.user.waitDecoded();
    rig.user.control().poll();
    ASSERT_EQ(rig.errorBoxes(), 1u);
    EXPECT_TRUE(rig.messages.boxes.back().text.contains("edge seen at sample"))
        << rig.messages.boxes.back().text.toStdString();
    EXPECT_TRUE(rig.user.tab().ListBox1->item(0)->text().endsWith("(откл.)"));
    EXPECT_FALSE(rig.user.tab().ListBox1->item(1)->text().endsWith("(откл.)"));
    EXPECT_EQ(rig.user.texts("SPI", "MOSI data"), QStringList{"81"});
    // The window goes on recording.
    const std::int64_t before = rig.counter();
    rig.spin("SpinEdit2")->setText("10");
    rig.clickStart();
    EXPECT_GT(rig.counter(), before);
    rig.user.waitDecoded();
    EXPECT_EQ(rig.errorBoxes(), 1u);
}

TEST(Decoding, TheTableSavesAsCsvAndAClickShowsTheValueInTheChart) {
    DecodingRig rig;
    spiSource({0x12, 0x34}).play(rig);
    rig.user.add("spi");
    rig.user.pin("clk", 2);
    rig.user.pin("mosi", 3);
    rig.user.pin("cs", 4);
    rig.user.apply();
    rig.user.waitDecoded();

    QTemporaryDir folder;
    const QString path = folder.filePath("values.csv");
    auto& dialog = rig.user.control().csvDialog().dialog();
    QTimer::singleShot(0, &dialog, [&dialog, path] {
        dialog.selectFile(path);
        static_cast<QDialog&>(dialog).accept();
    });
    rig.window->mainMenu1().item("N52")->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.front(), "\"Время, с\",Цикл,Декодер,Строка,Текст");
    QStringList mosi = lines.filter(",SPI,MOSI data,");
    ASSERT_EQ(mosi.size(), 2);
    const QStringList fields = mosi[0].split(',');
    ASSERT_EQ(fields.size(), 5);
    EXPECT_EQ(fields[4], "12");
    EXPECT_EQ(mosi[1].split(',')[4], "34");
    // The first MOSI byte starts at the transfer's first clock edge: after 24 + 3 steps.
    const int cycle = fields[1].toInt();
    EXPECT_GE(cycle, 26 * kStretch);
    EXPECT_LE(cycle, 28 * kStretch + 1);
    EXPECT_TRUE(lines.back().isEmpty()); // the last line ends too

    rig.user.control().showTable();
    decoding::TForm5& table = rig.user.control().tableWindow();
    EXPECT_EQ(table.Label5->text(),
              QString("Значений: %1").arg(rig.user.control().values().rowCount()));
    int row = -1;
    for (int r = 0; r < rig.user.control().values().rowCount(); ++r) {
        if (rig.user.control().values().cellText(r, 4) == "34")
            row = r;
    }
    ASSERT_GE(row, 0);
    emit table.rowChosen(row);
    const auto& axis = rig.chart().bottomAxis();
    const double shown = static_cast<double>(rig.user.control().values().cycleOf(row));
    EXPECT_LE(axis.minimum(), shown);
    EXPECT_GE(axis.maximum(), shown);
    EXPECT_FALSE(axis.automatic());
}

// A page with its annotations, saved as a picture: the rows are in it, drawn by the chart.
TEST(Decoding, APageSavedAsBmpOrWmfHoldsTheAnnotationRows) {
    DecodingRig rig;
    spiSource({0x99}).play(rig);
    rig.user.add("spi");
    rig.user.pin("clk", 2);
    rig.user.pin("mosi", 3);
    rig.user.pin("cs", 4);
    rig.user.apply();
    rig.user.waitDecoded();
    chart::Chart& chart2 = rig.d17().chart2();
    const QImage plainPage = [&] {
        rig.chart().setAnnotationRows(nullptr);
        QImage image = chart2.toImage();
        rig.chart().setAnnotationRows(&rig.user.control().rows());
        return image;
    }();
    chart2.bottomAxis().setMinMax(0, static_cast<double>(rig.counter()));
    QTemporaryDir folder;
    const QString path = folder.filePath("page.bmp");
    chart2.saveBitmap(path);
    const QImage saved(path, "BMP");
    ASSERT_FALSE(saved.isNull());
    const QRgb mosiColour = decoding::DecodedRows::classColour(1);
    int mosiPixels = 0;
    for (int y = 0; y < saved.height(); ++y) {
        for (int x = 0; x < saved.width(); ++x)
            mosiPixels += (saved.pixel(x, y) | 0xff000000) == mosiColour ? 1 : 0;
    }
    EXPECT_GT(mosiPixels, 50);
    EXPECT_EQ(saved.size(), plainPage.size());

    // The metafile is drawn by the same routine: the rows' names are in it, and none without
    // the rows.
    const auto metafileText = [&chart2] {
        const std::vector<std::uint8_t> wmf = pictures::chartMetafile(chart2);
        return std::string(wmf.begin(), wmf.end());
    };
    EXPECT_NE(metafileText().find("SPI: MOSI data"), std::string::npos);
    EXPECT_NE(metafileText().find("SPI: MOSI bits"), std::string::npos);
    rig.chart().setAnnotationRows(nullptr);
    EXPECT_EQ(metafileText().find("SPI: MOSI"), std::string::npos);
    rig.chart().setAnnotationRows(&rig.user.control().rows());
}

// The simulated port's frame on pin 15 at 1200 baud, captured with UART chosen: the rows and
// the table fill with "VOLTARIX", character for character as sigrok-cli reads the exported dump.
TEST(DecodingCapture, UartOnPin15ReadsTheSimulatedFrameAsSigrokCliDoes) {
    testkit::loadTestDecoders();
    testkit::RecordingMessageService messages;
    std::chrono::steady_clock::time_point origin = std::chrono::steady_clock::now();
    auto platform = std::make_unique<port::SimulatedPlatform>(
        [&origin] { return std::chrono::steady_clock::now() - origin; });
    app::TForm1 window(std::move(platform), messages);
    DecoderTabUser user(window);
    user.open();
    user.add("uart");
    user.pin("rx", 15);
    user.option("baudrate", "1200");
    user.option("format", "ascii");
    user.apply();
    ASSERT_TRUE(messages.boxes.empty()) << messages.boxes.front().text.toStdString();

    window.findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->click(); // "Неограничено"
    auto* stop = window.findChild<QToolButton*>(QStringLiteral("SpeedButton8"));
    QTimer::singleShot(1300, stop, [stop] { stop->click(); });
    origin = std::chrono::steady_clock::now() - std::chrono::milliseconds(800);
    // The window's thread keeps ordinary priority: raised, it would spin ahead of a sampler
    // of ordinary priority (as the tests' samplers are) and starve it.
    window.clicks().click(QStringLiteral("SpeedButton7"));
    user.waitDecoded();

    QString decoded;
    const decode::AnnotationStore& store = user.control().worker()->annotations();
    for (std::size_t i = 0; i < store.size(); ++i) {
        if (store.row(store[i].storeRow).decoderId == "uart" && store[i].annotationClass == 0)
            decoded += QString::fromStdString(store[i].text());
    }
    EXPECT_TRUE(decoded.contains("VOLTARIX")) << decoded.toStdString();
    EXPECT_TRUE(user.texts("UART", "RX").contains("V"));
    EXPECT_TRUE(user.rowNames().contains("UART: RX"));

    QTemporaryDir folder;
    const QString vcd = folder.filePath("capture.vcd");
    window.vcdExport().writeFile(vcd);
    QProcess cli;
    cli.start("sigrok-cli", {"-I", "vcd", "-i", vcd, "-P",
                             "uart:rx=Pin15:baudrate=1200:format=ascii", "-A", "uart=rx-data"});
    ASSERT_TRUE(cli.waitForFinished(60'000));
    QString byCli;
    for (const QString& line : QString::fromUtf8(cli.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("uart-1: "))
            byCli += line.mid(8);
    }
    EXPECT_EQ(decoded, byCli);
}

} // namespace
} // namespace voltarix::diagram17
