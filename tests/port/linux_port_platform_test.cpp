#include "port/linux/linux_port_platform.h"
#include "port/lpt_port_connection.h"
#include "port/port_codes.h"

#include "linux_fake_kernel_modules.h"
#include "linux_fake_ppdev_kernel.h"
#include "linux_temp_tree.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <future>
#include <map>
#include <memory>
#include <pthread.h>
#include <set>
#include <string>
#include <thread>

namespace voltarix::port {
namespace {

using linux_::testing::FakeKernelModules;
using linux_::testing::FakeParport;
using linux_::testing::FakePpdevKernel;
using linux_::testing::ModuleDatabase;
using linux_::testing::TempTree;

// Port instructions refused, as for an ordinary user or a kernel without ioperm.
class RefusingPortIo final : public linux_::PortIo {
public:
    int permit(std::uint16_t, std::uint16_t, bool) override { return EPERM; }
    std::uint8_t in(std::uint16_t) override { return 0; }
    void out(std::uint16_t, std::uint8_t) override {}
};

class LinuxPortPlatformTest : public ::testing::Test {
protected:
    // A node in the tree and its port in the fake kernel.
    FakeParport& addPort(int index, unsigned long base) {
        tree.addPort(index, base);
        return ports[(tree.deviceDir() / ("parport" + std::to_string(index))).string()];
    }

    std::unique_ptr<LinuxPortPlatform> makePlatform() {
        auto kernel = std::make_unique<FakePpdevKernel>(ports);
        kernel_ = kernel.get();
        auto platform = std::make_unique<LinuxPortPlatform>(
            linux_::ParportTree(tree.deviceDir(), tree.sysctlDir()), std::move(kernel),
            std::make_unique<FakeKernelModules>(modules), std::make_unique<RefusingPortIo>());
        // The last error belongs to the thread, like errno: an earlier
        // test's failure would still be there. Callers clear it first.
        platform->setLastError(0);
        return platform;
    }

    int openDescriptors() const { return kernel_->openDescriptors(); }

    TempTree tree;
    std::map<std::string, FakeParport> ports;
    ModuleDatabase modules;

private:
    FakePpdevKernel* kernel_ = nullptr;
};

TEST_F(LinuxPortPlatformTest, NoNodesFailsWithEnoent) {
    auto platform = makePlatform();
    EXPECT_FALSE(platform->openDevice());
    EXPECT_EQ(platform->lastError(), ENOENT);

    LinuxPortPlatform noDevDir("/nonexistent/voltarix/dev", "/nonexistent/voltarix/sysctl");
    EXPECT_FALSE(noDevDir.openDevice());
    EXPECT_EQ(noDevDir.lastError(), ENOENT);
}

TEST_F(LinuxPortPlatformTest, NodeVanishedBeforeOpenFailsWithEnoent) {
    tree.addPort(0, 0x378); // listed, but the kernel has no such device
    auto platform = makePlatform();
    EXPECT_FALSE(platform->openDevice());
    EXPECT_EQ(platform->lastError(), ENOENT);
}

TEST_F(LinuxPortPlatformTest, RequestsGoToTheNodeOfEachPortCode) {
    FakeParport& card = addPort(0, 0xE800);
    FakeParport& onboard = addPort(1, 0x378);
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());
    EXPECT_TRUE(card.claimed);
    EXPECT_TRUE(onboard.claimed);

    const std::array<AccessRecord, 2> writes = {
        {{portSelector(PortCodeLpt2, RegData), 0x5A}, {portSelector(PortCodeLpt1, RegData), 0xA5}}};
    platform->writeRequest(writes);
    EXPECT_EQ(onboard.data, 0x5A);
    EXPECT_EQ(card.data, 0xA5);

    onboard.status = 0x87;
    std::array<AccessRecord, 2> reads = {
        {{portSelector(PortCodeLpt2, RegStatus), 0}, {portSelector(PortCodeLpt1, RegData), 0}}};
    platform->readRequest(reads);
    EXPECT_EQ(platform->lastError(), 0);
    EXPECT_EQ(reads[0].value, 0x87);
    EXPECT_EQ(reads[1].value, 0xA5);
}

TEST_F(LinuxPortPlatformTest, OpensWhenOneNodeClaimsAndReportsTheLastFailureWhenNoneDoes) {
    FakeParport& stale = addPort(0, 0x3BC);
    FakeParport& good = addPort(1, 0x378);
    stale.stale = true;
    {
        auto platform = makePlatform();
        EXPECT_TRUE(platform->openDevice());
        EXPECT_EQ(platform->lastError(), 0);
        // The node that could not be claimed is not kept open.
        EXPECT_EQ(openDescriptors(), 1);
        AccessRecord record{portSelector(PortCodeLpt1, RegData), 0};
        platform->readRequest(std::span(&record, 1));
        EXPECT_EQ(platform->lastError(), ENODEV);
    }

    good.openError = EACCES;
    auto platform = makePlatform();
    EXPECT_FALSE(platform->openDevice());
    // Node 1 (0x378) is tried after node 0 (0x3BC): its error is the last.
    EXPECT_EQ(platform->lastError(), EACCES);
    EXPECT_EQ(openDescriptors(), 0);
}

TEST_F(LinuxPortPlatformTest, AStaleNodeAnswersEnxio) {
    addPort(0, 0x378).stale = true;
    auto platform = makePlatform();
    EXPECT_FALSE(platform->openDevice());
    EXPECT_EQ(platform->lastError(), ENXIO);
    EXPECT_EQ(openDescriptors(), 0);
}

TEST_F(LinuxPortPlatformTest, APortAnotherProgramHoldsIsBusyWithoutAClaim) {
    FakeParport& printing = addPort(0, 0x3BC);
    FakeParport& free = addPort(1, 0x378);
    printing.heldElsewhere = true;
    tree.setActiveDevice(0, "lp0");
    tree.setActiveDevice(1, "none");
    {
        auto platform = makePlatform();
        EXPECT_TRUE(platform->openDevice());
        EXPECT_EQ(printing.claims, 0) << "a claim would have slept until the printer let go";
        EXPECT_TRUE(free.claimed);
        AccessRecord record{portSelector(PortCodeLpt1, RegData), 0};
        platform->readRequest(std::span(&record, 1));
        EXPECT_EQ(platform->lastError(), ENODEV);
    }

    free.heldElsewhere = true;
    tree.setActiveDevice(1, "ppdev1");
    free.claims = 0;
    auto platform = makePlatform();
    EXPECT_FALSE(platform->openDevice());
    EXPECT_EQ(platform->lastError(), EBUSY);
    EXPECT_EQ(printing.claims + free.claims, 0);
    EXPECT_EQ(openDescriptors(), 0);
}

// The holder took the port after the look at devices/active: the claim
// sleeps in the kernel, and the program must not sleep with it.
TEST_F(LinuxPortPlatformTest, AClaimThatSleepsIsCutShortAndTheOpenFailsWithEbusy) {
    FakeParport& port = addPort(0, 0x378);
    port.heldElsewhere = true;
    tree.setActiveDevice(0, "none");
    auto platform = makePlatform();
    EXPECT_FALSE(platform->openDevice());
    EXPECT_EQ(platform->lastError(), EBUSY);
    EXPECT_EQ(port.claimSleeps, 1);
    EXPECT_EQ(port.claimsNeverWoken, 0) << "the program waited as long as the kernel wanted";
    EXPECT_EQ(port.claimsRetriedWhileQueued, 0) << "an interrupted claim is closed, not retried";
    EXPECT_FALSE(port.claimed);
    EXPECT_EQ(openDescriptors(), 0);
}

TEST_F(LinuxPortPlatformTest, ConnectionWithEveryPortHeldElsewhereReportsEbusy) {
    for (int index = 0; index < 2; ++index) {
        addPort(index, index == 0 ? 0x378 : 0x278).heldElsewhere = true;
        tree.setActiveDevice(index, "lp" + std::to_string(index));
    }
    modules.known = {"parport", "parport_pc", "ppdev"};
    modules.live = modules.known;
    TLptPortConnection connection(makePlatform());
    EXPECT_FALSE(connection.IsReady());
    EXPECT_EQ(connection.lastError(), EBUSY);
    EXPECT_TRUE(modules.loads.empty());
    for (const auto& [path, port] : ports)
        EXPECT_EQ(port.claims, 0) << path;
}

TEST_F(LinuxPortPlatformTest, AClaimPutsThePortInItsInitialState) {
    FakeParport& port = addPort(0, 0x378);
    port.modes = PARPORT_MODE_PCSPP | PARPORT_MODE_TRISTATE;
    port.control = 0x03;
    port.reverse = true;
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());
    AccessRecord record{portSelector(PortCodeLpt2, RegControl), 0};
    platform->readRequest(std::span(&record, 1));
    EXPECT_EQ(record.value, 0x0C) << "nInit high, nSelectIn low, data lines forward";
    EXPECT_FALSE(port.reverse);
}

TEST_F(LinuxPortPlatformTest, CloseAndDestructionReleaseEveryClaim) {
    FakeParport& first = addPort(0, 0x378);
    FakeParport& second = addPort(1, 0x278);
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());
    platform->closeDevice();
    EXPECT_FALSE(first.claimed);
    EXPECT_FALSE(second.claimed);
    EXPECT_EQ(openDescriptors(), 0);

    ASSERT_TRUE(platform->openDevice());
    EXPECT_EQ(openDescriptors(), 2);
    platform.reset();
    EXPECT_EQ(first.releases, 2);
    EXPECT_EQ(second.releases, 2);
}

// Another program claims our port without a bound: its claim sleeps with
// the lock of every ppdev call until it is woken.
TEST_F(LinuxPortPlatformTest, ClosingDoesNotWaitBehindAnotherProgramsSleepingClaim) {
    FakeParport& port = addPort(0, 0x378);
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());

    // The other program's wake-up call: a signal whose handler does nothing.
    struct sigaction wake {};
    wake.sa_handler = [](int) {};
    sigemptyset(&wake.sa_mask);
    struct sigaction previous {};
    ASSERT_EQ(::sigaction(SIGUSR2, &wake, &previous), 0);
    FakePpdevKernel otherProgram(ports);
    std::promise<pthread_t> sleeper;
    std::thread waiting([&] {
        sleeper.set_value(::pthread_self());
        const int fd = otherProgram.open((tree.deviceDir() / "parport0").string());
        otherProgram.ioctl(fd, PPCLAIM, nullptr);
        otherProgram.close(fd);
    });
    const pthread_t waitingThread = sleeper.get_future().get();
    while (port.claimSleeps == 0)
        std::this_thread::yield();

    auto closing = std::async(std::launch::async, [&] { platform->closeDevice(); });
    const bool closedAtOnce =
        closing.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
    ::pthread_kill(waitingThread, SIGUSR2);
    closing.wait();
    waiting.join();
    ::sigaction(SIGUSR2, &previous, nullptr);
    EXPECT_TRUE(closedAtOnce) << "the close waited for the lock the sleeping claim keeps";
    EXPECT_FALSE(port.claimed);
    EXPECT_EQ(port.releases, 1);
    EXPECT_EQ(port.claimsNeverWoken, 0);
}

TEST_F(LinuxPortPlatformTest, ReversedDataLinesReadTheLinesAndForwardTheLatchAgain) {
    FakeParport& port = addPort(0, 0x378);
    port.modes = PARPORT_MODE_PCSPP | PARPORT_MODE_TRISTATE;
    port.lines = 0xF0; // something outside pulls the low four lines down
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());
    const auto write = [&](std::uint8_t offset, std::uint8_t value) {
        const AccessRecord record{portSelector(PortCodeLpt2, offset), value};
        platform->writeRequest(std::span(&record, 1));
    };
    const auto readData = [&] {
        AccessRecord record{portSelector(PortCodeLpt2, RegData), 0};
        platform->readRequest(std::span(&record, 1));
        return record.value;
    };

    write(RegData, 0x33);
    write(RegControl, 0x2C);
    EXPECT_EQ(readData(), 0xF0);
    write(RegData, 0x44);
    EXPECT_EQ(readData(), 0xF0) << "a write while reversed only sets the latch";
    write(RegControl, 0x0C);
    EXPECT_EQ(readData(), 0x44);
    EXPECT_EQ(platform->lastError(), 0);
}

// The sampler reads the node while the window writes it and turns its data
// lines around: the kernel takes the calls one at a time, each thread sees
// only its own failures, and the control register reads with the direction
// last set.
TEST_F(LinuxPortPlatformTest, ReadsFromOneThreadWhileAnotherWritesAndTurnsTheLinesAround) {
    FakeParport& port = addPort(0, 0x378);
    port.modes = PARPORT_MODE_PCSPP | PARPORT_MODE_TRISTATE;
    port.lines = 0xFF;
    TLptPortConnection connection(makePlatform());
    ASSERT_TRUE(connection.IsReady());
    std::atomic<bool> stop = false;
    std::atomic<int> readerFailures = 0;
    std::set<std::uint8_t> data;
    std::set<std::uint8_t> control;
    std::thread reader([&] {
        while (!stop) {
            std::array<AccessRecord, 2> records{{{portSelector(PortCodeLpt2, RegData), 0},
                                                 {portSelector(PortCodeLpt2, RegControl), 0}}};
            if (!connection.ReadPorts(records))
                ++readerFailures;
            data.insert(records[0].value);
            control.insert(records[1].value);
        }
    });
    int writerFailures = 0;
    for (int round = 0; round < 2000; ++round) {
        connection.WritePort(PortCodeLpt2, RegData, 0x5A);
        connection.WritePort(PortCodeLpt2, RegControl, round % 2 ? 0x2C : 0x0C);
        // No node for this port: the failure is the writer's alone.
        writerFailures += connection.WritePort(PortCodeLpt3, RegData, 0) ? 0 : 1;
    }
    stop = true;
    reader.join();
    EXPECT_EQ(readerFailures, 0);
    EXPECT_EQ(writerFailures, 2000);
    for (const std::uint8_t value : data)
        EXPECT_TRUE(value == 0x5A || value == 0xFF || value == 0x00) << int(value);
    for (const std::uint8_t value : control)
        EXPECT_TRUE(value == 0x0C || value == 0x2C) << int(value);
}

TEST_F(LinuxPortPlatformTest, FirstFailingRecordSetsTheErrorAndEndsTheRequest) {
    FakeParport& port = addPort(0, 0x378);
    port.data = 0x11;
    port.failingRequests[PPRSTATUS] = EIO;
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());

    std::array<AccessRecord, 3> reads = {{{portSelector(PortCodeLpt2, RegData), 0},
                                          {portSelector(PortCodeLpt2, RegStatus), 0},
                                          {portSelector(PortCodeLpt2, RegData), 0xEE}}};
    platform->readRequest(reads);
    EXPECT_EQ(platform->lastError(), EIO);
    EXPECT_EQ(reads[0].value, 0x11);
    EXPECT_EQ(reads[2].value, 0xEE);

    platform->setLastError(0);
    std::array<AccessRecord, 2> unmapped = {
        {{portSelector(PortCodeLpt3, RegData), 0}, {portSelector(PortCodeLpt2, RegData), 0}}};
    platform->readRequest(unmapped);
    EXPECT_EQ(platform->lastError(), ENODEV);
    EXPECT_EQ(unmapped[1].value, 0);

    platform->setLastError(0);
    const AccessRecord badOffset{portSelector(PortCodeLpt2, 3), 0x01};
    platform->writeRequest(std::span(&badOffset, 1));
    EXPECT_EQ(platform->lastError(), EINVAL);
    EXPECT_EQ(port.data, 0x11);
}

TEST_F(LinuxPortPlatformTest, StatusWritesAreIgnoredLikeTheHardwareDoes) {
    FakeParport& port = addPort(0, 0x378);
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());
    const AccessRecord write{portSelector(PortCodeLpt2, RegStatus), 0x00};
    platform->writeRequest(std::span(&write, 1));
    EXPECT_EQ(platform->lastError(), 0);
    EXPECT_EQ(port.status, 0x78);
}

TEST_F(LinuxPortPlatformTest, ControlBitFiveIsTheDirectionOnATristatePort) {
    FakeParport& port = addPort(0, 0x378);
    port.modes = PARPORT_MODE_PCSPP | PARPORT_MODE_TRISTATE;
    port.reverse = true; // left so by an earlier user of the port
    port.controlNoise = 0xC0;
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());
    EXPECT_FALSE(port.reverse);

    const auto writeControl = [&](std::uint8_t value) {
        const AccessRecord record{portSelector(PortCodeLpt2, RegControl), value};
        platform->writeRequest(std::span(&record, 1));
    };
    const auto readControl = [&] {
        AccessRecord record{portSelector(PortCodeLpt2, RegControl), 0};
        platform->readRequest(std::span(&record, 1));
        return record.value;
    };

    EXPECT_EQ(readControl(), 0x0C);
    writeControl(0xEB);
    EXPECT_EQ(port.control, 0x0B);
    EXPECT_TRUE(port.reverse);
    EXPECT_EQ(readControl(), 0x2B);
    writeControl(0x2A); // direction unchanged: no second PPDATADIR
    writeControl(0x04);
    EXPECT_FALSE(port.reverse);
    EXPECT_EQ(readControl(), 0x04);
    EXPECT_EQ(port.directionWrites, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(platform->lastError(), 0);
}

TEST_F(LinuxPortPlatformTest, ControlBitFiveStaysClearOnAPortThatCannotTurnAround) {
    FakeParport& port = addPort(0, 0x378);
    auto platform = makePlatform();
    ASSERT_TRUE(platform->openDevice());

    const AccessRecord write{portSelector(PortCodeLpt2, RegControl), 0x25};
    platform->writeRequest(std::span(&write, 1));
    AccessRecord read{portSelector(PortCodeLpt2, RegControl), 0};
    platform->readRequest(std::span(&read, 1));

    EXPECT_EQ(platform->lastError(), 0);
    EXPECT_EQ(read.value, 0x05);
    EXPECT_TRUE(port.directionWrites.empty());
}

TEST_F(LinuxPortPlatformTest, ConnectionProbesTellTristateAndPlainPortsApart) {
    FakeParport& plain = addPort(0, 0x3BC);
    FakeParport& epp = addPort(1, 0x378);
    epp.modes = PARPORT_MODE_PCSPP | PARPORT_MODE_TRISTATE | PARPORT_MODE_EPP;
    {
        TLptPortConnection connection(makePlatform());
        ASSERT_TRUE(connection.IsReady());
        EXPECT_TRUE(connection.IsNT());
        EXPECT_TRUE(connection.wasPresentAtStart(PortCodeLpt1));
        EXPECT_TRUE(connection.wasPresentAtStart(PortCodeLpt2));
        EXPECT_FALSE(connection.wasPresentAtStart(PortCodeLpt3));

        EXPECT_TRUE(connection.IsBidirectional(PortCodeLpt2));
        EXPECT_FALSE(connection.IsBidirectional(PortCodeLpt1));
        EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegControl), 0x0C) << "as the claim left it";
        EXPECT_FALSE(epp.reverse);
        EXPECT_FALSE(connection.serviceStarted());
    }
    EXPECT_FALSE(plain.claimed);
    EXPECT_FALSE(epp.claimed);
    EXPECT_TRUE(modules.loads.empty());
}

TEST_F(LinuxPortPlatformTest, ConnectionWithoutNodesLoadsTheModulesAndTakesThemOutAgain) {
    modules.known = {"parport", "parport_pc", "ppdev"};
    {
        TLptPortConnection connection(makePlatform());
        EXPECT_FALSE(connection.IsReady());
        EXPECT_EQ(connection.lastError(), ENOENT);
        EXPECT_TRUE(connection.serviceStarted());
        EXPECT_EQ(modules.loads.size(), 3u);
    }
    EXPECT_EQ(modules.unloads, (std::vector<std::string>{"ppdev", "parport_pc", "parport"}));
}

// Real open and ioctl: a file that is not a ppdev node refuses the claim.
TEST(LinuxPortPlatformOnThisMachine, NodeThatIsNotAPortFailsToClaimWithEnotty) {
    TempTree tree;
    tree.addPort(0, 0x378);
    LinuxPortPlatform platform(tree.deviceDir(), tree.sysctlDir());
    EXPECT_FALSE(platform.openDevice());
    EXPECT_EQ(platform.lastError(), ENOTTY);
}

} // namespace
} // namespace voltarix::port
