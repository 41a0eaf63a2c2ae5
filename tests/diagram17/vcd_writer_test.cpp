#include "diagram17/vcd_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace voltarix::diagram17 {
namespace {

// Trace numbers of a few pins (bit k of a cycle word is trace k).
constexpr int tracePin11 = 0;
constexpr int tracePin15 = 4;
constexpr int tracePin1 = 8;
constexpr int tracePin2 = 16;

std::uint32_t bit(int trace) {
    return 1u << trace;
}

std::string after(const std::string& text, const std::string& marker) {
    const auto at = text.find(marker);
    return at == std::string::npos ? std::string() : text.substr(at + marker.size());
}

TEST(VcdWriter, HeaderDeclaresEveryPinOnceInItsRegisterScope) {
    std::ostringstream out;
    VcdWriter writer(out);
    writer.writeHeader("Tue Dec  8 10:00:00 2026", "VOLTARIX 0.1");
    const std::string text = out.str();

    EXPECT_NE(text.find("$date\n    Tue Dec  8 10:00:00 2026\n$end\n"), std::string::npos);
    EXPECT_NE(text.find("$version\n    VOLTARIX 0.1\n$end\n"), std::string::npos);
    EXPECT_NE(text.find("$timescale 1 us $end\n"), std::string::npos);
    EXPECT_NE(text.find("$enddefinitions $end\n"), std::string::npos);

    const std::string data = "$scope module data $end\n"
                             "$var wire 1 Q Pin2 $end\n$var wire 1 P Pin3 $end\n"
                             "$var wire 1 O Pin4 $end\n$var wire 1 N Pin5 $end\n"
                             "$var wire 1 M Pin6 $end\n$var wire 1 L Pin7 $end\n"
                             "$var wire 1 K Pin8 $end\n$var wire 1 J Pin9 $end\n"
                             "$upscope $end\n";
    const std::string status = "$scope module status $end\n"
                               "$var wire 1 B Pin10 $end\n$var wire 1 A Pin11 $end\n"
                               "$var wire 1 C Pin12 $end\n$var wire 1 D Pin13 $end\n"
                               "$var wire 1 E Pin15 $end\n$upscope $end\n";
    const std::string control = "$scope module control $end\n"
                                "$var wire 1 I Pin1 $end\n$var wire 1 H Pin14 $end\n"
                                "$var wire 1 G Pin16 $end\n$var wire 1 F Pin17 $end\n"
                                "$upscope $end\n";
    EXPECT_NE(text.find(data + status + control), std::string::npos) << text;
}

TEST(VcdWriter, FirstCycleDumpsAllLinesAtTimeZero) {
    std::ostringstream out;
    VcdWriter writer(out);
    writer.writeInitial(5'000'000, bit(tracePin11) | bit(tracePin2));
    const std::string text = out.str();
    EXPECT_EQ(text.rfind("#0\n$dumpvars\n1A\n0B\n", 0), 0u) << text;
    EXPECT_NE(text.find("\n1Q\n$end\n"), std::string::npos) << text; // Pin2 high
    int lines = 0;
    for (char c : after(text, "$dumpvars\n"))
        lines += c == '\n';
    EXPECT_EQ(lines, VcdWriter::lineCount + 1); // the values and $end
}

TEST(VcdWriter, LaterCyclesWriteOnlyChangesWithTimesFromTheFirstCycle) {
    std::ostringstream out;
    VcdWriter writer(out);
    writer.writeInitial(1'000, 0);
    writer.writeCycle(1'004, 0);               // nothing changed: nothing written
    writer.writeCycle(1'008, bit(tracePin15)); // one line rises
    writer.writeCycle(1'008, bit(tracePin1));  // same microsecond: shares its stamp
    writer.writeCycle(2'500, bit(tracePin1));  // steady
    writer.writeCycle(2'504, 0);               // falls
    const std::string changes = after(out.str(), "$end\n");
    EXPECT_EQ(changes, "#8\n1E\n0E\n1I\n#1504\n0I\n");
}

TEST(VcdWriter, ClockThatStepsBackKeepsTheDumpOrdered) {
    std::ostringstream out;
    VcdWriter writer(out);
    writer.writeInitial(100, 0);
    writer.writeCycle(200, bit(tracePin2));
    writer.writeCycle(150, 0);
    writer.writeCycle(50, bit(tracePin2));
    EXPECT_EQ(after(out.str(), "$end\n"), "#100\n1Q\n0Q\n1Q\n");
}

TEST(VcdWriter, TracesMapToTheirPinsAndGroups) {
    EXPECT_EQ(VcdWriter::pinOfTrace(tracePin11), 11);
    EXPECT_EQ(VcdWriter::pinOfTrace(tracePin1), 1);
    EXPECT_EQ(VcdWriter::pinOfTrace(tracePin2), 2);
    EXPECT_STREQ(VcdWriter::groupOfTrace(tracePin15), "status");
    EXPECT_STREQ(VcdWriter::groupOfTrace(tracePin1), "control");
    EXPECT_STREQ(VcdWriter::groupOfTrace(tracePin2), "data");
}

} // namespace
} // namespace voltarix::diagram17
