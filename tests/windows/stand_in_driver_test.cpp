// The protected-platform path with a driver that loads: LPTWDMIO.SYS beside
// this program is the stand-in driver (stand_in_driver/), which Wine's
// driver host runs as the kernel-driver service.
#include "connection_under_test.h"
#include "service_manager.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <set>
#include <thread>

namespace voltarix::port::windows {
namespace {

using Connection = testing::ConnectionUnderTest;
using testing::executableFolder;
using testing::ServiceHandle;
using testing::ServiceManager;

constexpr const char* ServiceName = "lptwdmio";

bool deviceOpens() {
    const HANDLE device =
        ::CreateFileA(WindowsPortPlatform::DriverDevicePath, GENERIC_READ | GENERIC_WRITE, 3,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(device);
    return true;
}

class StandInDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(::GetFileAttributesA((executableFolder() + "LPTWDMIO.SYS").c_str()),
                  INVALID_FILE_ATTRIBUTES)
            << "the stand-in driver belongs beside this program";
        ASSERT_NE(manager.manager(), nullptr);
        manager.removeCompletely(ServiceName);
        ASSERT_FALSE(manager.exists(ServiceName));
        ASSERT_FALSE(deviceOpens());
    }
    // A deleted service that still runs can only be stopped through a
    // handle taken before: watch() keeps one, and this stops the driver.
    void TearDown() override {
        if (watched)
            ServiceManager::stopAndWait(watched.get());
        watched.reset();
        manager.removeCompletely(ServiceName);
    }

    void watch() {
        watched = manager.open(ServiceName);
        ASSERT_NE(watched, nullptr);
    }

    ServiceManager manager;
    ServiceHandle watched;
};

TEST_F(StandInDriverTest, TheRegisteredDriverStartsAndTheSecondOpenReachesIt) {
    Connection run;
    watch();

    EXPECT_TRUE(run.connection->IsReady());
    EXPECT_TRUE(run.connection->IsNT());
    EXPECT_TRUE(run.connection->serviceStarted());
    EXPECT_EQ(ServiceManager::state(watched.get()), static_cast<DWORD>(SERVICE_RUNNING));
    // The probes at construction went through the driver.
    EXPECT_FALSE(run.connection->wasPresentAtStart(PortCodeLpt1));
    EXPECT_TRUE(run.connection->wasPresentAtStart(PortCodeLpt2));
    EXPECT_FALSE(run.connection->wasPresentAtStart(PortCodeLpt3));
}

TEST_F(StandInDriverTest, ReadsAndWritesAreAnsweredByTheDriver) {
    Connection run;
    watch();
    TLptPortConnection& port = *run.connection;

    EXPECT_EQ(port.ReadPort(PortCodeLpt2, RegStatus), 0x7F);
    EXPECT_TRUE(port.WritePort(PortCodeLpt2, RegData, 0xA5));
    EXPECT_EQ(port.ReadPort(PortCodeLpt2, RegData), 0xA5);
    EXPECT_EQ(port.ReadPort(PortCodeLpt1, RegStatus), 0xFF);
    EXPECT_TRUE(port.IsBidirectional(PortCodeLpt2));
    EXPECT_FALSE(port.IsBidirectional(PortCodeLpt3));
}

TEST_F(StandInDriverTest, ABatchIsFilledInPlaceByOneRequest) {
    Connection run;
    watch();
    ASSERT_TRUE(run.connection->WritePort(PortCodeLpt2, RegData, 0x3C));

    std::array<AccessRecord, 3> records{{{0x20, 0}, {0x21, 0}, {0x12, 0}}};
    EXPECT_TRUE(run.connection->ReadPorts(records));
    EXPECT_EQ(records[0].value, 0x3C);
    EXPECT_EQ(records[1].value, 0x7F);
    EXPECT_EQ(records[2].value, 0xFF);
    // Selectors are never changed by the driver's answer.
    EXPECT_EQ(records[2].selector, 0x12);
}

TEST_F(StandInDriverTest, ARequestTheDriverRefusesFailsThroughTheLastError) {
    Connection run;
    watch();
    TLptPortConnection& port = *run.connection;

    // Port number 4 is not one the driver knows.
    EXPECT_EQ(port.ReadPort(0x40, RegData), 0);
    EXPECT_EQ(port.lastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(port.WritePort(0x40, RegData, 0x01));
    EXPECT_EQ(port.lastError(), ERROR_INVALID_PARAMETER);

    // One bad record fails the whole request; nothing comes back.
    std::array<AccessRecord, 2> records{{{0x21, 0x99}, {0x47, 0x99}}};
    EXPECT_FALSE(port.ReadPorts(records));
    EXPECT_EQ(records[0].value, 0x99);
    // And a good request after it succeeds: the error was cleared first.
    EXPECT_EQ(port.ReadPort(PortCodeLpt2, RegStatus), 0x7F);
}

// A capture's sampler reads through the driver while the window's timers
// write: requests from two threads at once, each with its own last error.
TEST_F(StandInDriverTest, OneThreadReadsWhileAnotherWritesAndEachKeepsItsOwnError) {
    Connection run;
    watch();
    TLptPortConnection& port = *run.connection;
    std::atomic<bool> stop = false;
    std::atomic<int> readerFailures = 0;
    std::atomic<int> readerErrors = 0;
    std::set<std::uint8_t> seen;
    std::thread reader([&] {
        while (!stop) {
            std::array<AccessRecord, 3> records{{{0x21, 0}, {0x22, 0}, {0x20, 0}}};
            if (!port.ReadPorts(records))
                ++readerFailures;
            if (port.lastError() != 0)
                ++readerErrors;
            seen.insert(records[2].value);
        }
    });
    int writerRefusals = 0;
    for (int round = 0; round < 500; ++round) {
        port.WritePort(PortCodeLpt2, RegData, round % 2 ? 0x11 : 0xEE);
        writerRefusals += port.WritePort(0x40, RegData, 0) ? 0 : 1;
        EXPECT_EQ(port.lastError(), ERROR_INVALID_PARAMETER);
    }
    stop = true;
    reader.join();
    EXPECT_EQ(writerRefusals, 500);
    EXPECT_EQ(readerFailures, 0);
    EXPECT_EQ(readerErrors, 0) << "the writer's refused requests left their error in its thread";
    for (const std::uint8_t value : seen)
        EXPECT_TRUE(value == 0x11 || value == 0xEE || value == 0x00) << int(value);
}

TEST_F(StandInDriverTest, DestructionDeletesTheServiceButLeavesTheDriverRunning) {
    Connection run;
    watch();

    run.destroy();
    EXPECT_EQ(ServiceManager::state(watched.get()), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_TRUE(deviceOpens());

    EXPECT_TRUE(ServiceManager::stopAndWait(watched.get()));
    watched.reset();
    EXPECT_TRUE(manager.waitUntilGone(ServiceName));
    EXPECT_FALSE(deviceOpens());
}

TEST_F(StandInDriverTest, ADriverAlreadyRunningIsUsedAsItIsAndKept) {
    ASSERT_TRUE(manager.create(ServiceName, "started before", SERVICE_KERNEL_DRIVER,
                               executableFolder() + "LPTWDMIO.SYS"));
    watch();
    ASSERT_TRUE(::StartServiceA(watched.get(), 0, nullptr));
    ASSERT_TRUE(deviceOpens());

    Connection run;
    EXPECT_TRUE(run.connection->IsReady());
    EXPECT_FALSE(run.connection->serviceStarted());
    EXPECT_FALSE(run.platform->driverService().libraryLoaded());
    EXPECT_EQ(run.connection->ReadPort(PortCodeLpt2, RegStatus), 0x7F);

    run.destroy();
    EXPECT_TRUE(manager.exists(ServiceName));
    EXPECT_EQ(ServiceManager::state(watched.get()), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_TRUE(deviceOpens());
}

} // namespace
} // namespace voltarix::port::windows
