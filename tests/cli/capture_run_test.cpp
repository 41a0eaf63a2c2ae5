#include "capture/port_level_reader.h"
#include "capture/sampler.h"
#include "cli/capture_run.h"
#include "cli/progress_line.h"
#include "cli/run_waker.h"
#include "counting_clock.h"
#include "diagram17/cycle_times.h"
#include "diagram17/memory_guard.h"
#include "port/lpt_port_connection.h"
#include "support/fake_port_platform.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace voltarix::cli {
namespace {

using diagram17::CycleTimes;
using testkit::FakePortPlatform;

constexpr std::uint8_t status378 = 0x21;
constexpr std::uint64_t plenty = std::uint64_t{1} << 40;

// A capture over the fake port at $378, one read of each register a cycle:
// the n-th read of the status register is cycle n, 3 us after cycle n - 1.
struct RunRig {
    RunRig() {
        auto platform = std::make_unique<FakePortPlatform>();
        fake = platform.get();
        connection = std::make_unique<port::TLptPortConnection>(std::move(platform));
        reader = std::make_unique<capture::PortLevelReader>(*connection);
        reader->setPortCode(port::PortCodeLpt2);
        reader->setCoherent(true);
        sampler = std::make_unique<capture::Sampler>(*reader);
        sampler->setClock(testkit::countingClock(*fake));
    }

    CaptureRun::Ending run(const CaptureLength& length) {
        RunWaker waker;
        ProgressLine progress(stderr, false);
        CaptureRun capture({*sampler, times, memory, waker, progress}, length);
        const CaptureRun::Ending ending = capture.run();
        cycles = capture.cycles();
        return ending;
    }

    std::vector<CycleTimes::Entry> entries() const {
        std::vector<CycleTimes::Entry> all;
        times.forEach([&all](const CycleTimes::Entry& entry) { all.push_back(entry); });
        return all;
    }

    FakePortPlatform* fake = nullptr;
    std::unique_ptr<port::TLptPortConnection> connection;
    std::unique_ptr<capture::PortLevelReader> reader;
    std::unique_ptr<capture::Sampler> sampler;
    CycleTimes times;
    diagram17::MemoryGuard memory{[] { return plenty; }};
    std::uint64_t cycles = 0;
};

// Pin 15 (Error, status bit 3) flips every ten cycles.
std::uint8_t flippingEveryTen(std::uint64_t read) {
    return (read / 10) % 2 ? 0x08 : 0x00;
}

TEST(CaptureRun, EndsAtExactlyTheCyclesAskedWithEveryChangeAtItsCycleAndTime) {
    RunRig rig;
    rig.fake->scriptReads(status378, flippingEveryTen);
    ASSERT_EQ(rig.run({std::nullopt, 1000}), CaptureRun::Ending::Complete);
    EXPECT_EQ(rig.cycles, 1000u);
    const std::vector<CycleTimes::Entry> entries = rig.entries();
    ASSERT_EQ(entries.size(), 100u) << "one a change, none for what the sampler read beyond";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].cycle, 10 * i);
        EXPECT_EQ(entries[i].timeUs - entries[0].timeUs, 3 * entries[i].cycle);
        EXPECT_EQ((entries[i].levels >> 4) & 1u, i % 2) << "pin 15 is trace 4";
    }
}

// The duration counts in the sampler's time stamps: 3 ms of cycles 3 us apart.
TEST(CaptureRun, EndsWithTheSamplesStampedBeforeTheDurationIsOver) {
    RunRig rig;
    rig.fake->scriptReads(status378, flippingEveryTen);
    ASSERT_EQ(rig.run({3'000'000, std::nullopt}), CaptureRun::Ending::Complete);
    EXPECT_EQ(rig.cycles, 1000u);

    RunRig both;
    both.fake->scriptReads(status378, flippingEveryTen);
    EXPECT_EQ(both.run({3'000'000, 400}), CaptureRun::Ending::Complete);
    EXPECT_EQ(both.cycles, 400u) << "whichever comes first";
    RunRig longer;
    longer.fake->scriptReads(status378, flippingEveryTen);
    longer.run({3'000'000, 5000});
    EXPECT_EQ(longer.cycles, 1000u);
}

// A real SIGINT, as the user's Ctrl+C: sent from the recording's own thread
// when it asks about memory at cycle 65537, so that it comes at a known point
// of the recording. The capture ends soon after, keeping what it has.
TEST(CaptureRun, ASignalEndsItEarlyKeepingWhatWasRecorded) {
    RunRig rig;
    rig.fake->scriptReads(status378, [](std::uint64_t read) -> std::uint8_t {
        return (read / 100) % 2 ? 0x08 : 0x00;
    });
    int asked = 0;
    rig.memory = diagram17::MemoryGuard([&asked] {
        if (++asked == 2)
            kill(getpid(), SIGINT);
        return plenty;
    });
    ASSERT_EQ(rig.run({std::nullopt, std::uint64_t{1} << 40}), CaptureRun::Ending::Interrupted);
    EXPECT_GE(rig.cycles, 1u + diagram17::MemoryGuard::kCyclesPerCheck);
    EXPECT_LT(rig.cycles, std::uint64_t{1} << 40);
    const std::vector<CycleTimes::Entry> entries = rig.entries();
    ASSERT_GE(entries.size(), 655u);
    EXPECT_LT(entries.back().cycle, rig.cycles);
    for (const CycleTimes::Entry& entry : entries)
        EXPECT_EQ(entry.cycle % 100, 0u) << "every change at its own cycle";
}

// Memory is asked about at the first cycle and then every 65536 cycles, as
// the window asks; the cycle that finds it short is the last one.
TEST(CaptureRun, MemoryRunningShortEndsItAtTheCycleThatFoundIt) {
    RunRig atOnce;
    atOnce.memory = diagram17::MemoryGuard([] { return std::uint64_t{0}; });
    EXPECT_EQ(atOnce.run({std::nullopt, 1'000'000}), CaptureRun::Ending::MemoryShort);
    EXPECT_EQ(atOnce.cycles, 1u);

    RunRig later;
    int asked = 0;
    later.memory = diagram17::MemoryGuard([&asked] { return ++asked > 1 ? 0 : plenty; });
    EXPECT_EQ(later.run({std::nullopt, 1'000'000}), CaptureRun::Ending::MemoryShort);
    EXPECT_EQ(later.cycles, 1u + diagram17::MemoryGuard::kCyclesPerCheck);
    EXPECT_EQ(asked, 2);
}

} // namespace
} // namespace voltarix::cli
