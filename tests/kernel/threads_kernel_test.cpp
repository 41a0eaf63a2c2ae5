// Two threads on one port against the guest's kernel, as a capture uses it:
// the sampler's thread reads the lines while the window's thread writes the
// registers, on the ppdev path and with port instructions.

#include "guest_driver.h"

#include "capture/port_level_reader.h"
#include "capture/sample_run.h"
#include "capture/sampler.h"
#include "capture/sampling_plan.h"
#include "port/access_record.h"
#include "port/linux/linux_port_platform.h"
#include "port/lpt_port_connection.h"
#include "port/port_codes.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <sys/io.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace voltarix::kerneltest {
namespace {

using namespace std::chrono_literals;
using port::AccessRecord;
using port::LinuxPortPlatform;
using port::PortCodeLpt1;
using port::PortCodeLpt2;
using port::portSelector;
using port::RegControl;
using port::RegData;
using port::RegStatus;
using port::TLptPortConnection;

constexpr int Rounds = 200;
constexpr std::uint8_t IdleStatus = 0xD8;

// What the reading thread saw while the other one wrote.
struct Seen {
    int reads = 0;
    int failures = 0;
    std::set<std::uint8_t> data, status, control;
};

// Both threads run at once; after each write the writer lets the reader
// finish a read that began after it, so that every value written is seen
// however the threads are scheduled.
class ReaderAndWriter {
public:
    explicit ReaderAndWriter(TLptPortConnection& connection) : connection_(connection) {}

    Seen readWhileWriting(bool turnAround) {
        stop_ = false;
        Seen seen;
        std::thread reader([&] { seen = readUntilStopped(); });
        writeRounds(turnAround);
        stop_ = true;
        reader.join();
        return seen;
    }

private:
    // The data register takes turns between two values and, where asked,
    // the data lines turn around too. Between them comes a write to a port
    // without a node or hardware, which fails on the ppdev path, in this
    // thread only.
    void writeRounds(bool turnAround) {
        for (int round = 0; round < Rounds; ++round) {
            connection_.WritePort(PortCodeLpt2, RegData, round % 2 == 0 ? 0x55 : 0xAA);
            if (turnAround)
                connection_.WritePort(PortCodeLpt2, RegControl, round % 2 == 0 ? 0x2C : 0x0C);
            connection_.WritePort(PortCodeLpt1, RegData, 0x00);
            waitForAFreshRead();
        }
        connection_.WritePort(PortCodeLpt2, RegControl, 0x0C);
    }

    void waitForAFreshRead() const {
        // The read under way may have begun before the write: two more.
        const int target = reads_.load() + 2;
        while (reads_.load() < target)
            std::this_thread::yield();
    }

    // Reads the three registers in one request, over and over.
    Seen readUntilStopped() {
        Seen seen;
        while (!stop_.load()) {
            std::array<AccessRecord, 3> records = {{{portSelector(PortCodeLpt2, RegData), 0},
                                                    {portSelector(PortCodeLpt2, RegStatus), 0},
                                                    {portSelector(PortCodeLpt2, RegControl), 0}}};
            ++seen.reads;
            if (connection_.ReadPorts(records)) {
                seen.data.insert(records[0].value);
                seen.status.insert(records[1].value);
                seen.control.insert(records[2].value);
            } else {
                ++seen.failures;
            }
            ++reads_;
        }
        return seen;
    }

    TLptPortConnection& connection_;
    std::atomic<bool> stop_{false};
    std::atomic<int> reads_{0};
};

using Values = std::set<std::uint8_t>;

class TwoThreads : public ::testing::Test {
protected:
    GuestDriver driver;
};

TEST_F(TwoThreads, ReadOnePpdevNodeWhileOneWrites) {
    ASSERT_NO_THROW(driver.load());
    TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
    ASSERT_TRUE(connection.IsReady());
    connection.WritePort(PortCodeLpt2, RegData, 0x55);

    ReaderAndWriter threads(connection);
    Seen seen = threads.readWhileWriting(false);
    EXPECT_GE(seen.reads, 2 * Rounds);
    EXPECT_EQ(seen.failures, 0) << "the writer's failed requests are its own";
    EXPECT_EQ(seen.data, (Values{0x55, 0xAA}));
    EXPECT_EQ(seen.status, Values{IdleStatus});
    EXPECT_EQ(seen.control, Values{0x0C});

    seen = threads.readWhileWriting(true);
    EXPECT_EQ(seen.failures, 0);
    // 0x55 lies on the lines only between its write and the turn-around
    // that follows it in the same round: a read may or may not fall there.
    seen.data.erase(0x55);
    EXPECT_EQ(seen.data, (Values{0xAA, 0xFF})) << "reversed, the lines float high";
    EXPECT_EQ(seen.control, (Values{0x0C, 0x2C}));
    // nInit stays high and no strobe is written: the printer stays idle.
    EXPECT_EQ(seen.status, Values{IdleStatus});
}

TEST_F(TwoThreads, ReadThePortWithInstructionsWhileOneWrites) {
    ASSERT_NO_THROW(driver.unload());
    TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
    ASSERT_TRUE(connection.IsReady());
    ASSERT_FALSE(connection.IsNT()) << "root: port instructions";
    connection.WritePort(PortCodeLpt2, RegData, 0x55);
    connection.WritePort(PortCodeLpt2, RegControl, 0x0C);

    ReaderAndWriter threads(connection);
    Seen seen = threads.readWhileWriting(false);
    EXPECT_GE(seen.reads, 2 * Rounds);
    EXPECT_EQ(seen.failures, 0);
    EXPECT_EQ(seen.data, (Values{0x55, 0xAA}));
    EXPECT_EQ(seen.status, Values{IdleStatus});
    EXPECT_EQ(seen.control, Values{0xCC}) << "the port reads bits 6 and 7 high";

    seen = threads.readWhileWriting(true);
    EXPECT_EQ(seen.data, (Values{0x55, 0xAA, 0xFF}));
    EXPECT_EQ(seen.control, (Values{0xCC, 0xEC}));
}

// A thread that was running before the window's thread was granted the
// ports has no grant of its own; it must ask for itself.
TEST_F(TwoThreads, AThreadStartedBeforeTheGrantReadsThePortWithInstructions) {
    ASSERT_NO_THROW(driver.unload());
    std::atomic<TLptPortConnection*> shared{nullptr};
    std::atomic<int> status{-1};
    std::thread early([&] {
        while (shared.load() == nullptr)
            std::this_thread::yield();
        status = shared.load()->ReadPort(PortCodeLpt2, RegStatus);
    });
    TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
    ASSERT_TRUE(connection.wasPresentAtStart(PortCodeLpt2)) << "this thread was granted the port";
    shared = &connection;
    early.join();
    EXPECT_EQ(status.load(), IdleStatus);
}

// The sampler itself on the real port: its thread reads the 17 lines, one
// read of each register a sample, while this thread writes the data lines.
void sampleWhileWriting(TLptPortConnection& connection, std::uint8_t control) {
    capture::PortLevelReader reader(connection);
    reader.setPortCode(PortCodeLpt2);
    reader.setCoherent(true);
    capture::SamplingPlan plan;
    plan.realtime = false; // a busy real-time thread would starve the small guest
    capture::Sampler sampler(reader, plan);
    const std::uint32_t low = capture::PortLevelReader::levelsOf(IdleStatus, control, 0x00);
    const std::uint32_t high = capture::PortLevelReader::levelsOf(IdleStatus, control, 0xFF);

    std::set<std::uint32_t> seen;
    std::uint64_t samples = 0;
    const auto takeAll = [&] {
        capture::SampleRun run;
        while (sampler.take(run)) {
            seen.insert(run.levels);
            samples += run.count;
        }
    };
    connection.WritePort(PortCodeLpt2, RegData, 0x00);
    sampler.start();
    for (int round = 0; round < 200; ++round) {
        connection.WritePort(PortCodeLpt2, RegData, round % 2 == 0 ? 0xFF : 0x00);
        std::this_thread::sleep_for(1ms);
        takeAll();
    }
    sampler.stop();
    EXPECT_EQ(seen, (std::set<std::uint32_t>{low, high}))
        << "every sample is one of the two bytes, with the idle printer's lines";
    EXPECT_GT(samples, 200u);
}

TEST_F(TwoThreads, TheSamplerReadsAPpdevNodeWhileTheWindowWrites) {
    ASSERT_NO_THROW(driver.load());
    TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
    ASSERT_TRUE(connection.IsReady());
    sampleWhileWriting(connection, 0x0C);
}

TEST_F(TwoThreads, TheSamplerReadsThePortWithInstructionsWhileTheWindowWrites) {
    ASSERT_NO_THROW(driver.unload());
    TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
    ASSERT_TRUE(connection.IsReady());
    connection.WritePort(PortCodeLpt2, RegControl, 0x0C);
    sampleWhileWriting(connection, 0xCC);
}

// What the kernel does with ioperm and threads, found out in a process of
// its own: a thread that may not use a port dies of SIGSEGV when it tries.
// Each case reports what it read through a pipe before the next one runs.
class PermissionLab {
public:
    // Runs the lab; the lab's own end (an exit code or a signal) is kept.
    explicit PermissionLab(void (*lab)(int report)) {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe failed");
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(fds[0]);
            lab(fds[1]);
            ::_exit(0);
        }
        ::close(fds[1]);
        char byte = 0;
        while (::read(fds[0], &byte, 1) == 1)
            reports_.push_back(byte);
        ::close(fds[0]);
        ::waitpid(child, &status_, 0);
    }
    // The letters the lab's cases wrote, in order.
    const std::string& reports() const { return reports_; }
    bool endedBySegfault() const { return WIFSIGNALED(status_) && WTERMSIG(status_) == SIGSEGV; }
    bool exitedCleanly() const { return WIFEXITED(status_) && WEXITSTATUS(status_) == 0; }

private:
    std::string reports_;
    int status_ = 0;
};

// A case reads the status port and, if it lives, reports its letter.
void readAndReport(int report, char letter) {
    if (::inb(0x379) == IdleStatus)
        (void)::write(report, &letter, 1);
}

TEST_F(TwoThreads, PortInstructionPermissionBelongsToAThreadAndToWhatItStartsAfterwards) {
    ASSERT_NO_THROW(driver.unload());
    // 'a': a thread started after the grant; 'f': a process forked after
    // it; 's': a thread started before it that asked for itself; then the
    // thread started before the grant, which did not ask, reads.
    const PermissionLab lab([](int report) {
        std::atomic<int> step{0};
        std::thread before([&] {
            while (step.load() < 2)
                std::this_thread::yield();
            readAndReport(report, 'b');
        });
        std::thread beforeAsking([&] {
            while (step.load() < 1)
                std::this_thread::yield();
            if (::ioperm(0x378, 3, 1) == 0)
                readAndReport(report, 's');
            step = 2;
        });
        if (::ioperm(0x378, 3, 1) != 0)
            ::_exit(3);
        std::thread([&] { readAndReport(report, 'a'); }).join();
        const pid_t forked = ::fork();
        if (forked == 0) {
            readAndReport(report, 'f');
            ::_exit(0);
        }
        ::waitpid(forked, nullptr, 0);
        step = 1;
        beforeAsking.join();
        before.join();
    });
    EXPECT_EQ(lab.reports(), "afs");
    EXPECT_TRUE(lab.endedBySegfault()) << "the thread that was running before the grant";
}

} // namespace
} // namespace voltarix::kerneltest
