// The driver service as the port connection registers, starts and deletes
// it, against the real service control manager and device namespace.
#include "connection_under_test.h"
#include "service_manager.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace voltarix::port::windows {
namespace {

using Connection = testing::ConnectionUnderTest;
using testing::executableFolder;
using testing::ServiceHandle;
using testing::ServiceManager;
using testing::TemporaryFile;

constexpr const char* ServiceName = "lptwdmio";
constexpr const char* ForeignDriverPath = R"(C:\elsewhere\LPTWDMIO.SYS)";
constexpr const char* ForeignDisplayName = "registered by someone else";

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class DriverServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(manager.manager(), nullptr) << "no service control manager";
        manager.removeCompletely(ServiceName);
        ASSERT_FALSE(manager.exists(ServiceName));
    }
    void TearDown() override { manager.removeCompletely(ServiceName); }

    // A service process of the tests' own under the driver's service name,
    // which writes into `record` how it is started and controlled.
    void registerRecordingService(const TemporaryFile& record) {
        const std::string command =
            "\"" + executableFolder() + "recording_service.exe\" \"" + record.path() + "\"";
        ASSERT_TRUE(
            manager.create(ServiceName, ForeignDisplayName, SERVICE_WIN32_OWN_PROCESS, command));
    }

    ServiceManager manager;
};

// Waits (bounded) until the service process has written its first line: the
// service control manager answers a start before the service has run.
std::vector<std::string> firstLinesOf(const TemporaryFile& record) {
    for (int attempt = 0; attempt < 200 && record.lines().empty(); ++attempt)
        ::Sleep(50);
    return record.lines();
}

TEST_F(DriverServiceTest, WithoutDriverTheServiceIsRegisteredStartsInVainAndIsDeletedAgain) {
    Connection run;

    EXPECT_TRUE(run.connection->IsNT());
    EXPECT_FALSE(run.connection->IsReady());
    // The second open failed: there is no such device.
    EXPECT_EQ(run.lastErrorAfterConstruction, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(run.connection->serviceStarted());
    EXPECT_TRUE(run.platform->driverService().libraryLoaded());

    const auto config = manager.config(ServiceName);
    ASSERT_TRUE(config.has_value());
    EXPECT_EQ(config->type, static_cast<DWORD>(SERVICE_KERNEL_DRIVER));
    EXPECT_EQ(config->startType, static_cast<DWORD>(SERVICE_DEMAND_START));
    EXPECT_EQ(config->errorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
    EXPECT_EQ(config->displayName, "LPT port direct access service");
    EXPECT_EQ(lowerCase(config->binaryPath), lowerCase(executableFolder() + "LPTWDMIO.SYS"));
    EXPECT_EQ(config->loadOrderGroup, "");
    EXPECT_EQ(config->dependencies, "");
    EXPECT_EQ(config->tagId, 0u);
    // Its start failed: no driver file to load.
    EXPECT_EQ(manager.state(ServiceName), static_cast<DWORD>(SERVICE_STOPPED));

    EXPECT_EQ(run.connection->ReadPort(PortCodeLpt2, RegStatus), 0);
    EXPECT_FALSE(run.connection->WritePort(PortCodeLpt2, RegData, 0x55));
    EXPECT_FALSE(run.connection->wasPresentAtStart(PortCodeLpt1));
    EXPECT_FALSE(run.connection->wasPresentAtStart(PortCodeLpt2));
    EXPECT_FALSE(run.connection->wasPresentAtStart(PortCodeLpt3));

    run.destroy();
    EXPECT_FALSE(manager.exists(ServiceName));
    EXPECT_EQ(manager.lastOpenError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
}

TEST_F(DriverServiceTest, AServiceRegisteredBeforeIsOpenedAsItIsStartedAndDeleted) {
    ASSERT_TRUE(
        manager.create(ServiceName, ForeignDisplayName, SERVICE_KERNEL_DRIVER, ForeignDriverPath));

    Connection run;

    EXPECT_FALSE(run.connection->IsReady());
    EXPECT_TRUE(run.connection->serviceStarted());
    // The creation failed, so the registration is still the one found.
    const auto config = manager.config(ServiceName);
    ASSERT_TRUE(config.has_value());
    EXPECT_EQ(config->displayName, ForeignDisplayName);
    EXPECT_EQ(config->binaryPath, ForeignDriverPath);
    EXPECT_EQ(manager.state(ServiceName), static_cast<DWORD>(SERVICE_STOPPED));

    run.destroy();
    EXPECT_FALSE(manager.exists(ServiceName));
}

TEST_F(DriverServiceTest, TheServiceIsStartedWithoutArgumentsAndNeverStopped) {
    TemporaryFile record;
    registerRecordingService(record);

    Connection run;
    ServiceHandle watched = manager.open(ServiceName);
    ASSERT_NE(watched, nullptr);

    EXPECT_TRUE(run.connection->serviceStarted());
    // The service's own name is the only argument a service gets then.
    EXPECT_EQ(firstLinesOf(record), std::vector<std::string>{"start arguments 0"});
    EXPECT_EQ(ServiceManager::state(watched.get()), static_cast<DWORD>(SERVICE_RUNNING));

    run.destroy();
    // Deleted, but left running: no stop request reached it.
    EXPECT_EQ(ServiceManager::state(watched.get()), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(record.lines(), std::vector<std::string>{"start arguments 0"});

    // The deletion takes effect once the service has stopped and the last
    // handle to it is closed.
    EXPECT_TRUE(ServiceManager::stopAndWait(watched.get()));
    watched.reset();
    EXPECT_TRUE(manager.waitUntilGone(ServiceName));
}

TEST_F(DriverServiceTest, ADeviceThatOpensAtOnceLoadsNoLibraryAndTouchesNoService) {
    TemporaryFile device;
    device.create();
    TemporaryFile record;
    registerRecordingService(record);

    Connection run(device.path());

    EXPECT_TRUE(run.connection->IsReady());
    EXPECT_FALSE(run.connection->serviceStarted());
    EXPECT_FALSE(run.platform->driverService().libraryLoaded());
    EXPECT_EQ(run.platform->driverService().driverPath(), "");

    run.destroy();
    // Still registered as it was, and never started.
    const auto config = manager.config(ServiceName);
    ASSERT_TRUE(config.has_value());
    EXPECT_EQ(config->displayName, ForeignDisplayName);
    EXPECT_EQ(manager.state(ServiceName), static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_FALSE(record.exists());
}

TEST_F(DriverServiceTest, ADeviceThatOpensAtOnceRegistersNoService) {
    TemporaryFile device;
    device.create();

    Connection run(device.path());
    EXPECT_TRUE(run.connection->IsReady());
    EXPECT_FALSE(manager.exists(ServiceName));

    run.destroy();
    EXPECT_FALSE(manager.exists(ServiceName));
}

} // namespace
} // namespace voltarix::port::windows
