#include "panel/epp_direction.h"
#include "panel/live_monitor.h"
#include "ui/glyph_button.h"
#include "ui/status_bar.h"
#include "window_rig.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace voltarix;
using voltarix::testkit::RecordingMessageService;
using voltarix::testkit::WindowRig;

namespace {

struct EppRig : testkit::Port378Rig {
    void click(const char* name) { find<QToolButton>(name)->click(); }
    QString indicator() { return find<QLabel>("StaticText7")->text(); }
    int glyphs() { return find<ui::GlyphButton>("SpeedButton32")->numGlyphs(); }
    QColor dataPinColour() { return find("Edit11")->palette().color(QPalette::Text); }
    QString statusPanel() { return window->statusBar1().panelText(3); }
};

const QString eppUnavailable = QString::fromUtf8("Не доступен EPP режим ");

} // namespace

TEST(EppDirection, StartsShowingOutputWhateverThePortSays) {
    EppRig rig;
    EXPECT_EQ(rig.indicator(), "Нет мониторинга");
    EXPECT_EQ(rig.glyphs(), 4);
    EXPECT_EQ(rig.dataPinColour(), QColor(0, 255, 0));
    EXPECT_EQ(rig.statusPanel(), "");
    EXPECT_FALSE(rig.find<QCheckBox>("CheckBox31")->isChecked());
}

TEST(EppDirection, InputCommandWritesTheWholeRegisterThenToggleClearsTheBit) {
    EppRig rig;
    rig.port378().control = 0x0F;
    rig.click("SpeedButton33");
    EXPECT_EQ(rig.port378().control, 0x20);
    EXPECT_EQ(rig.indicator(), "на вход");
    EXPECT_EQ(rig.glyphs(), 2);
    EXPECT_EQ(rig.dataPinColour(), QColor(0, 255, 255));
    EXPECT_EQ(rig.statusPanel(), "Данные: на вход");

    rig.click("SpeedButton32");
    EXPECT_EQ(rig.port378().control, 0x00);
    EXPECT_EQ(rig.indicator(), "на выход");
    EXPECT_EQ(rig.glyphs(), 4);
    EXPECT_EQ(rig.dataPinColour(), QColor(0, 255, 0));
    EXPECT_EQ(rig.statusPanel(), "Данные: на выход");
    EXPECT_TRUE(rig.messages.boxes.empty());
}

TEST(EppDirection, TwoTogglesRestoreTheRegister) {
    EppRig rig;
    rig.port378().control = 0x0B;
    rig.click("SpeedButton32");
    EXPECT_EQ(rig.port378().control, 0x2B);
    rig.click("SpeedButton32");
    EXPECT_EQ(rig.port378().control, 0x0B);
}

TEST(EppDirection, MenuItemWithAltBackspaceDoesWhatTheButtonDoes) {
    EppRig rig;
    auto* item = rig.find<QAction>("N49");
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Backspace));
    rig.find<QToolButton>("SpeedButton32")->setEnabled(false);
    rig.port378().control = 0x01;
    item->trigger();
    EXPECT_EQ(rig.port378().control, 0x21) << "runs even with the button disabled";
    EXPECT_EQ(rig.indicator(), "на вход");
}

TEST(EppDirection, PortWithoutDirectionBitGetsTheBoxFromToggleAndInputOnly) {
    EppRig rig;
    rig.port378().directionBitWorks = false;
    rig.port378().control = 0x0C;
    rig.click("SpeedButton32");
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].kind, RecordingMessageService::Kind::Information);
    EXPECT_EQ(rig.messages.boxes[0].caption, eppUnavailable);
    EXPECT_TRUE(rig.messages.boxes[0].text.startsWith("Данный порт не является активным в EPP"));
    EXPECT_EQ(rig.port378().control, 0x0C) << "the toggle wrote nothing";

    rig.click("SpeedButton33");
    EXPECT_EQ(rig.messages.boxes.size(), 2u);
    EXPECT_EQ(rig.port378().control, 0x00) << "the input command wrote before it probed";

    rig.port378().control = 0x0C;
    rig.click("SpeedButton34");
    EXPECT_EQ(rig.messages.boxes.size(), 2u) << "the output command says nothing";
    EXPECT_EQ(rig.port378().control, 0x00);
    EXPECT_EQ(rig.indicator(), "Нет мониторинга");
}

TEST(EppDirection, InformationButtonExplainsThePullUps) {
    EppRig rig;
    rig.click("SpeedButton35");
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].caption, "Информация");
    EXPECT_TRUE(rig.messages.boxes[0].text.contains("240-360 Ом"));
}

TEST(EppDirection, UntickingMonitoringShowsItInTheStatusBar) {
    EppRig rig;
    auto* monitoring = rig.find<QCheckBox>("CheckBox31");
    monitoring->setChecked(true);
    rig.window->portPanel().monitor().Timer2Timer();
    monitoring->setChecked(false);
    auto* indicator = rig.find<QLabel>("StaticText7");
    EXPECT_EQ(indicator->text(), "нет мониторинга");
    EXPECT_EQ(rig.statusPanel(), "Данные: нет мониторинга");
    EXPECT_EQ(indicator->palette().color(QPalette::Window),
              indicator->palette().color(QPalette::Button));
}
