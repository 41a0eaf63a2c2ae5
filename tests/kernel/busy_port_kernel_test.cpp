// A port that another program holds, against the guest's kernel. ppdev
// serialises every ioctl of the whole system on one lock, which a claim
// keeps while it sleeps on a busy port: a claim of ours that sleeps holds up
// the holder's own calls, so it must never sleep long.

#include "claiming_process.h"
#include "guest_driver.h"
#include "without_raw_io.h"

#include "port/linux/linux_port_platform.h"
#include "port/linux/ppdev_node.h"
#include "port/linux/system_ppdev_syscalls.h"
#include "port/lpt_port_connection.h"
#include "port/port_codes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <memory>

namespace voltarix::kerneltest {
namespace {

using namespace std::chrono_literals;
using port::LinuxPortPlatform;
using port::PortCodeLpt2;
using port::RegStatus;
using port::TLptPortConnection;
using port::linux_::PpdevNode;
using Clock = std::chrono::steady_clock;

constexpr const char* Node = "/dev/parport0";
// What the emulated machine adds to a wait measured inside it.
constexpr auto Slack = 300ms;

class BusyPort : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_THROW(driver.load()); }

    GuestDriver driver;
};

TEST_F(BusyPort, AStartCountsAHeldPortBusyAtOnceWithoutAClaim) {
    ClaimingProcess holder(Node);
    ASSERT_TRUE(holder.waitUntilClaimed(5s));
    holder.longestCall();

    {
        // Without port instructions the ppdev path is the only way in.
        const WithoutRawIo refused;
        TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
        EXPECT_TRUE(connection.IsNT());
        EXPECT_FALSE(connection.IsReady());
        EXPECT_EQ(connection.lastError(), EBUSY);
    }
    // A claim that slept would have held the holder's calls for its bound.
    EXPECT_LT(holder.longestCall(), PpdevNode::ClaimBound / 2) << "a claim waited";
    EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0");
    EXPECT_TRUE(GuestDriver::isLoaded("ppdev")) << "the modules were there, none was loaded";
}

TEST_F(BusyPort, RootReachesAHeldPortThroughPortInstructions) {
    ClaimingProcess holder(Node);
    ASSERT_TRUE(holder.waitUntilClaimed(5s));
    TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
    ASSERT_TRUE(connection.IsReady());
    EXPECT_FALSE(connection.IsNT());
    EXPECT_TRUE(connection.wasPresentAtStart(PortCodeLpt2));
    EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegStatus), 0xD8);
    EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0") << "the holder keeps its claim";
}

// The holder took the port after the busy check looked: the claim sleeps in
// the kernel with the lock of every ppdev call, until the program wakes it.
TEST_F(BusyPort, AClaimRacingTheHolderGivesUpWithinItsBound) {
    ClaimingProcess holder(Node);
    ASSERT_TRUE(holder.waitUntilClaimed(5s));
    holder.longestCall();

    port::linux_::SystemPpdevSyscalls syscalls;
    PpdevNode late(syscalls, Node);
    const auto started = Clock::now();
    EXPECT_EQ(late.open(), EBUSY);
    const auto waited = Clock::now() - started;
    EXPECT_FALSE(late.isOpen());
    EXPECT_GE(waited, PpdevNode::ClaimBound);
    EXPECT_LT(waited, PpdevNode::ClaimBound + Slack);

    const std::chrono::microseconds heldUp = holder.longestCall();
    EXPECT_GT(heldUp, PpdevNode::ClaimBound / 2)
        << "the kernel let the holder's calls pass a sleeping claim";
    EXPECT_LT(heldUp, PpdevNode::ClaimBound + Slack);

    // The interrupted claim left nothing queued: once the holder lets go,
    // a new start claims the port at once.
    holder.letGo();
    EXPECT_EQ(GuestDriver::activeDevice(), "none");
    {
        const WithoutRawIo refused;
        TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
        ASSERT_TRUE(connection.IsReady());
        EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0");
        EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegStatus), 0xD8);
    }
    EXPECT_EQ(GuestDriver::activeDevice(), "none");
}

// Another program that claims without a bound sleeps with the kernel's lock
// until the port is free. Closing the node does not take that lock, so the
// program's exit neither waits for the other program nor keeps it waiting.
TEST_F(BusyPort, ClosingThePortHandsItToAWaitingProgramWithoutWaiting) {
    auto platform = std::make_unique<LinuxPortPlatform>();
    ASSERT_TRUE(platform->openDevice());
    ClaimingProcess waiter(Node);
    EXPECT_FALSE(waiter.waitUntilClaimed(300ms)) << "the port is ours: its claim sleeps";

    auto closing = std::async(std::launch::async, [&] { platform->closeDevice(); });
    const bool closedInTime = closing.wait_for(5s) == std::future_status::ready;
    if (!closedInTime)
        waiter.kill(); // its claim ends, and with it the kernel's lock
    closing.wait();
    EXPECT_TRUE(closedInTime) << "the close waited behind the other program's claim";
    EXPECT_TRUE(waiter.waitUntilClaimed(5s));
    EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0");
}

} // namespace
} // namespace voltarix::kerneltest
