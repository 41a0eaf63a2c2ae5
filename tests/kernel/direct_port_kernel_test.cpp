// Port instructions from the process, against the guest's kernel and
// QEMU's port at 0x378, with the parport driver out of the kernel.

#include "guest_driver.h"
#include "without_raw_io.h"

#include "port/linux/direct_port_access.h"
#include "port/linux/linux_port_platform.h"
#include "port/linux/system_port_io.h"
#include "port/lpt_port_connection.h"
#include "port/port_codes.h"

#include <gtest/gtest.h>

#include <memory>

namespace voltarix::kerneltest {
namespace {

using port::LinuxPortPlatform;
using port::PortCodeLpt1;
using port::PortCodeLpt2;
using port::PortCodeLpt3;
using port::RegControl;
using port::RegData;
using port::RegStatus;
using port::TLptPortConnection;
using port::linux_::DirectPortAccess;
using port::linux_::SystemPortIo;

class DirectPath : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_THROW(driver.unload()); }

    GuestDriver driver;
};

TEST_F(DirectPath, PortInstructionsReachTheEmulatedRegisters) {
    DirectPortAccess direct(std::make_unique<SystemPortIo>());
    EXPECT_FALSE(direct.instructionsRefused());
    for (const std::uint8_t value : {0x00, 0x55, 0xAA, 0x5A}) {
        direct.out(0x378, value);
        EXPECT_EQ(direct.in(0x378), value);
    }
    direct.out(0x37A, 0x0C);
    EXPECT_EQ(direct.in(0x37A), 0xCC) << "the port reads control bits 6 and 7 high";
    EXPECT_EQ(direct.in(0x379), 0xD8);
    for (const std::uint16_t empty : {0x3BC, 0x3BD, 0x3BE, 0x278, 0x279, 0x27A})
        EXPECT_EQ(direct.in(empty), 0xFF) << "nothing answers at " << std::hex << empty;
}

TEST_F(DirectPath, TheConnectionFallsBackToPortInstructions) {
    TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
    ASSERT_TRUE(connection.IsReady());
    EXPECT_FALSE(connection.IsNT());
    EXPECT_FALSE(connection.serviceStarted());
    EXPECT_FALSE(connection.wasPresentAtStart(PortCodeLpt1));
    EXPECT_TRUE(connection.wasPresentAtStart(PortCodeLpt2));
    EXPECT_FALSE(connection.wasPresentAtStart(PortCodeLpt3));
    EXPECT_TRUE(connection.IsBidirectional(PortCodeLpt2));
    EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegStatus), 0xD8);

    EXPECT_TRUE(connection.WritePort(PortCodeLpt2, RegControl, 0x0F));
    EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegControl), 0xCF);
    EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegStatus), 0x58) << "strobing: Busy dropped";
    EXPECT_TRUE(connection.WritePort(PortCodeLpt2, RegControl, 0x0C));

    EXPECT_TRUE(connection.WritePort(PortCodeLpt2, RegData, 0x33));
    EXPECT_TRUE(connection.WritePort(PortCodeLpt2, RegControl, 0x2C));
    EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegData), 0xFF) << "reversed: the lines float";
    EXPECT_TRUE(connection.WritePort(PortCodeLpt2, RegControl, 0x0C));
    EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegData), 0x33);
    for (const char* name : {"parport", "parport_pc", "ppdev"})
        EXPECT_FALSE(GuestDriver::isLoaded(name)) << name;
}

TEST_F(DirectPath, RefusedPortInstructionsAreNeverExecuted) {
    const WithoutRawIo refused;
    DirectPortAccess direct(std::make_unique<SystemPortIo>());
    EXPECT_TRUE(direct.instructionsRefused());
    // The port itself would read 0xD8, and this thread may still hold an
    // earlier test's grant for it: 0xFF says the instruction was not run.
    EXPECT_EQ(direct.in(0x379), 0xFF) << "refused reads as a floating bus";
}

} // namespace
} // namespace voltarix::kerneltest
