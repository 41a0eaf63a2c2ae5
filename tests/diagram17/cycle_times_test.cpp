#include "diagram17/cycle_times.h"
#include "diagram17/vcd_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace voltarix::diagram17 {
namespace {

std::vector<CycleTimes::Entry> entriesOf(const CycleTimes& times) {
    std::vector<CycleTimes::Entry> entries;
    times.forEach([&entries](const CycleTimes::Entry& entry) { entries.push_back(entry); });
    return entries;
}

TEST(CycleTimes, KeepsEveryChangeAndAnEntryEveryGapOfIdleCycles) {
    CycleTimes times;
    const std::uint64_t start = 7'000'000'000ULL; // a monotonic clock well past 2^32 us
    const std::uint64_t cycles = 3 * CycleTimes::maxGap + 10;
    for (std::uint64_t cycle = 0; cycle < cycles; ++cycle) {
        const std::uint32_t levels = cycle >= 5000 && cycle < 5002 ? 0x10 : 0;
        times.record(cycle, start + 4 * cycle, levels);
    }
    const auto entries = entriesOf(times);
    std::vector<std::uint64_t> kept;
    for (const auto& entry : entries) {
        kept.push_back(entry.cycle);
        EXPECT_EQ(entry.timeUs, start + 4 * entry.cycle);
        EXPECT_EQ(entry.levels, entry.cycle >= 5000 && entry.cycle < 5002 ? 0x10u : 0u);
    }
    EXPECT_EQ(kept, (std::vector<std::uint64_t>{0, 4096, 5000, 5002, 5002 + 4096}));
}

TEST(CycleTimes, HoursBetweenRunsAndAClockThatStepsBackStayExact) {
    CycleTimes times;
    const std::uint64_t twoHours = 2ULL * 3600 * 1'000'000;
    times.record(0, 100, 1);
    times.record(1, 100 + twoHours, 0);
    times.record(2, 50, 1); // held at the time before
    const auto entries = entriesOf(times);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].timeUs, 100 + twoHours);
    EXPECT_EQ(entries[2].timeUs, 100 + twoHours);
}

TEST(CycleTimes, CostsInProportionToChangesNotCycles) {
    CycleTimes times;
    for (std::uint64_t cycle = 0; cycle < 10'000'000; ++cycle)
        times.record(cycle, cycle * 4, (cycle / 3000) & 0xF);
    EXPECT_LT(times.size(), 10'000'000 / 3000 * 2);
    EXPECT_LT(times.memoryBytes(), 100'000u);
}

TEST(CycleTimes, RecordingExportsAsAChangeDump) {
    CycleTimes times;
    for (std::uint64_t cycle = 0; cycle < 10; ++cycle)
        times.record(cycle, 1000 + 5 * cycle, cycle >= 4 ? 1u << 16 : 0u); // Pin2 rises at 4
    std::ostringstream out;
    VcdWriter::writeRecording(out, times, "today", "VOLTARIX");
    const std::string text = out.str();
    const std::string tail = text.substr(text.find("$dumpvars"));
    EXPECT_NE(tail.find("0Q\n$end\n#20\n1Q\n"), std::string::npos) << tail;
    EXPECT_EQ(tail.find("#25"), std::string::npos);
}

} // namespace
} // namespace voltarix::diagram17
