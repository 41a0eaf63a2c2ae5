#include "port/lpt_port_connection.h"
#include "port/simulated/signal_source.h"
#include "port/simulated/simulated_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <set>
#include <thread>

using namespace voltarix::port;
using namespace std::chrono_literals;

namespace {

struct SimulatedRig {
    std::chrono::nanoseconds now{0};
    SimulatedPlatform* sim = nullptr;
    std::unique_ptr<TLptPortConnection> lpt;

    SimulatedRig() {
        auto platform = std::make_unique<SimulatedPlatform>([this] { return now; });
        sim = platform.get();
        lpt = std::make_unique<TLptPortConnection>(std::move(platform));
    }
};

} // namespace

TEST(SimulatedPort, OnlyThePortAt378AnswersAndItIsBidirectional) {
    SimulatedRig rig;
    EXPECT_TRUE(rig.lpt->IsReady());
    EXPECT_FALSE(rig.lpt->wasPresentAtStart(PortCodeLpt1));
    EXPECT_TRUE(rig.lpt->wasPresentAtStart(PortCodeLpt2));
    EXPECT_FALSE(rig.lpt->wasPresentAtStart(PortCodeLpt3));
    EXPECT_TRUE(rig.lpt->IsBidirectional(PortCodeLpt2));
    EXPECT_FALSE(rig.lpt->IsBidirectional(PortCodeLpt3));
}

TEST(SimulatedPort, RegistersHoldWhatIsWrittenAndInputModeReadsTheLines) {
    SimulatedRig rig;
    rig.lpt->WritePort(PortCodeLpt2, RegData, 0xA5);
    rig.lpt->WritePort(PortCodeLpt2, RegControl, 0x0B);
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegData), 0xA5);
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegControl), 0x0B);
    rig.lpt->WritePort(PortCodeLpt2, RegControl, 0x2B);
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegData), 0xFF) << "undriven inputs are pulled high";
    rig.sim->holdDataInput(0x3C);
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegData), 0x3C);
    rig.lpt->WritePort(PortCodeLpt2, RegControl, 0x0B);
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegData), 0xA5) << "the output latch was kept";
}

TEST(SimulatedPort, StatusFollowsTheSignalSourceUntilHeld) {
    SimulatedRig rig;
    rig.now = 0ms;
    const std::uint8_t first = rig.lpt->ReadPort(PortCodeLpt2, RegStatus);
    rig.now = 10ms;
    const std::uint8_t second = rig.lpt->ReadPort(PortCodeLpt2, RegStatus);
    EXPECT_NE(first, second) << "the counter steps every 10 ms";
    rig.sim->holdStatus(0x78);
    rig.now = 20ms;
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegStatus), 0x78);
    rig.sim->releaseInputs();
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegStatus), SignalSource::statusAt(20ms));
}

TEST(SignalSource, CounterDrivesFourLinesWithBusyInverted) {
    // Counter 0: every counter line low at the connector, so Busy's register bit is set.
    EXPECT_EQ(SignalSource::statusAt(1ms) & 0xF0, 0x80);
    // Counter 15: all four lines high, Busy's register bit clear.
    EXPECT_EQ(SignalSource::statusAt(150ms) & 0xF0, 0x70);
    EXPECT_EQ(SignalSource::counterAt(160ms), 0u) << "the counter wraps after 16 steps";
}

TEST(SignalSource, SerialLineSendsFramedCharactersThenIdles) {
    const auto bit = std::chrono::nanoseconds(1s) / SignalSource::defaultBaudRate;
    auto levelOfBit = [&](int index) { return SignalSource::serialLineAt(bit * index + bit / 2); };
    EXPECT_FALSE(levelOfBit(0)) << "start bit";
    // 'V' is 0x56: bits 0..7 least significant first.
    const int v = 0x56;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(levelOfBit(1 + i), ((v >> i) & 1) != 0) << "data bit " << i;
    EXPECT_TRUE(levelOfBit(9)) << "stop bit";
    EXPECT_TRUE(SignalSource::serialLineAt(900ms)) << "idle after the frame";
    EXPECT_FALSE(SignalSource::serialLineAt(1s + bit / 2)) << "the frame repeats every second";
}

TEST(SignalSource, TheFrameAtAChosenRateKeepsItsBitsAndItsSecond) {
    for (const int baud : {300, 9600, 115200, SignalSource::maximumBaudRate}) {
        const auto bit = std::chrono::nanoseconds(1s) / baud;
        auto levelOfBit = [&](int index) {
            return SignalSource::serialLineAt(bit * index + bit / 2, baud);
        };
        // 'O' (0x4F), the second character, starts ten bits after 'V'.
        EXPECT_FALSE(levelOfBit(10)) << baud << " baud: start bit";
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(levelOfBit(11 + i), ((0x4F >> i) & 1) != 0) << baud << " baud, bit " << i;
        EXPECT_TRUE(levelOfBit(80)) << baud << " baud: idle after eight characters";
        EXPECT_FALSE(SignalSource::serialLineAt(1s + bit / 2, baud)) << baud;
        EXPECT_EQ((SignalSource::statusAt(bit * 10 + bit / 2, baud) & StatError) != 0, false);
    }
    SimulatedPlatform fast({}, 19200);
    EXPECT_EQ(fast.baudRate(), 19200);
}

// The sampler reads while the window writes: every read gives a value that
// was written, and the error a request leaves belongs to its own thread.
TEST(SimulatedPort, ReadsFromOneThreadWhileAnotherWrites) {
    SimulatedRig rig;
    std::atomic<bool> stop = false;
    std::atomic<int> readerFailures = 0;
    std::set<std::uint8_t> seen;
    std::thread reader([&] {
        while (!stop) {
            std::array<AccessRecord, 2> records{{{0x20, 0}, {0x22, 0}}};
            if (!rig.lpt->ReadPorts(records))
                ++readerFailures;
            seen.insert(records[0].value);
            if (rig.sim->lastError() != 0)
                ++readerFailures;
        }
    });
    for (int round = 0; round < 20000; ++round) {
        rig.lpt->WritePort(PortCodeLpt2, RegData, round % 2 ? 0x0F : 0xF0);
        rig.sim->setLastError(77); // the writer's own, unseen by the reader
    }
    stop = true;
    reader.join();
    EXPECT_EQ(readerFailures, 0);
    seen.erase(0x00); // before the first write
    EXPECT_TRUE(std::includes(std::set<std::uint8_t>{0x0F, 0xF0}.begin(),
                              std::set<std::uint8_t>{0x0F, 0xF0}.end(), seen.begin(), seen.end()));
    EXPECT_EQ(rig.sim->lastError(), 77);
}
