// The ppdev path against the guest's kernel: parport_pc on QEMU's emulated
// port at 0x378 (SPP registers, able to tristate its data lines, no EPP or
// ECP), ppdev on top, the program's node and provider on /dev/parport0.

#include "claiming_process.h"
#include "guest_driver.h"
#include "io_space.h"

#include "port/linux/linux_port_platform.h"
#include "port/linux/parport_tree.h"
#include "port/linux/ppdev_node.h"
#include "port/linux/system_ppdev_syscalls.h"
#include "port/lpt_port_connection.h"
#include "port/port_codes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <memory>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace voltarix::kerneltest {
namespace {

using namespace std::chrono_literals;
using port::AccessRecord;
using port::LinuxPortPlatform;
using port::PortCodeLpt1;
using port::PortCodeLpt2;
using port::PortCodeLpt3;
using port::RegControl;
using port::RegData;
using port::RegStatus;
using port::TLptPortConnection;
using port::linux_::PpdevNode;
using port::linux_::SystemPpdevSyscalls;

constexpr const char* Node = "/dev/parport0";
constexpr std::uint16_t DataAddress = 0x378;
constexpr std::uint16_t ControlAddress = 0x37A;
// QEMU's printer, idle: Busy, nAck, Select and nError high.
constexpr std::uint8_t IdleStatus = 0xD8;

class PpdevPath : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_THROW(driver.load()); }

    std::uint8_t read(PpdevNode& node, std::uint8_t offset) {
        std::uint8_t value = 0xEE;
        EXPECT_EQ(node.read(offset, value), 0) << "offset " << int(offset);
        return value;
    }
    void write(PpdevNode& node, std::uint8_t offset, std::uint8_t value) {
        EXPECT_EQ(node.write(offset, value), 0) << "offset " << int(offset);
    }

    GuestDriver driver;
    SystemPpdevSyscalls syscalls;
};

TEST_F(PpdevPath, TheKernelShowsOneTristatePortAt0x378) {
    const port::linux_::ParportTree tree;
    const auto nodes = tree.nodes();
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].index, 0);
    EXPECT_EQ(nodes[0].baseAddress, 0x378u);
    EXPECT_FALSE(tree.isHeld(0));
    EXPECT_EQ(GuestDriver::activeDevice(), "none");
    // QEMU's port has no EPP registers, yet parport_pc finds "EPP" on every
    // load but the first after boot; the program asks only for TRISTATE.
    const std::string shown = GuestDriver::portSetting("modes");
    EXPECT_TRUE(shown == "PCSPP,TRISTATE" || shown == "PCSPP,TRISTATE,EPP") << shown;
    EXPECT_EQ(GuestDriver::portSetting("irq"), "-1");

    const int fd = ::open(Node, O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    unsigned int modes = 0;
    EXPECT_EQ(::ioctl(fd, PPGETMODES, &modes), 0) << "no claim needed";
    ::close(fd);
    EXPECT_NE(modes & PARPORT_MODE_TRISTATE, 0u) << "modes 0x" << std::hex << modes;
    EXPECT_EQ(modes & PARPORT_MODE_ECP, 0u) << "modes 0x" << std::hex << modes;
    EXPECT_EQ((modes & PARPORT_MODE_EPP) != 0, shown.ends_with(",EPP"));

    PpdevNode node(syscalls, Node);
    ASSERT_EQ(node.open(), 0);
    EXPECT_TRUE(node.canTristate());
}

TEST_F(PpdevPath, AClaimPutsAnotherHoldersControlAndDirectionBackToTheInitialState) {
    {
        PpdevNode earlier(syscalls, Node);
        ASSERT_EQ(earlier.open(), 0);
        write(earlier, RegData, 0x3C);
        write(earlier, RegControl, 0x23); // strobe and autofeed, data lines reversed
        EXPECT_EQ(read(earlier, RegControl), 0x23);
    }
    const IoSpace io;
    EXPECT_EQ(io.in(ControlAddress)&0x2F, 0x23) << "a release leaves the port as it was";

    // The kernel's own claim, without the forward that the program's node
    // sets after it.
    const int fd = ::open(Node, O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ioctl(fd, PPCLAIM), 0);
    EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0");
    EXPECT_EQ(io.in(ControlAddress)&0x2F, 0x0C) << "nInit high, nSelectIn low, forward";
    unsigned char data = 0;
    ASSERT_EQ(::ioctl(fd, PPRDATA, &data), 0);
    EXPECT_EQ(data, 0x3C) << "the data latch is not part of the saved state";
    ::close(fd);
    EXPECT_EQ(GuestDriver::activeDevice(), "none") << "closing released the claim";

    PpdevNode node(syscalls, Node);
    ASSERT_EQ(node.open(), 0);
    EXPECT_EQ(read(node, RegControl), 0x0C);
}

TEST_F(PpdevPath, DataWrittenReadsBackAndTheStatusIsTheIdlePrinters) {
    PpdevNode node(syscalls, Node);
    ASSERT_EQ(node.open(), 0);
    for (const std::uint8_t value : {0x00, 0x55, 0xAA, 0xFF, 0x5A}) {
        write(node, RegData, value);
        EXPECT_EQ(read(node, RegData), value);
    }
    EXPECT_EQ(read(node, RegStatus), IdleStatus);
    write(node, RegStatus, 0x00);
    EXPECT_EQ(read(node, RegStatus), IdleStatus) << "the status register is input only";
}

// QEMU's printer answers a strobe like a real one: Busy drops while nStrobe
// is low; after it, each status read steps through the acknowledge.
TEST_F(PpdevPath, TheStatusFollowsTheStrobeHandshake) {
    PpdevNode node(syscalls, Node);
    ASSERT_EQ(node.open(), 0);
    write(node, RegData, 'V');
    write(node, RegControl, 0x0D);
    EXPECT_EQ(read(node, RegStatus), 0x58);
    EXPECT_EQ(read(node, RegStatus), 0x58) << "still strobing";
    write(node, RegControl, 0x0C);
    EXPECT_EQ(read(node, RegStatus), 0x58);
    EXPECT_EQ(read(node, RegStatus), 0x18) << "nAck low";
    EXPECT_EQ(read(node, RegStatus), IdleStatus);
    EXPECT_EQ(read(node, RegStatus), IdleStatus);
    write(node, RegControl, 0x0D);
    write(node, RegControl, 0x08); // nInit low resets the printer
    EXPECT_EQ(read(node, RegStatus), IdleStatus);
}

TEST_F(PpdevPath, ControlReadsComeFromTheKernelsCopyOfBitsZeroToThree) {
    const IoSpace io;
    PpdevNode node(syscalls, Node);
    ASSERT_EQ(node.open(), 0);
    write(node, RegControl, 0x05);
    EXPECT_EQ(read(node, RegControl), 0x05);
    EXPECT_EQ(io.in(ControlAddress), 0xC5) << "the port itself reads bits 6 and 7 high";
    write(node, RegControl, 0xDA); // bits 4, 6 and 7 are not the program's to set
    EXPECT_EQ(read(node, RegControl), 0x0A);
    EXPECT_EQ(io.in(ControlAddress)&0x10, 0) << "no interrupt enabled through a write";

    // A level forced onto the control lines past the driver does not show.
    io.out(ControlAddress, 0x0F);
    EXPECT_EQ(read(node, RegControl), 0x0A);
}

TEST_F(PpdevPath, ReversedDataLinesReadTheLinesAndForwardAgainTheLatch) {
    PpdevNode node(syscalls, Node);
    ASSERT_EQ(node.open(), 0);
    write(node, RegData, 0x33);
    write(node, RegControl, 0x2C);
    EXPECT_EQ(read(node, RegControl), 0x2C);
    EXPECT_EQ(read(node, RegData), 0xFF) << "nothing drives the lines: they float high";
    write(node, RegData, 0x44);
    EXPECT_EQ(read(node, RegData), 0xFF) << "a write while reversed goes to the latch only";
    write(node, RegControl, 0x0C);
    EXPECT_EQ(read(node, RegControl), 0x0C);
    EXPECT_EQ(read(node, RegData), 0x44);
}

TEST_F(PpdevPath, AReleasedPortIsFreeForTheNextHolderAtOnce) {
    PpdevNode node(syscalls, Node);
    ASSERT_EQ(node.open(), 0);
    node.close();
    EXPECT_EQ(GuestDriver::activeDevice(), "none");
    ClaimingProcess next(Node);
    EXPECT_TRUE(next.waitUntilClaimed(5s));
}

TEST_F(PpdevPath, ANodeKeptOpenWhileParportPcWasUnloadedAnswersEnxio) {
    const int fd = ::open(Node, O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_NO_THROW(driver.unloadModule("parport_pc"));
    EXPECT_FALSE(std::filesystem::exists(Node)) << "the kernel took the node away";
    errno = 0;
    EXPECT_EQ(::ioctl(fd, PPCLAIM), -1);
    EXPECT_EQ(errno, ENXIO);
    ::close(fd);

    // The same with a node made by hand, as a static /dev has it.
    char directory[] = "/tmp/voltarix-dev-XXXXXX";
    ASSERT_NE(::mkdtemp(directory), nullptr);
    const std::string stale = std::string(directory) + "/parport0";
    ASSERT_EQ(::mknod(stale.c_str(), S_IFCHR | 0600, makedev(99, 0)), 0);
    PpdevNode node(syscalls, stale);
    EXPECT_EQ(node.open(), ENXIO);
    EXPECT_FALSE(node.isOpen());
    std::filesystem::remove_all(directory);
}

TEST_F(PpdevPath, NoNodeAtAllAnswersEnoent) {
    ASSERT_NO_THROW(driver.unload());
    LinuxPortPlatform platform;
    EXPECT_FALSE(platform.openDevice());
    EXPECT_EQ(platform.lastError(), ENOENT);
}

TEST_F(PpdevPath, TheConnectionFindsThePortAndLeavesItReleased) {
    {
        TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
        ASSERT_TRUE(connection.IsReady());
        EXPECT_FALSE(connection.IsNT()) << "root may use port instructions";
        EXPECT_FALSE(connection.serviceStarted());
        EXPECT_FALSE(connection.wasPresentAtStart(PortCodeLpt1));
        EXPECT_TRUE(connection.wasPresentAtStart(PortCodeLpt2));
        EXPECT_FALSE(connection.wasPresentAtStart(PortCodeLpt3));
        EXPECT_TRUE(connection.IsBidirectional(PortCodeLpt2));
        EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegStatus), IdleStatus);
        EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegControl), 0x0C);
        EXPECT_TRUE(connection.WritePort(PortCodeLpt2, RegData, 0xC3));
        EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegData), 0xC3);
        EXPECT_EQ(connection.ReadPort(PortCodeLpt1, RegStatus), 0) << "no node, no value";
        EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0");
    }
    EXPECT_EQ(GuestDriver::activeDevice(), "none");
    EXPECT_TRUE(GuestDriver::isLoaded("ppdev")) << "the program loaded nothing, so unloads nothing";
}

} // namespace
} // namespace voltarix::kerneltest
