#include "port/lpt_port_connection.h"
#include "support/fake_port_platform.h"

#include <gtest/gtest.h>

#include <memory>

using namespace voltarix::port;
using voltarix::testkit::FakePort;
using voltarix::testkit::FakePortPlatform;

namespace {

// A connection over a fake platform that the test keeps a handle on.
struct Rig {
    FakePortPlatform* fake;
    std::unique_ptr<TLptPortConnection> lpt;
};

Rig makeRig(const std::function<void(FakePortPlatform&)>& setUp = {}) {
    auto platform = std::make_unique<FakePortPlatform>();
    FakePortPlatform* fake = platform.get();
    if (setUp)
        setUp(*fake);
    return {fake, std::make_unique<TLptPortConnection>(std::move(platform))};
}

void floatAll(FakePortPlatform& fake) {
    for (auto code : {PortCodeLpt1, PortCodeLpt2, PortCodeLpt3})
        fake.port(code).floating = true;
}

} // namespace

TEST(ConnectionConstruction, DeviceOpeningAtOnceStartsNoService) {
    Rig rig = makeRig();
    EXPECT_TRUE(rig.lpt->IsReady());
    EXPECT_TRUE(rig.lpt->IsNT());
    EXPECT_EQ(rig.fake->opens, 1);
    EXPECT_EQ(rig.fake->serviceStarts, 0);
    auto teardown = rig.fake->teardown;
    rig.lpt.reset();
    EXPECT_EQ(teardown->closes, 1);
    EXPECT_EQ(teardown->serviceRemovals, 0);
}

TEST(ConnectionConstruction, FailedOpenOnProtectedPlatformStartsServiceAndRetries) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        f.openResults = {false};
        f.opensAfterServiceStart = true;
    });
    EXPECT_TRUE(rig.lpt->IsReady());
    EXPECT_EQ(rig.fake->opens, 2);
    EXPECT_EQ(rig.fake->serviceStarts, 1);
    EXPECT_TRUE(rig.lpt->serviceStarted());
}

TEST(ConnectionConstruction, SecondOpenDecidesWhenTheServiceDoesNotHelp) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        f.openResults = {false};
        f.openFailureError = 2;
    });
    EXPECT_FALSE(rig.lpt->IsReady());
    EXPECT_EQ(rig.fake->opens, 2);
    EXPECT_EQ(rig.lpt->lastError(), 2);
    // Nothing was probed: no register access at all.
    EXPECT_TRUE(rig.fake->log.empty());
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegData), 0);
    EXPECT_FALSE(rig.lpt->WritePort(PortCodeLpt2, RegData, 0x12));
    EXPECT_EQ(rig.fake->deviceRequests, 0);
}

TEST(ConnectionConstruction, UnprotectedPlatformFallsBackToDirectAccessWithoutService) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        f.protectedPlatform = false;
        f.openResults = {false};
    });
    EXPECT_TRUE(rig.lpt->IsReady());
    EXPECT_FALSE(rig.lpt->IsNT());
    EXPECT_EQ(rig.fake->opens, 1);
    EXPECT_EQ(rig.fake->serviceStarts, 0);
}

TEST(ConnectionDestruction, RemovesTheServiceThisRunStartedEvenWhenOpeningFailed) {
    Rig rig = makeRig([](FakePortPlatform& f) { f.openResults = {false}; });
    ASSERT_FALSE(rig.lpt->IsReady());
    auto teardown = rig.fake->teardown;
    rig.lpt.reset();
    EXPECT_EQ(teardown->closes, 0) << "no device was open";
    EXPECT_EQ(teardown->serviceRemovals, 1);
}

TEST(ConnectionDestruction, NoServiceObtainedMeansNothingToRemove) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        f.openResults = {false};
        f.serviceObtained = false;
    });
    EXPECT_FALSE(rig.lpt->serviceStarted());
    auto teardown = rig.fake->teardown;
    rig.lpt.reset();
    EXPECT_EQ(teardown->serviceRemovals, 0);
}

TEST(ConnectionDestruction, ServiceStartedAndDeviceOpenedAreBothUndone) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        f.openResults = {false};
        f.opensAfterServiceStart = true;
    });
    ASSERT_TRUE(rig.lpt->IsReady());
    auto teardown = rig.fake->teardown;
    EXPECT_EQ(teardown->serviceRemovals, 0) << "the service stays while the program runs";
    rig.lpt.reset();
    EXPECT_EQ(teardown->closes, 1);
    EXPECT_EQ(teardown->serviceRemovals, 1);
}

TEST(DirectAccess, SelectorMapsToTheThreeBaseAddresses) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        f.protectedPlatform = false;
        f.openResults = {false};
    });
    rig.fake->clearDirectAddresses();
    std::array<AccessRecord, 4> records{{{0x21, 0}, {0x12, 0}, {0x02, 0}, {0x4F, 0}}};
    EXPECT_TRUE(rig.lpt->ReadPorts(records));
    EXPECT_EQ(rig.fake->directAddresses(),
              (std::vector<std::uint16_t>{0x379, 0x3BE, 0x27A, 0x27F}));
    EXPECT_EQ(records[0].value, 0x5A);
    rig.fake->clearDirectAddresses();
    EXPECT_TRUE(rig.lpt->WritePort(0xF0, RegControl, 0x01));
    EXPECT_EQ(rig.fake->directAddresses(), (std::vector<std::uint16_t>{0x27A}));
}

TEST(DeviceAccess, FailedRequestReadsZeroAndWriteReportsFalse) {
    Rig rig = makeRig();
    rig.fake->port(PortCodeLpt2).data = 0x77;
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegData), 0x77);
    rig.fake->failRequests = true;
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegData), 0);
    EXPECT_FALSE(rig.lpt->WritePort(PortCodeLpt2, RegData, 0x01));
    rig.fake->failRequests = false;
    EXPECT_EQ(rig.lpt->ReadPort(PortCodeLpt2, RegData), 0x77);
}

TEST(DeviceAccess, EveryAccessIsOneRequestWithItsSelector) {
    Rig rig = makeRig();
    rig.fake->clearLog();
    const int before = rig.fake->deviceRequests;
    rig.lpt->WritePort(PortCodeLpt1, RegControl, 0x0A);
    rig.lpt->ReadPort(PortCodeLpt3, RegStatus);
    EXPECT_EQ(rig.fake->deviceRequests - before, 2);
    ASSERT_EQ(rig.fake->log.size(), 2u);
    EXPECT_EQ(rig.fake->log[0], (FakePortPlatform::Access{true, 0x12, 0x0A}));
    EXPECT_EQ(rig.fake->log[1].selector, 0x31);
}

TEST(PresenceProbe, PortThatReadsBackIsPresentAndRestored) {
    Rig rig = makeRig();
    FakePort& p = rig.fake->port(PortCodeLpt2);
    p.data = 0x3C;
    rig.fake->clearLog();
    EXPECT_TRUE(rig.lpt->IsPortPresent(PortCodeLpt2));
    EXPECT_EQ(p.data, 0x3C);
    std::vector<std::uint8_t> writes;
    for (const auto& a : rig.fake->log)
        if (a.write)
            writes.push_back(a.value);
    EXPECT_EQ(writes, (std::vector<std::uint8_t>{0x00, 0x55, 0xAA, 0x3C}));
}

TEST(PresenceProbe, FloatingBusIsAbsentAfterAllThreeTestWrites) {
    Rig rig = makeRig(floatAll);
    rig.fake->clearLog();
    EXPECT_FALSE(rig.lpt->IsPortPresent(PortCodeLpt1));
    int dataWrites = 0;
    bool controlRead = false, statusRead = false;
    for (const auto& a : rig.fake->log) {
        dataWrites += a.write && a.selector == 0x10;
        controlRead |= !a.write && a.selector == 0x12;
        statusRead |= !a.write && a.selector == 0x11;
    }
    EXPECT_EQ(dataWrites, 4) << "three test writes and the restore, whatever the reads gave";
    EXPECT_TRUE(controlRead);
    EXPECT_TRUE(statusRead);
}

TEST(PresenceProbe, ReadsBackOnlyWhileEveryEarlierReadBackMatched) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        f.port(PortCodeLpt2).dataReadsBack = false;
        f.port(PortCodeLpt2).status = 0x78;
    });
    rig.fake->clearLog();
    EXPECT_TRUE(rig.lpt->IsPortPresent(PortCodeLpt2)) << "its status register answers";
    // The data register reads 0xFF: the first read-back fails, so the 0x55
    // and 0xAA writes are not read back; the restore writes what was read.
    const std::vector<FakePortPlatform::Access> expected = {
        {false, 0x20, 0xFF}, {true, 0x20, 0x00}, {false, 0x20, 0xFF}, {true, 0x20, 0x55},
        {true, 0x20, 0xAA},  {true, 0x20, 0xFF}, {false, 0x22, 0x00}, {false, 0x21, 0x78},
    };
    EXPECT_EQ(rig.fake->log, expected);
}

TEST(PresenceProbe, PortAnsweringOnlyOnControlIsPresent) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        f.port(PortCodeLpt3).dataReadsBack = false;
        f.port(PortCodeLpt3).controlReadsAs = 0xC4;
        f.port(PortCodeLpt3).status = 0x00;
    });
    EXPECT_TRUE(rig.lpt->IsPortPresent(PortCodeLpt3));
    EXPECT_TRUE(rig.lpt->wasPresentAtStart(PortCodeLpt3));
}

TEST(PresenceProbe, StatusAloneCanTellAPortIsThere) {
    Rig rig = makeRig([](FakePortPlatform& f) {
        FakePort& p = f.port(PortCodeLpt1);
        p.dataReadsBack = false;
        p.controlReadsAs = 0xFF;
        p.status = 0x78;
    });
    EXPECT_TRUE(rig.lpt->IsPortPresent(PortCodeLpt1));
    rig.fake->port(PortCodeLpt1).status = 0xFF;
    EXPECT_FALSE(rig.lpt->IsPortPresent(PortCodeLpt1));
}

TEST(PresenceProbe, ConstructionProbesTheThreePortsInOrder) {
    Rig rig = makeRig([](FakePortPlatform& f) { f.port(PortCodeLpt1).floating = true; });
    EXPECT_FALSE(rig.lpt->wasPresentAtStart(PortCodeLpt1));
    EXPECT_TRUE(rig.lpt->wasPresentAtStart(PortCodeLpt2));
    EXPECT_TRUE(rig.lpt->wasPresentAtStart(PortCodeLpt3));
}

TEST(DirectionProbe, WorkingBitIsBidirectionalAndControlIsRestored) {
    Rig rig = makeRig();
    FakePort& p = rig.fake->port(PortCodeLpt2);
    p.control = 0x0B;
    rig.fake->clearLog();
    EXPECT_TRUE(rig.lpt->IsBidirectional(PortCodeLpt2));
    EXPECT_EQ(p.control, 0x0B);
    std::vector<std::uint8_t> writes;
    for (const auto& a : rig.fake->log)
        if (a.write)
            writes.push_back(a.value);
    EXPECT_EQ(writes, (std::vector<std::uint8_t>{0x2B, 0x0B, 0x0B}));
}

TEST(DirectionProbe, BitThatNeverSetsOrNeverClearsIsNotBidirectional) {
    Rig rig = makeRig();
    rig.fake->port(PortCodeLpt2).directionBitWorks = false;
    EXPECT_FALSE(rig.lpt->IsBidirectional(PortCodeLpt2));
    rig.fake->port(PortCodeLpt2).controlReadsAs = 0x20; // stuck set
    EXPECT_FALSE(rig.lpt->IsBidirectional(PortCodeLpt2));
}

TEST(DirectionProbe, SetBitIsRestoredAfterTheProbe) {
    Rig rig = makeRig();
    rig.fake->port(PortCodeLpt2).control = 0x24;
    EXPECT_TRUE(rig.lpt->IsBidirectional(PortCodeLpt2));
    EXPECT_EQ(rig.fake->port(PortCodeLpt2).control, 0x24);
}
