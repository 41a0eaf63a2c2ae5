// The driver loaded by the program itself, against the guest's kernel: with
// the modules out and port instructions refused, the connection loads
// parport, parport_pc and ppdev through libkmod, and at its end unloads
// exactly what it inserted.

#include "guest_driver.h"
#include "without_raw_io.h"

#include "port/linux/kernel_modules.h"
#include "port/linux/libkmod_modules.h"
#include "port/linux/linux_port_platform.h"
#include "port/linux/parport_tree.h"
#include "port/linux/system_port_io.h"
#include "port/linux/system_ppdev_syscalls.h"
#include "port/lpt_port_connection.h"
#include "port/port_codes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace voltarix::kerneltest {
namespace {

using port::LinuxPortPlatform;
using port::PortCodeLpt2;
using port::RegControl;
using port::RegData;
using port::RegStatus;
using port::TLptPortConnection;
using port::linux_::KernelModules;

const char* const DriverModules[] = {"parport", "parport_pc", "ppdev"};

class ProgramLoadsTheDriver : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_THROW(driver.unload()); }

    // The connection reaches the port and sees it as the kernel set it up.
    static void expectThePortReached(TLptPortConnection& connection) {
        ASSERT_TRUE(connection.IsReady());
        EXPECT_TRUE(connection.IsNT());
        EXPECT_TRUE(connection.serviceStarted());
        EXPECT_TRUE(connection.wasPresentAtStart(PortCodeLpt2));
        EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegStatus), 0xD8);
        EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegControl), 0x0C);
        EXPECT_TRUE(connection.WritePort(PortCodeLpt2, RegData, 0x96));
        EXPECT_EQ(connection.ReadPort(PortCodeLpt2, RegData), 0x96);
        EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0");
    }

    GuestDriver driver;
};

// udev's part in a start: it loads a module right after the program found
// that module missing, so that the program's own load finds it there.
class LoadedMeanwhile final : public KernelModules {
public:
    LoadedMeanwhile(GuestDriver& driver, std::string name)
        : driver_(driver), name_(std::move(name)) {}

    bool isAvailable() override { return modules_.isAvailable(); }
    bool isKnown(const std::string& name) override { return modules_.isKnown(name); }
    bool isLoaded(const std::string& name) override {
        const bool loaded = modules_.isLoaded(name);
        if (!loaded && name == name_ && !done_) {
            driver_.loadModule(name);
            done_ = true;
        }
        return loaded;
    }
    LoadResult load(const std::string& name) override { return modules_.load(name); }
    bool unload(const std::string& name) override { return modules_.unload(name); }

private:
    port::linux_::LibkmodModules modules_;
    GuestDriver& driver_;
    std::string name_;
    bool done_ = false;
};

TEST_F(ProgramLoadsTheDriver, AndTakesOutWhatItLoaded) {
    {
        const WithoutRawIo refused;
        TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
        expectThePortReached(connection);
        for (const char* name : DriverModules)
            EXPECT_TRUE(GuestDriver::isLoaded(name)) << name;
        // Loaded by name, parport_pc takes the port from the machine's ACPI
        // tables, interrupt line included.
        EXPECT_EQ(
            port::linux_::ParportTree::parseBaseAddress(GuestDriver::portSetting("base-addr")),
            0x378u);
        EXPECT_EQ(GuestDriver::portSetting("irq"), "7");
    }
    for (const char* name : DriverModules)
        EXPECT_FALSE(GuestDriver::isLoaded(name)) << name;
    EXPECT_FALSE(std::filesystem::exists("/dev/parport0"));
}

TEST_F(ProgramLoadsTheDriver, AndLeavesAModuleThatWasThereBefore) {
    ASSERT_NO_THROW(driver.loadModule("parport"));
    {
        const WithoutRawIo refused;
        TLptPortConnection connection(std::make_unique<LinuxPortPlatform>());
        expectThePortReached(connection);
    }
    EXPECT_TRUE(GuestDriver::isLoaded("parport"));
    EXPECT_FALSE(GuestDriver::isLoaded("parport_pc"));
    EXPECT_FALSE(GuestDriver::isLoaded("ppdev"));
}

TEST_F(ProgramLoadsTheDriver, AndLeavesAModuleSomeoneElseLoadedMeanwhile) {
    {
        const WithoutRawIo refused;
        TLptPortConnection connection(std::make_unique<LinuxPortPlatform>(
            port::linux_::ParportTree(), std::make_unique<port::linux_::SystemPpdevSyscalls>(),
            std::make_unique<LoadedMeanwhile>(driver, "ppdev"),
            std::make_unique<port::linux_::SystemPortIo>()));
        expectThePortReached(connection);
    }
    EXPECT_TRUE(GuestDriver::isLoaded("ppdev")) << "not the program's to take out";
    EXPECT_FALSE(GuestDriver::isLoaded("parport_pc"));
    EXPECT_TRUE(GuestDriver::isLoaded("parport")) << "ppdev still needs it";
}

} // namespace
} // namespace voltarix::kerneltest
