#include "panel/live_monitor.h"
#include "ui/status_bar.h"
#include "window_rig.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace voltarix;
using voltarix::testkit::WindowRig;

namespace {

struct MonitorRig : testkit::Port378Rig {
    void tick1() { window->portPanel().monitor().Timer1Timer(); }
    void tick2() { window->portPanel().monitor().Timer2Timer(); }
    QColor dataPinColour() { return find("Edit11")->palette().color(QPalette::Text); }
};

} // namespace

TEST(LiveMonitor, RegistersShownInHexAndDecimal) {
    MonitorRig rig;
    rig.port378().data = 0xA5;
    rig.port378().control = 0x0F;
    rig.port378().status = 0x78;
    rig.tick1();
    EXPECT_EQ(rig.text("Edit7"), "$A5");
    EXPECT_EQ(rig.text("Edit8"), "165");
    EXPECT_EQ(rig.text("Edit3"), "$0F");
    EXPECT_EQ(rig.text("Edit4"), "15");
    EXPECT_EQ(rig.text("Edit1"), "$78");
    EXPECT_EQ(rig.text("Edit2"), "120");
    rig.port378().data = 0x00;
    rig.tick1();
    EXPECT_EQ(rig.text("Edit7"), "$00");
    EXPECT_EQ(rig.text("Edit8"), "0") << "decimal without leading zeros";
}

TEST(LiveMonitor, PinStringsForTheKnownRegisterValues) {
    MonitorRig rig;
    rig.port378().data = 0xA5;
    rig.port378().control = 0x00;
    rig.port378().status = 0xF8;
    rig.tick2();
    EXPECT_EQ(rig.text("Edit11"), "1 0 1 0 0 1 0 1");
    EXPECT_EQ(rig.text("Edit12"), "1 0 1 1");
    EXPECT_EQ(rig.text("Edit13"), "0 1 1 1 1");
    rig.port378().status = 0x78;
    rig.tick2();
    EXPECT_EQ(rig.text("Edit13"), "1 1 1 1 1");
}

TEST(LiveMonitor, DecimalFieldsNotifyOncePerRealChange) {
    MonitorRig rig;
    QSignalSpy status(rig.find("Edit2"), &QLineEdit::textChanged);
    QSignalSpy control(rig.find("Edit4"), &QLineEdit::textChanged);
    QSignalSpy data(rig.find("Edit8"), &QLineEdit::textChanged);
    rig.tick1();
    EXPECT_EQ(status.count(), 1) << "the design text 000 is never produced";
    EXPECT_EQ(control.count(), 1);
    EXPECT_EQ(data.count(), 1);
    rig.tick1();
    rig.tick1();
    EXPECT_EQ(status.count(), 1);
    EXPECT_EQ(data.count(), 1);
    rig.port378().data = 0x01;
    rig.tick1();
    rig.tick1();
    EXPECT_EQ(data.count(), 2);
    EXPECT_EQ(control.count(), 1);
}

TEST(LiveMonitor, EachTickReadsTheHardwareAfresh) {
    MonitorRig rig;
    rig.fake->clearLog();
    rig.tick1();
    EXPECT_EQ(rig.fake->log.size(), 3u);
    rig.fake->clearLog();
    rig.tick2();
    EXPECT_EQ(rig.fake->log.size(), 17u) << "one read per pin, monitoring off";
}

TEST(LiveMonitor, MonitoringOffLeavesColourAndStatusBarAlone) {
    MonitorRig rig;
    rig.port378().control = 0x20;
    rig.tick2();
    EXPECT_EQ(rig.dataPinColour(), QColor(0, 255, 0));
    EXPECT_EQ(rig.window->statusBar1().panelText(3), "");
}

TEST(LiveMonitor, MonitoringFollowsADirectionChangeMadeElsewhere) {
    MonitorRig rig;
    rig.find<QCheckBox>("CheckBox31")->setChecked(true);
    rig.tick2();
    auto* indicator = rig.find<QLabel>("StaticText7");
    EXPECT_EQ(indicator->text(), "на выход");
    EXPECT_EQ(rig.window->statusBar1().panelText(3), "Данные: на выход");
    EXPECT_EQ(indicator->palette().color(QPalette::Window), QColor(0, 255, 0));

    rig.port378().control |= 0x20; // another program switched the lines to input
    rig.tick2();
    EXPECT_EQ(indicator->text(), "на вход");
    EXPECT_EQ(rig.dataPinColour(), QColor(0, 255, 255));
    EXPECT_EQ(indicator->palette().color(QPalette::Window), QColor(0, 255, 255));
    EXPECT_EQ(rig.window->statusBar1().panelText(3), "Данные: на вход");
    EXPECT_EQ(rig.port378().control & 0x20, 0x20) << "the probe restores the bit";
}

TEST(LiveMonitor, MonitoringOnAPortWithoutDirectionBitKeepsTheCaption) {
    MonitorRig rig;
    rig.port378().directionBitWorks = false;
    rig.find<QCheckBox>("CheckBox31")->setChecked(true);
    rig.tick2();
    auto* indicator = rig.find<QLabel>("StaticText7");
    EXPECT_EQ(indicator->text(), "Нет мониторинга") << "the design caption stays";
    EXPECT_EQ(indicator->palette().color(QPalette::Window), rig.dataPinColour());
    EXPECT_EQ(rig.window->statusBar1().panelText(3), "Данные: Нет мониторинга");
}
