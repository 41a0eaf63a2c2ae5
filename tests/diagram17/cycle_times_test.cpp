#include "plain_cycle_times.h"
#include "random_capture.h"

#include "diagram17/cycle_times.h"
#include "diagram17/cycle_times_reader.h"
#include "diagram17/vcd_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

namespace voltarix::diagram17 {
namespace {

using testing::PlainCycleTimes;
using testing::RandomCapture;

std::vector<CycleTimes::Entry> entriesOf(const CycleTimes& times) {
    std::vector<CycleTimes::Entry> entries;
    times.forEach([&entries](const CycleTimes::Entry& entry) { entries.push_back(entry); });
    return entries;
}

struct BothStores {
    CycleTimes coded;
    PlainCycleTimes plain;
};

std::unique_ptr<BothStores> record(unsigned seed, int runs) {
    auto both = std::make_unique<BothStores>();
    RandomCapture(seed).play(runs,
                             [&](std::uint64_t cycle, std::uint64_t timeUs, std::uint32_t levels) {
                                 both->coded.record(cycle, timeUs, levels);
                                 both->plain.record(cycle, timeUs, levels);
                             });
    return both;
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

// The capture loop passes the first cycle of every run and the last it takes of it, and may
// skip the rest: every change keeps its cycle and time, a long run its last cycle too, and a
// run of one cycle, passed as its first and its last, counts once.
TEST(CycleTimes, KeepsEveryChangeWhenPassedOnlyTheEndsOfRuns) {
    CycleTimes times;
    struct Run {
        std::uint64_t first;
        std::uint64_t last;
        std::uint32_t levels;
    };
    const std::vector<Run> runs = {{0, 9, 1}, {10, 10, 0}, {11, 20000, 1}, {20001, 20001, 3}};
    for (const Run& run : runs) {
        times.record(run.first, 100 + 2 * run.first, run.levels);
        times.record(run.last, 100 + 2 * run.last, run.levels);
    }
    std::vector<std::uint64_t> kept;
    for (const auto& entry : entriesOf(times)) {
        kept.push_back(entry.cycle);
        EXPECT_EQ(entry.timeUs, 100 + 2 * entry.cycle);
    }
    EXPECT_EQ(kept, (std::vector<std::uint64_t>{0, 10, 11, 20000, 20001}));
}

TEST(CycleTimes, HoursBetweenRunsAndAClockThatStepsBackStayExact) {
    CycleTimes times;
    const std::uint64_t twoHours = 2ULL * 3600 * 1'000'000;
    times.record(0, 100, 1);
    times.record(1, 100 + twoHours, 0);
    times.record(2, 50, 1); // held at the time before
    times.record(3, 100 + twoHours + 7, 0);
    const auto entries = entriesOf(times);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1].timeUs, 100 + twoHours);
    EXPECT_EQ(entries[2].timeUs, 100 + twoHours);
    EXPECT_EQ(entries[3].timeUs, 100 + twoHours + 7);
}

// Runs of any length, passed whole or in part, changes old and new, days between runs and a
// clock that steps back: the coded store keeps exactly what the plain rule keeps, across many
// blocks of codes, some ended early by long codes.
TEST(CycleTimes, KeepsWhatThePlainRuleKeeps) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const auto both = record(seed, 25000);
        const auto& want = both->plain.entries();
        ASSERT_GT(want.size(), 5 * CycleTimes::kMaxBlockEntries) << "several blocks";
        ASSERT_EQ(both->coded.size(), want.size());
        EXPECT_EQ(entriesOf(both->coded), want) << "seed " << seed;
    }
}

TEST(CycleTimes, ReadersStartAnywhereAndGoOnWhereTheyStopped) {
    const auto both = record(4, 25000);
    const auto& want = both->plain.entries();
    std::mt19937_64 rng(5);
    for (int q = 0; q < 200; ++q) {
        const std::size_t from = rng() % (want.size() + 1);
        CycleTimesReader reader(both->coded, from);
        std::size_t next = from;
        while (reader.available() > 0) {
            const std::size_t bite = 1 + rng() % 3000;
            const std::size_t read = reader.read(
                [&](const CycleTimes::Entry& entry) {
                    ASSERT_LT(next, want.size());
                    ASSERT_EQ(entry, want[next]) << "from " << from << " entry " << next;
                    ++next;
                },
                bite);
            ASSERT_EQ(reader.position(), next);
            ASSERT_LE(read, bite);
        }
        EXPECT_EQ(next, want.size());
        EXPECT_EQ(reader.read([](const CycleTimes::Entry&) {}), 0u);
    }
}

// A reader may stand past what is recorded yet: it reads nothing until its entry comes, then
// begins exactly there.
TEST(CycleTimes, AReaderAheadOfTheRecordingWaitsForItsEntry) {
    CycleTimes times;
    for (std::uint64_t cycle = 0; cycle < 10; ++cycle)
        times.record(cycle, cycle, static_cast<std::uint32_t>(cycle));
    CycleTimesReader reader(times, 25);
    EXPECT_EQ(reader.available(), 0u);
    EXPECT_EQ(reader.read([](const CycleTimes::Entry&) { FAIL(); }), 0u);
    for (std::uint64_t cycle = 10; cycle < 10'000; ++cycle)
        times.record(cycle, cycle * 3, static_cast<std::uint32_t>(cycle));
    std::vector<std::uint64_t> cycles;
    reader.read([&cycles](const CycleTimes::Entry& entry) { cycles.push_back(entry.cycle); }, 3);
    EXPECT_EQ(cycles, (std::vector<std::uint64_t>{25, 26, 27}));
    EXPECT_EQ(reader.available(), 10'000u - 28);
}

// About a byte an entry when every line toggles every cycle at two million cycles a second
// (time steps of 0 and 1 us in turn), and two or three for a change after thousands of idle
// cycles.
TEST(CycleTimes, CostsInProportionToChangesNotCycles) {
    CycleTimes toggling;
    constexpr std::uint64_t cycles = 2'000'000;
    for (std::uint64_t cycle = 0; cycle < cycles; ++cycle)
        toggling.record(cycle, cycle / 2, cycle % 2 ? 0x1ffffu : 0u);
    ASSERT_EQ(toggling.size(), cycles);
    const double perEntry = static_cast<double>(toggling.memoryBytes()) / cycles;
    EXPECT_LT(perEntry, 1.05);
    EXPECT_GE(perEntry, 1.0) << "a code is a byte at least: is everything counted?";

    CycleTimes sparse;
    for (std::uint64_t cycle = 0; cycle < 10'000'000; ++cycle)
        sparse.record(cycle, cycle * 10 / 3, (cycle / 3000) & 0xF);
    EXPECT_LT(sparse.size(), 10'000'000 / 3000 * 2);
    EXPECT_LT(static_cast<double>(sparse.memoryBytes()) / static_cast<double>(sparse.size()), 8.0);
    EXPECT_LT(sparse.memoryBytes(), 30'000u);
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
