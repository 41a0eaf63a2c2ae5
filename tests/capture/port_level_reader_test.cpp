#include "capture/port_level_reader.h"
#include "panel/pin_model.h"
#include "port/connector_pins.h"
#include "port/lpt_port_connection.h"
#include "support/fake_port_platform.h"

#include <QString>
#include <gtest/gtest.h>

#include <memory>

using namespace voltarix;
using testkit::FakePortPlatform;

namespace {

struct ReaderRig {
    ReaderRig() {
        auto platform = std::make_unique<FakePortPlatform>();
        fake = platform.get();
        connection = std::make_unique<port::TLptPortConnection>(std::move(platform));
    }
    FakePortPlatform* fake = nullptr;
    std::unique_ptr<port::TLptPortConnection> connection;
};

// The levels the panel's pin functions give, in capture order.
std::uint32_t pinFunctionLevels(port::TLptPortConnection& connection, const QString& port) {
    const panel::PinModel pins(connection, [port] { return port; });
    std::uint32_t levels = 0;
    for (std::size_t k = 0; k < port::captureOrderPins.size(); ++k)
        levels |= (pins.pin(port::captureOrderPins[k]) ? 1u : 0u) << k;
    return levels;
}

} // namespace

// Every register value, each register with a value of its own so that a mixed
// up register shows: one read of each register gives the same 17 lines as
// the pin functions, and so does a read of every line by itself.
TEST(PortLevelReader, BothWaysOfReadingGiveThePinFunctionsLevelsForEveryRegisterValue) {
    ReaderRig rig;
    capture::PortLevelReader reader(*rig.connection);
    reader.setPortCode(port::PortCodeLpt2);
    testkit::FakePort& p = rig.fake->port(port::PortCodeLpt2);
    for (int v = 0; v < 256; ++v) {
        p.status = static_cast<std::uint8_t>(v);
        p.control = static_cast<std::uint8_t>(255 - v);
        p.data = static_cast<std::uint8_t>(v ^ 0x5A);
        const std::uint32_t expected = pinFunctionLevels(*rig.connection, "$378");
        reader.setCoherent(false);
        ASSERT_EQ(reader.readLevels(), expected) << "value " << v;
        reader.setCoherent(true);
        ASSERT_EQ(reader.readLevels(), expected) << "value " << v;
        ASSERT_EQ(capture::PortLevelReader::levelsOf(p.status, p.control, p.data), expected);
    }
}

TEST(PortLevelReader, SeventeenRequestsInCaptureOrderOrThreeOnceEach) {
    ReaderRig rig;
    capture::PortLevelReader reader(*rig.connection);
    reader.setPortCode(port::PortCodeLpt3);
    rig.fake->clearLog();
    const int requestsAtStart = rig.fake->deviceRequests;
    reader.readLevels();
    std::vector<std::uint8_t> selectors;
    for (const auto& access : rig.fake->log)
        selectors.push_back(access.selector);
    EXPECT_EQ(selectors,
              (std::vector<std::uint8_t>{0x31, 0x31, 0x31, 0x31, 0x31, 0x32, 0x32, 0x32, 0x32, 0x30,
                                         0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30}));
    EXPECT_EQ(rig.fake->deviceRequests - requestsAtStart, 17);

    reader.setCoherent(true);
    reader.setPortCode(port::PortCodeLpt1);
    rig.fake->clearLog();
    const int requestsBefore = rig.fake->deviceRequests;
    reader.readLevels();
    selectors.clear();
    for (const auto& access : rig.fake->log)
        selectors.push_back(access.selector);
    EXPECT_EQ(selectors, (std::vector<std::uint8_t>{0x11, 0x12, 0x10}))
        << "status, control, data: the order of the lines";
    EXPECT_EQ(rig.fake->deviceRequests - requestsBefore, 3);
}

TEST(PortLevelReader, APortThatIsNotReadyGivesTheNotReadyLevels) {
    ReaderRig rig;
    rig.fake->failRequests = true;
    capture::PortLevelReader reader(*rig.connection);
    // A failed read is 0: pins 1, 11, 14 and 17 read high, all others low.
    std::uint32_t expected = 0;
    for (std::size_t k = 0; k < port::captureOrderPins.size(); ++k) {
        const int pin = port::captureOrderPins[k];
        if (pin == 1 || pin == 11 || pin == 14 || pin == 17)
            expected |= 1u << k;
    }
    EXPECT_EQ(reader.readLevels(), expected);
    reader.setCoherent(true);
    EXPECT_EQ(reader.readLevels(), expected);
}
