#include "panel/pin_model.h"
#include "port/lpt_port_connection.h"
#include "support/fake_port_platform.h"

#include <gtest/gtest.h>

#include <memory>

using namespace voltarix;
using voltarix::panel::PinModel;
using voltarix::testkit::FakePortPlatform;

namespace {

struct PinRig {
    explicit PinRig(bool ready = true) {
        auto platform = std::make_unique<FakePortPlatform>();
        fake = platform.get();
        if (!ready)
            fake->openResults = {false};
        lpt = std::make_unique<port::TLptPortConnection>(std::move(platform));
        pins = std::make_unique<PinModel>(*lpt, [this] { return selector; });
    }
    QString selector = QStringLiteral("$378");
    FakePortPlatform* fake;
    std::unique_ptr<port::TLptPortConnection> lpt;
    std::unique_ptr<PinModel> pins;
};

} // namespace

TEST(SelectorText, OnlyTheExactTextsNameTheFirstTwoPorts) {
    EXPECT_EQ(PinModel::portCodeOf(QStringLiteral("$3BC")), 0x10);
    EXPECT_EQ(PinModel::portCodeOf(QStringLiteral("$378")), 0x20);
    EXPECT_EQ(PinModel::portCodeOf(QStringLiteral("$278")), 0x30);
    for (const char* other : {"", "$378 ", " $378", "$3bc", "378", "<...>", "$3BC\n"})
        EXPECT_EQ(PinModel::portCodeOf(QString::fromLatin1(other)), 0x30) << '"' << other << '"';
}

TEST(PinFunctions, EachReadsItsRegisterOfTheSelectedPortAfresh) {
    PinRig rig;
    rig.fake->port(port::PortCodeLpt2).data = 0xA5;
    rig.fake->clearLog();
    EXPECT_TRUE(rig.pins->Pin2());
    EXPECT_FALSE(rig.pins->Pin3());
    EXPECT_TRUE(rig.pins->Pin9());
    ASSERT_EQ(rig.fake->log.size(), 3u);
    for (const auto& access : rig.fake->log)
        EXPECT_EQ(access.selector, 0x20);

    rig.selector = QStringLiteral("$3BC");
    rig.fake->port(port::PortCodeLpt1).data = 0x00;
    EXPECT_FALSE(rig.pins->Pin2()) << "the selector's text is looked up at every read";
}

TEST(PinFunctions, ControlPinsOneFourteenAndSeventeenAreInverted) {
    PinRig rig;
    rig.fake->port(port::PortCodeLpt2).control = 0x00;
    EXPECT_TRUE(rig.pins->Pin1());
    EXPECT_TRUE(rig.pins->Pin14());
    EXPECT_TRUE(rig.pins->Pin17());
    EXPECT_FALSE(rig.pins->Pin16());
    EXPECT_FALSE(rig.pins->DirectionBit());
    rig.fake->port(port::PortCodeLpt2).control = 0x2F;
    EXPECT_FALSE(rig.pins->Pin1());
    EXPECT_FALSE(rig.pins->Pin14());
    EXPECT_FALSE(rig.pins->Pin17());
    EXPECT_TRUE(rig.pins->Pin16());
    EXPECT_TRUE(rig.pins->DirectionBit());
}

TEST(PinFunctions, StatusPinsWithBusyInverted) {
    PinRig rig;
    rig.fake->port(port::PortCodeLpt2).status = 0x00;
    EXPECT_TRUE(rig.pins->Pin11());
    for (int pin : {10, 12, 13, 15})
        EXPECT_FALSE(rig.pins->pin(pin)) << pin;
    rig.fake->port(port::PortCodeLpt2).status = 0xF8;
    EXPECT_FALSE(rig.pins->Pin11());
    for (int pin : {10, 12, 13, 15})
        EXPECT_TRUE(rig.pins->pin(pin)) << pin;
}

TEST(PinFunctions, ConnectionNotReadyReadsAsAllRegistersZero) {
    PinRig rig(false);
    ASSERT_FALSE(rig.lpt->IsReady());
    for (int pin = 1; pin <= 17; ++pin) {
        const bool inverted = pin == 1 || pin == 11 || pin == 14 || pin == 17;
        EXPECT_EQ(rig.pins->pin(pin), inverted) << "pin " << pin;
    }
    EXPECT_FALSE(rig.pins->DirectionBit());
}
