#include "app/command_line.h"
#include "cli/capture_duration.h"
#include "port/port_codes.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

using voltarix::app::CommandLine;
using voltarix::cli::CaptureDuration;

namespace {

CommandLine parse(const QStringList& arguments) {
    QCoreApplication::setApplicationName("voltarix");
    QCoreApplication::setApplicationVersion("0.1");
    return CommandLine::parse(QStringList{"voltarix"} + arguments);
}

std::string joined(const QStringList& arguments) {
    return arguments.join(' ').toStdString();
}

} // namespace

TEST(CaptureDuration, NumbersWithAUnit) {
    EXPECT_EQ(CaptureDuration::parseNs("10s"), 10'000'000'000u);
    EXPECT_EQ(CaptureDuration::parseNs("500ms"), 500'000'000u);
    EXPECT_EQ(CaptureDuration::parseNs("250us"), 250'000u);
    EXPECT_EQ(CaptureDuration::parseNs("1.5s"), 1'500'000'000u);
    EXPECT_EQ(CaptureDuration::parseNs("0.25ms"), 250'000u);
    EXPECT_EQ(CaptureDuration::parseNs("2min"), 120'000'000'000u);
    EXPECT_EQ(CaptureDuration::parseNs("1.5min"), 90'000'000'000u);
    EXPECT_EQ(CaptureDuration::parseNs("0.001h"), 3'600'000'000u);
    EXPECT_EQ(CaptureDuration::parseNs("1.0000000001s"), 1'000'000'000u)
        << "digits past a nanosecond are cut off";
    EXPECT_EQ(CaptureDuration::parseNs("5000000h"), 18'000'000'000'000'000'000u);
}

TEST(CaptureDuration, WhatIsNoDuration) {
    const QStringList texts{"",
                            "10",
                            "s",
                            "10 s",
                            " 10s",
                            "10S",
                            "10sec",
                            "1,5s",
                            "1.s",
                            ".5s",
                            "-1s",
                            "+1s",
                            "0s",
                            "0.0ms",
                            "1e3ms",
                            "0.0000001us",
                            "10m",
                            "6000000h",
                            "99999999999999999999s",
                            "１0s"};
    for (const QString& text : texts)
        EXPECT_EQ(CaptureDuration::parseNs(text), std::nullopt) << text.toStdString();
}

TEST(CaptureArguments, ACaptureTakesItsLengthFileAndWayOfReading) {
    const CommandLine timed =
        parse({"--capture", "10s", "--output", "out.vcd", "--simulate", "--simulate-baud", "9600"});
    ASSERT_EQ(timed.action, CommandLine::Action::Capture);
    EXPECT_EQ(timed.capture.durationNs, 10'000'000'000u);
    EXPECT_EQ(timed.capture.cycles, std::nullopt);
    EXPECT_EQ(timed.capture.output, "out.vcd");
    EXPECT_EQ(timed.capture.portCode, std::nullopt);
    EXPECT_FALSE(timed.capture.coherent);
    EXPECT_TRUE(timed.simulate);
    EXPECT_EQ(timed.simulateBaud, 9600);
    EXPECT_TRUE(timed.usage.contains("Usage:")) << "kept for mistakes found later";

    const CommandLine counted = parse({"--cycles", "1000", "--output=a.vcd", "--coherent"});
    ASSERT_EQ(counted.action, CommandLine::Action::Capture);
    EXPECT_EQ(counted.capture.cycles, 1000u);
    EXPECT_EQ(counted.capture.durationNs, std::nullopt);
    EXPECT_TRUE(counted.capture.coherent);

    EXPECT_TRUE(counted.capture.decoders.isEmpty());

    const CommandLine decoded = parse({"--cycles", "9", "--output", "d.vcd", "--decode",
                                       "uart:rx=15:baudrate=9600", "--decode", "i2c:scl=1:sda=14"});
    EXPECT_EQ(decoded.capture.decoders,
              QStringList({"uart:rx=15:baudrate=9600", "i2c:scl=1:sda=14"}))
        << "checked by the decoders themselves, before the capture";

    const CommandLine both = parse({"--capture", "2s", "--cycles", "5", "--output", "b.vcd"});
    EXPECT_EQ(both.capture.durationNs, 2'000'000'000u);
    EXPECT_EQ(both.capture.cycles, 5u);

    EXPECT_EQ(parse({"--simulate"}).action, CommandLine::Action::Run) << "the window, as before";
}

TEST(CaptureArguments, ThePortAsTheSelectorNamesItOrAsAShellLetsItThrough) {
    const auto portOf = [](const QString& text) {
        return parse({"--capture", "1s", "--output", "o.vcd", "--port", text}).capture.portCode;
    };
    EXPECT_EQ(portOf("$3BC"), voltarix::port::PortCodeLpt1);
    EXPECT_EQ(portOf("$378"), voltarix::port::PortCodeLpt2);
    EXPECT_EQ(portOf("$278"), voltarix::port::PortCodeLpt3);
    EXPECT_EQ(portOf("$3bc"), voltarix::port::PortCodeLpt1);
    EXPECT_EQ(portOf("0x378"), voltarix::port::PortCodeLpt2);
    EXPECT_EQ(portOf("278"), voltarix::port::PortCodeLpt3);
}

// Each mistake is one line of its own, then a blank line and the usage, on
// standard error, with status 1.
TEST(CaptureArguments, EveryBadArgumentGetsItsLineAndTheUsage) {
    const struct {
        QStringList arguments;
        QString line;
    } cases[] = {
        {{"--capture", "10", "--output", "o.vcd"},
         "Длительность записи — число больше нуля с единицей (us, ms, s, min, h), например 10s "
         "или 500ms, а не '10'."},
        {{"--capture", "soon", "--output", "o.vcd"},
         "Длительность записи — число больше нуля с единицей (us, ms, s, min, h), например 10s "
         "или 500ms, а не 'soon'."},
        {{"--capture", "0s", "--output", "o.vcd"},
         "Длительность записи — число больше нуля с единицей (us, ms, s, min, h), например 10s "
         "или 500ms, а не '0s'."},
        {{"--cycles", "0", "--output", "o.vcd"},
         "Число циклов — целое число больше нуля, а не '0'."},
        {{"--cycles", "-5", "--output", "o.vcd"},
         "Число циклов — целое число больше нуля, а не '-5'."},
        {{"--cycles", " 5", "--output", "o.vcd"},
         "Число циклов — целое число больше нуля, а не ' 5'."},
        {{"--cycles", "1e6", "--output", "o.vcd"},
         "Число циклов — целое число больше нуля, а не '1e6'."},
        {{"--capture", "1s", "--output", "o.vcd", "--port", "78"},
         "Неизвестный порт '78': укажите $3BC, $378 или $278 (в оболочке — в кавычках: '$378')."},
        {{"--capture", "1s", "--output", "o.vcd", "--port", "$37"},
         "Неизвестный порт '$37': укажите $3BC, $378 или $278 (в оболочке — в кавычках: '$378')."},
        {{"--capture", "1s"}, "Для записи без окна нужен файл: --output ФАЙЛ.vcd."},
        {{"--capture", "1s", "--output", ""}, "Для записи без окна нужен файл: --output ФАЙЛ.vcd."},
        {{"--output", "o.vcd"},
         "--output, --port, --coherent и --decode задают запись без окна: только вместе с "
         "--capture или --cycles."},
        {{"--simulate", "--coherent"},
         "--output, --port, --coherent и --decode задают запись без окна: только вместе с "
         "--capture или --cycles."},
        {{"--decode", "uart:rx=15"},
         "--output, --port, --coherent и --decode задают запись без окна: только вместе с "
         "--capture или --cycles."},
        {{"--capture", "1s", "--output", "o.vcd", "extra"}, "Unexpected argument 'extra'."},
        {{"--capture"}, "Missing value after '--capture'."},
    };
    for (const auto& each : cases) {
        const CommandLine result = parse(each.arguments);
        ASSERT_EQ(result.action, CommandLine::Action::Exit) << joined(each.arguments);
        EXPECT_EQ(result.exitCode, 1) << joined(each.arguments);
        EXPECT_TRUE(result.toStandardError);
        EXPECT_TRUE(result.output.startsWith(each.line + "\n\nUsage:"))
            << joined(each.arguments) << "\n"
            << result.output.left(200).toStdString();
    }
}

TEST(CaptureArguments, TheHelpShowsTheWholeSyntaxWithAnExample) {
    const QString help = parse({"--help"}).output;
    for (const char* part :
         {"voltarix --capture ДЛИТЕЛЬНОСТЬ --output ФАЙЛ.vcd [--cycles N] [--port ПОРТ]",
          "[--coherent] [--decode ДЕКОДЕРЫ] [--simulate [--simulate-baud N]]",
          "--decode uart:rx=15:baudrate=9600", "--decode <ДЕКОДЕРЫ>",
          "voltarix --simulate --simulate-baud 9600 --capture 2s --output uart.vcd",
          "--capture <ДЛИТЕЛЬНОСТЬ>", "--cycles <N>", "--output <ФАЙЛ.vcd>", "--port <ПОРТ>",
          "--coherent", "Ctrl+C"}) {
        EXPECT_TRUE(help.contains(QString::fromUtf8(part))) << part;
    }
}
