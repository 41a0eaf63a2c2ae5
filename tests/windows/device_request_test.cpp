// Requests on a device whose DeviceIoControl fails: the connection takes the
// thread's last-error value as the only verdict.
#include "port/lpt_port_connection.h"
#include "port/windows/windows_port_platform.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace voltarix::port::windows {
namespace {

using testing::TemporaryFile;

// Devices that open at once but know neither request: a plain file and the
// null device.
enum class RefusingDevice { PlainFile, NullDevice };

class RefusedRequestTest : public ::testing::TestWithParam<RefusingDevice> {
protected:
    void SetUp() override {
        plainFile.create();
        auto owned = std::make_unique<WindowsPortPlatform>(devicePath());
        platform = owned.get();
        connection = std::make_unique<TLptPortConnection>(std::move(owned));
        ASSERT_TRUE(connection->IsReady());
    }

    std::string devicePath() const {
        return GetParam() == RefusingDevice::PlainFile ? plainFile.path() : R"(\\.\NUL)";
    }

    TemporaryFile plainFile;
    WindowsPortPlatform* platform = nullptr;
    std::unique_ptr<TLptPortConnection> connection;
};

TEST_P(RefusedRequestTest, AReadGivesZeroAndAWriteFails) {
    EXPECT_EQ(connection->ReadPort(PortCodeLpt2, RegStatus), 0);
    EXPECT_NE(connection->lastError(), 0);

    EXPECT_FALSE(connection->WritePort(PortCodeLpt2, RegData, 0xA5));
    EXPECT_NE(connection->lastError(), 0);
}

TEST_P(RefusedRequestTest, BatchesFailAsAWholeAndWritesLeaveTheRecords) {
    std::array<AccessRecord, 3> records{{{0x20, 0x11}, {0x21, 0x22}, {0x32, 0x33}}};
    const std::array<AccessRecord, 3> before = records;

    EXPECT_FALSE(connection->WritePorts(records));
    EXPECT_NE(connection->lastError(), 0);
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].selector, before[i].selector);
        EXPECT_EQ(records[i].value, before[i].value);
    }
    EXPECT_FALSE(connection->ReadPorts(records));
    EXPECT_NE(connection->lastError(), 0);
}

TEST_P(RefusedRequestTest, NoPortAnswersTheProbes) {
    EXPECT_FALSE(connection->wasPresentAtStart(PortCodeLpt1));
    EXPECT_FALSE(connection->wasPresentAtStart(PortCodeLpt2));
    EXPECT_FALSE(connection->wasPresentAtStart(PortCodeLpt3));
    EXPECT_FALSE(connection->IsPortPresent(PortCodeLpt2));
    EXPECT_FALSE(connection->IsBidirectional(PortCodeLpt2));
}

TEST_P(RefusedRequestTest, ARequestSetsTheLastErrorItselfWhateverItWasBefore) {
    AccessRecord record{0x21, 0};
    platform->setLastError(0);
    platform->readRequest(std::span(&record, 1));
    EXPECT_NE(platform->lastError(), 0);

    platform->setLastError(0);
    platform->writeRequest(std::span<const AccessRecord>(&record, 1));
    EXPECT_NE(platform->lastError(), 0);
}

INSTANTIATE_TEST_SUITE_P(Devices, RefusedRequestTest,
                         ::testing::Values(RefusingDevice::PlainFile, RefusingDevice::NullDevice),
                         [](const auto& info) {
                             return info.param == RefusingDevice::PlainFile ? "PlainFile"
                                                                            : "NullDevice";
                         });

TEST(ClosedDevice, RequestsFailWithAnInvalidHandle) {
    WindowsPortPlatform platform(R"(\\.\NoSuchDeviceHere)");
    EXPECT_FALSE(platform.openDevice());
    EXPECT_EQ(platform.lastError(), ERROR_FILE_NOT_FOUND);

    AccessRecord record{0x21, 0};
    platform.setLastError(0);
    platform.readRequest(std::span(&record, 1));
    EXPECT_EQ(platform.lastError(), ERROR_INVALID_HANDLE);
}

} // namespace
} // namespace voltarix::port::windows
