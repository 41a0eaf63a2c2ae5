// The 9x family without the driver: the connection reaches the port with the
// processor's port instructions. Wine reports the 9x family to this program
// (its version setting); the instructions themselves run for real and are
// caught by PortInstructionTrap, which stands in for the port hardware.
#include "port/lpt_port_connection.h"
#include "port/windows/windows_port_platform.h"
#include "port_instruction_trap.h"
#include "service_manager.h"

#include <gtest/gtest.h>

#include <memory>

namespace voltarix::port::windows {
namespace {

using testing::PortInstructionTrap;
using testing::ServiceManager;
using Access = PortInstructionTrap::Access;

class NineXDirectAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        // One port, at 0x378: the data and control registers hold what is
        // written, the status register reads 0x7F.
        trap.attachRegister(0x378, 0x00);
        trap.attachRegister(0x379, 0x7F);
        trap.attachRegister(0x37A, 0x0C);
        auto owned = std::make_unique<WindowsPortPlatform>();
        platform = owned.get();
        connection = std::make_unique<TLptPortConnection>(std::move(owned));
    }

    PortInstructionTrap trap;
    WindowsPortPlatform* platform = nullptr;
    std::unique_ptr<TLptPortConnection> connection;
};

TEST_F(NineXDirectAccessTest, WithoutDriverTheConnectionIsReadyWithoutAnyService) {
    ASSERT_FALSE(connection->IsNT()) << "Wine's version setting must say 9x for this program";
    EXPECT_TRUE(connection->IsReady());
    EXPECT_FALSE(connection->serviceStarted());
    EXPECT_FALSE(platform->driverService().libraryLoaded());
    ServiceManager manager;
    EXPECT_FALSE(manager.exists("lptwdmio"));
}

TEST_F(NineXDirectAccessTest, TheProbesAtStartFindOnlyThePortThatAnswers) {
    EXPECT_FALSE(connection->wasPresentAtStart(PortCodeLpt1));
    EXPECT_TRUE(connection->wasPresentAtStart(PortCodeLpt2));
    EXPECT_FALSE(connection->wasPresentAtStart(PortCodeLpt3));
    // The data register is left as it was found.
    EXPECT_EQ(trap.registerValue(0x378), 0x00);
}

TEST_F(NineXDirectAccessTest, ARegisterReadIsOneInputInstructionAtItsAddress) {
    trap.clearAccesses();
    EXPECT_EQ(connection->ReadPort(PortCodeLpt2, RegStatus), 0x7F);
    EXPECT_EQ(trap.accesses(), (std::vector<Access>{{false, 0x379, 0x7F}}));
}

TEST_F(NineXDirectAccessTest, ARegisterWriteIsOneOutputInstructionAtItsAddress) {
    trap.clearAccesses();
    EXPECT_TRUE(connection->WritePort(PortCodeLpt1, RegControl, 0x0C));
    EXPECT_TRUE(connection->WritePort(PortCodeLpt2, RegData, 0xA5));
    EXPECT_EQ(trap.accesses(), (std::vector<Access>{{true, 0x3BE, 0x0C}, {true, 0x378, 0xA5}}));
    EXPECT_EQ(connection->ReadPort(PortCodeLpt2, RegData), 0xA5);
}

TEST_F(NineXDirectAccessTest, UnknownPortNumbersGoToTheThirdPortAndOffsetsKeepThreeBits) {
    std::array<AccessRecord, 3> records{{{0x07, 0}, {0x4F, 0}, {0xF9, 0}}};
    trap.clearAccesses();
    EXPECT_TRUE(connection->ReadPorts(records));
    EXPECT_EQ(
        trap.accesses(),
        (std::vector<Access>{{false, 0x27F, 0xFF}, {false, 0x27F, 0xFF}, {false, 0x279, 0xFF}}));
    EXPECT_EQ(records[0].value, 0xFF);
}

TEST_F(NineXDirectAccessTest, TheDirectionProbeSeesAControlRegisterThatHoldsBitFive) {
    EXPECT_TRUE(connection->IsBidirectional(PortCodeLpt2));
    EXPECT_EQ(trap.registerValue(0x37A), 0x0C);
    EXPECT_FALSE(connection->IsBidirectional(PortCodeLpt1));
}

} // namespace
} // namespace voltarix::port::windows
