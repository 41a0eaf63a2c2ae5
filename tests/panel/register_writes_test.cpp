#include "panel/panel_locks.h"
#include "window_rig.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace voltarix;
using voltarix::testkit::RecordingMessageService;
using voltarix::testkit::WindowRig;

namespace {

struct WriteRig : testkit::Port378Rig {
    WriteRig() { fake->clearLog(); }
    QToolButton* button(const QString& name) { return find<QToolButton>(name); }
    void typeAndWrite(const QString& field, const QString& text, const QString& button) {
        find(field)->setText(text);
        this->button(button)->click();
    }
    int writes() const {
        int n = 0;
        for (const auto& a : fake->log)
            n += a.write;
        return n;
    }
};

} // namespace

TEST(RegisterWrites, TextsThatConvertWriteTheirLowByte) {
    WriteRig rig;
    rig.typeAndWrite("Edit5", "$1FF", "SpeedButton1");
    EXPECT_EQ(rig.port378().control, 0xFF);
    rig.typeAndWrite("Edit6", "256", "SpeedButton2");
    EXPECT_EQ(rig.port378().control, 0x00);
    rig.typeAndWrite("Edit10", "-1", "SpeedButton4");
    EXPECT_EQ(rig.port378().data, 0xFF);
    rig.typeAndWrite("Edit9", "0x3c", "SpeedButton3");
    EXPECT_EQ(rig.port378().data, 0x3C);
    EXPECT_TRUE(rig.messages.boxes.empty());
}

TEST(RegisterWrites, TextThatDoesNotConvertShowsTheErrorAndWritesNothing) {
    WriteRig rig;
    rig.port378().data = 0x11;
    for (const char* text : {"1FF", "12 ", "", "$", "7!"}) {
        rig.messages.boxes.clear();
        rig.fake->clearLog();
        rig.typeAndWrite("Edit10", QString::fromLatin1(text), "SpeedButton4");
        ASSERT_EQ(rig.messages.boxes.size(), 1u) << text;
        EXPECT_EQ(rig.messages.boxes[0].kind, RecordingMessageService::Kind::Error);
        EXPECT_EQ(
            rig.messages.boxes[0].text,
            QStringLiteral("'%1' is not a valid integer value").arg(QString::fromLatin1(text)));
        EXPECT_EQ(rig.writes(), 0) << text;
        EXPECT_EQ(rig.text("Edit10"), QString::fromLatin1(text)) << "the field keeps its text";
    }
    EXPECT_EQ(rig.port378().data, 0x11);
}

TEST(RegisterWrites, BitKeysFlipOneBitOfTheRegisterAsReadNow) {
    WriteRig rig;
    rig.port378().control = 0x05;
    rig.button("Button12")->click();
    EXPECT_EQ(rig.port378().control, 0x04) << "strobe flipped";
    rig.button("Button12")->click();
    EXPECT_EQ(rig.port378().control, 0x05) << "two clicks restore";

    rig.port378().data = 0x0F;
    rig.button("Button1")->click();
    EXPECT_EQ(rig.port378().data, 0x8F);
    rig.port378().data = 0x00; // changed elsewhere between two clicks
    rig.button("Button8")->click();
    EXPECT_EQ(rig.port378().data, 0x01);
    rig.button("Button9")->click();
    EXPECT_EQ(rig.port378().control, 0x0D);
}

TEST(PinBitSwitch, RelabelsTheKeysAndRefreshesTheCapability) {
    WriteRig rig;
    rig.find("Edit14")->setText("stale");
    auto* toggle = rig.button("SpeedButton5");
    toggle->click();
    EXPECT_EQ(toggle->text(), "BIT");
    EXPECT_EQ(toggle->palette().color(QPalette::ButtonText), QColor(Qt::black));
    EXPECT_EQ(rig.button("Button1")->text(), "7");
    EXPECT_EQ(rig.button("Button8")->text(), "0");
    EXPECT_EQ(rig.button("Button9")->text(), "3");
    EXPECT_EQ(rig.button("Button12")->text(), "0");
    EXPECT_EQ(rig.text("Edit14"), "   EPP");

    rig.port378().directionBitWorks = false;
    toggle->click();
    EXPECT_EQ(toggle->text(), "PIN");
    EXPECT_EQ(toggle->palette().color(QPalette::ButtonText), QColor(Qt::blue));
    EXPECT_EQ(rig.button("Button1")->text(), "9");
    EXPECT_EQ(rig.button("Button9")->text(), "17");
    EXPECT_EQ(rig.button("Button11")->text(), "14");
    EXPECT_EQ(rig.text("Edit14"), "   SPP");

    // The masks stay with the buttons whatever their captions say.
    rig.port378().data = 0x00;
    rig.button("Button1")->click();
    EXPECT_EQ(rig.port378().data, 0x80);
}

TEST(KeyFilters, HexFieldsTakeHexDigitsAndControlKeysOnly) {
    WriteRig rig;
    QLineEdit* field = rig.find("Edit5");
    field->setText("");
    QTest::keyClicks(field, "1fA$ gG-");
    EXPECT_EQ(field->text(), "1fA");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "1f");
}

TEST(KeyFilters, DecimalFieldsTakeCodes33To64AndRefuseBackspace) {
    WriteRig rig;
    QLineEdit* field = rig.find("Edit6");
    field->setText("");
    QTest::keyClicks(field, "12 a!@Z:");
    EXPECT_EQ(field->text(), "12!@:");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "12!@:") << "Backspace is refused";
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "12!@:") << "clipboard keys arrive as control characters";
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "2!@:") << "Delete still works";
    field->selectAll();
    QTest::keyClicks(field, "7");
    EXPECT_EQ(field->text(), "7") << "typing replaces a selection";
}

namespace {

// A key as the X11 platform delivers it: Delete types "\x7f", Backspace "\b".
void pressAsX11(QLineEdit* field, Qt::Key key, const char* text) {
    QTest::sendKeyEvent(QTest::Click, field, key, QString::fromLatin1(text), Qt::NoModifier);
}

void commitThroughInputMethod(QLineEdit* field, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

} // namespace

TEST(KeyFilters, DeleteAsX11SendsItWorksInAllFourFields) {
    WriteRig rig;
    for (const char* name : {"Edit5", "Edit6", "Edit9", "Edit10"}) {
        QLineEdit* field = rig.find(name);
        field->setText("123");
        field->setCursorPosition(0);
        pressAsX11(field, Qt::Key_Delete, "\x7f");
        EXPECT_EQ(field->text(), "23") << name;
    }
}

TEST(KeyFilters, BackspaceAsX11SendsItWorksInHexFieldsOnly) {
    WriteRig rig;
    for (const char* name : {"Edit5", "Edit9", "Edit6", "Edit10"}) {
        QLineEdit* field = rig.find(name);
        field->setText("$12");
        field->setCursorPosition(3);
        pressAsX11(field, Qt::Key_Backspace, "\b");
        const bool hex =
            QString::fromLatin1(name) == "Edit5" || QString::fromLatin1(name) == "Edit9";
        EXPECT_EQ(field->text(), hex ? "$1" : "$12") << name;
    }
}

TEST(KeyFilters, InputMethodTextPassesTheSameFilter) {
    WriteRig rig;
    QLineEdit* hex = rig.find("Edit9");
    hex->setText("");
    commitThroughInputMethod(hex, QStringLiteral("1g$ aF"));
    EXPECT_EQ(hex->text(), "1aF");
    QLineEdit* decimal = rig.find("Edit10");
    decimal->setText("");
    commitThroughInputMethod(decimal, QStringLiteral("2 5x!\b"));
    EXPECT_EQ(decimal->text(), "25!");
}

TEST(Locks, EachItemInvertsItsControls) {
    WriteRig rig;
    auto trigger = [&](const char* name) { rig.find<QAction>(name)->trigger(); };
    trigger("N8");
    EXPECT_FALSE(rig.find<QWidget>("ToolBar1")->isEnabled());
    trigger("N8");
    EXPECT_TRUE(rig.find<QWidget>("ToolBar1")->isEnabled());
    trigger("N10");
    EXPECT_FALSE(rig.find<QComboBox>("ComboBox1")->isEnabled());
    trigger("N13");
    EXPECT_FALSE(rig.button("SpeedButton1")->isEnabled());
    EXPECT_FALSE(rig.button("SpeedButton2")->isEnabled());
    EXPECT_TRUE(rig.button("SpeedButton3")->isEnabled());
    EXPECT_TRUE(rig.find("Edit5")->isEnabled()) << "input fields stay editable";
}

TEST(Locks, AllAtOnceSwapsAMixedState) {
    WriteRig rig;
    rig.find<QAction>("N8")->trigger();
    rig.button("SpeedButton4")->setEnabled(false); // a mixed pair
    rig.find<QAction>("N16")->trigger();
    EXPECT_TRUE(rig.find<QWidget>("ToolBar1")->isEnabled());
    EXPECT_FALSE(rig.find<QWidget>("ToolBar2")->isEnabled());
    EXPECT_FALSE(rig.find<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_FALSE(rig.button("SpeedButton1")->isEnabled());
    EXPECT_FALSE(rig.button("SpeedButton2")->isEnabled());
    EXPECT_FALSE(rig.button("SpeedButton3")->isEnabled());
    EXPECT_TRUE(rig.button("SpeedButton4")->isEnabled());
}

TEST(Locks, MenuItemsCarryTheirShortcutsAndNoCheckMarks) {
    WriteRig rig;
    const std::pair<const char*, QKeySequence> items[] = {
        {"N8", QKeySequence(Qt::SHIFT | Qt::Key_F9)},
        {"N9", QKeySequence(Qt::SHIFT | Qt::Key_F10)},
        {"N10", QKeySequence(Qt::SHIFT | Qt::Key_F11)},
        {"N13", QKeySequence(Qt::SHIFT | Qt::Key_F7)},
        {"N14", QKeySequence(Qt::SHIFT | Qt::Key_F8)},
        {"N16", QKeySequence(Qt::SHIFT | Qt::Key_F12)},
    };
    for (const auto& [name, keys] : items) {
        auto* action = rig.find<QAction>(name);
        EXPECT_EQ(action->shortcut(), keys) << name;
        EXPECT_FALSE(action->isCheckable()) << name;
    }
}
