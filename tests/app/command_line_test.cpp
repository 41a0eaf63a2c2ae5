#include "app/command_line.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using voltarix::app::CommandLine;

namespace {

CommandLine parse(const QStringList& arguments) {
    QCoreApplication::setApplicationName("voltarix");
    QCoreApplication::setApplicationVersion("0.1");
    return CommandLine::parse(QStringList{"voltarix"} + arguments);
}

} // namespace

TEST(CommandLine, NothingOrSimulateRuns) {
    EXPECT_EQ(parse({}).action, CommandLine::Action::Run);
    EXPECT_FALSE(parse({}).simulate);
    EXPECT_TRUE(parse({"--simulate"}).simulate);
    EXPECT_EQ(parse({"-platform", "offscreen", "--simulate"}).action, CommandLine::Action::Run)
        << "the toolkit's own options pass";
}

TEST(CommandLine, HelpAndVersionPrintAndEnd) {
    const CommandLine help = parse({"--help"});
    EXPECT_EQ(help.action, CommandLine::Action::Exit);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_FALSE(help.toStandardError);
    EXPECT_TRUE(help.output.contains("--simulate"));
    EXPECT_EQ(parse({"-h"}).action, CommandLine::Action::Exit);

    const CommandLine version = parse({"--version"});
    EXPECT_EQ(version.action, CommandLine::Action::Exit);
    EXPECT_EQ(version.output, "voltarix 0.1\n");
}

TEST(CommandLine, UnknownOptionOrArgumentIsAnErrorWithTheUsage) {
    for (const QStringList& wrong :
         {QStringList{"--simulat"}, QStringList{"-x"}, QStringList{"--simulate", "file.bmp"}}) {
        const CommandLine result = parse(wrong);
        EXPECT_EQ(result.action, CommandLine::Action::Exit) << wrong.join(' ').toStdString();
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.toStandardError);
        EXPECT_TRUE(result.output.contains("Usage:"));
    }
    EXPECT_TRUE(parse({"--simulat"}).output.startsWith("Unknown option 'simulat'."));
}

TEST(CommandLine, TheSimulatedSerialLineAtAChosenRate) {
    EXPECT_EQ(parse({"--simulate"}).simulateBaud, 1200);
    const CommandLine fast = parse({"--simulate", "--simulate-baud", "19200"});
    EXPECT_EQ(fast.action, CommandLine::Action::Run);
    EXPECT_EQ(fast.simulateBaud, 19200);
    EXPECT_EQ(parse({"--simulate-baud=300", "--simulate"}).simulateBaud, 300);
    EXPECT_EQ(parse({"--simulate", "--simulate-baud", "1000000"}).simulateBaud, 1000000);
    EXPECT_TRUE(parse({"--help"}).output.contains("--simulate-baud <N>"));

    for (const QStringList& wrong :
         {QStringList{"--simulate", "--simulate-baud", "299"},
          QStringList{"--simulate", "--simulate-baud", "1000001"},
          QStringList{"--simulate", "--simulate-baud", "9600x"},
          QStringList{"--simulate", "--simulate-baud", ""}, QStringList{"--simulate-baud", "9600"},
          QStringList{"--simulate", "--simulate-baud"}}) {
        const CommandLine result = parse(wrong);
        EXPECT_EQ(result.action, CommandLine::Action::Exit) << wrong.join(' ').toStdString();
        EXPECT_EQ(result.exitCode, 1) << wrong.join(' ').toStdString();
        EXPECT_TRUE(result.toStandardError);
        EXPECT_TRUE(result.output.contains("Usage:")) << wrong.join(' ').toStdString();
    }
}
