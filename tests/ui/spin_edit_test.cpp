#include "ui/spin_edit.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using voltarix::ui::SpinEdit;

namespace {

struct SpinRig {
    SpinRig() {
        spin.setRange(1, 100);
        spin.setValue(25);
    }
    SpinEdit spin;
};

void loseFocus(SpinEdit& spin) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&spin, &out);
}

// A field and a second one to move the focus to, in a shown window, so the
// focus really leaves the field as it does when the user tabs away.
struct FocusRig {
    FocusRig() {
        other->move(0, 40);
        spin->setRange(1, 100);
        window.show();
        window.activateWindow();
    }
    void typeThenLeave(const QString& text) {
        spin->setFocus();
        spin->setText(text);
        other->setFocus();
    }
    QWidget window;
    SpinEdit* spin = new SpinEdit(&window);
    QLineEdit* other = new QLineEdit(&window);
};

} // namespace

TEST(SpinEdit, ValueIsTheIntegerInTheTextOrTheMinimum) {
    SpinRig rig;
    rig.spin.setText("abc");
    EXPECT_EQ(rig.spin.value(), 1);
    rig.spin.setText("");
    EXPECT_EQ(rig.spin.value(), 1);
    rig.spin.setText("-");
    EXPECT_EQ(rig.spin.value(), 1);
    rig.spin.setText("$10");
    EXPECT_EQ(rig.spin.value(), 16);
    rig.spin.setText("500");
    EXPECT_EQ(rig.spin.value(), 500) << "typed values are not limited while typing";
    EXPECT_EQ(rig.spin.text(), "500");
    rig.spin.setText("-3");
    EXPECT_EQ(rig.spin.value(), -3);
}

TEST(SpinEdit, ANewMinimumIsWhatATextWithoutAnIntegerReadsAsWithoutANotification) {
    SpinRig rig;
    rig.spin.setText("abc");
    QSignalSpy changes(&rig.spin, &SpinEdit::textChanged);
    rig.spin.setRange(5, 10);
    EXPECT_EQ(rig.spin.value(), 5);
    EXPECT_EQ(rig.spin.text(), "abc") << "the range is applied when the focus leaves";
    EXPECT_EQ(changes.count(), 0);
}

TEST(SpinEdit, AHandlerOfTheChangeReadsTheNewValue) {
    SpinRig rig;
    QList<int> seen;
    QObject::connect(&rig.spin, &SpinEdit::textChanged, &rig.spin,
                     [&] { seen << rig.spin.value(); });
    rig.spin.setText("70");
    rig.spin.setText("");
    rig.spin.setFocus();
    rig.spin.selectAll();
    QTest::keyClicks(&rig.spin, "42");
    EXPECT_EQ(seen, (QList<int>{70, 1, 4, 42}));
    EXPECT_EQ(rig.spin.value(), 42);
}

TEST(SpinEdit, TheRangeIsAppliedWhenTheFocusLeaves) {
    FocusRig rig;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    rig.typeThenLeave("500");
    QTRY_COMPARE(rig.spin->text(), QString("100"));
    rig.typeThenLeave("0");
    QTRY_COMPARE(rig.spin->text(), QString("1"));
    rig.typeThenLeave("abc");
    EXPECT_EQ(rig.spin->text(), "abc") << "reads as the minimum already, so it stays";
    rig.typeThenLeave("");
    EXPECT_EQ(rig.spin->text(), "") << "an empty text reads as the minimum, which is in range";
    rig.typeThenLeave("55");
    EXPECT_EQ(rig.spin->text(), "55");
}

TEST(SpinEdit, TypedTextIsKeptAndNotifiesOncePerChange) {
    SpinRig rig;
    QSignalSpy changes(&rig.spin, &SpinEdit::textChanged);
    rig.spin.setFocus();
    rig.spin.selectAll();
    QTest::keyClicks(&rig.spin, "x7");
    EXPECT_EQ(rig.spin.text(), "x7");
    EXPECT_EQ(rig.spin.value(), 7);
    EXPECT_EQ(changes.count(), 2);
    rig.spin.setText("x7");
    EXPECT_EQ(changes.count(), 2);
    rig.spin.setText("10");
    rig.spin.setText("10");
    rig.spin.setValue(10);
    EXPECT_EQ(changes.count(), 3);
    ASSERT_FALSE(changes.isEmpty());
    EXPECT_EQ(changes.last().at(0).toString(), "10");
}

TEST(SpinEdit, SettingTheValueLimitsItToTheRange) {
    SpinRig rig;
    rig.spin.setValue(200000);
    EXPECT_EQ(rig.spin.text(), "100");
    rig.spin.setValue(-7);
    EXPECT_EQ(rig.spin.text(), "1");
}

TEST(SpinEdit, ArrowsAndKeysStepWithinTheRange) {
    SpinRig rig;
    rig.spin.setText("99");
    rig.spin.stepBy(5);
    EXPECT_EQ(rig.spin.text(), "100");
    rig.spin.setText("500");
    rig.spin.stepBy(-3);
    EXPECT_EQ(rig.spin.text(), "100") << "a typed value beyond the range steps back into it";
    rig.spin.setText("abc");
    rig.spin.stepBy(1);
    EXPECT_EQ(rig.spin.text(), "2");
    rig.spin.setText("7");
    QTest::keyClick(&rig.spin, Qt::Key_Up);
    EXPECT_EQ(rig.spin.text(), "8");
    QTest::keyClick(&rig.spin, Qt::Key_Down);
    QTest::keyClick(&rig.spin, Qt::Key_Down);
    EXPECT_EQ(rig.spin.text(), "6");
    rig.spin.setIncrement(5);
    rig.spin.stepBy(-2);
    EXPECT_EQ(rig.spin.text(), "1");
}

TEST(SpinEdit, AMinimumEqualToTheMaximumIsNoRange) {
    SpinEdit free;
    free.setValue(-50);
    EXPECT_EQ(free.text(), "-50");
    free.stepBy(-10);
    EXPECT_EQ(free.value(), -60);
    free.setText("70000");
    loseFocus(free);
    EXPECT_EQ(free.value(), 70000);
    free.setText("abc");
    EXPECT_EQ(free.value(), 0);

    SpinEdit five;
    five.setRange(5, 5);
    five.setValue(9);
    EXPECT_EQ(five.text(), "9");
    five.setText("abc");
    EXPECT_EQ(five.value(), 5);
    five.setRange(10, 3);
    EXPECT_FALSE(five.hasRange()) << "a maximum below the minimum leaves no range";
    five.setText("2");
    loseFocus(five);
    EXPECT_EQ(five.text(), "2");
}

TEST(SpinEdit, IntegerLimitsAreNotOverstepped) {
    SpinEdit free;
    free.setText("2147483647");
    free.stepBy(1);
    EXPECT_EQ(free.value(), 2147483647);
    free.setText("-2147483648");
    free.stepBy(-1);
    EXPECT_EQ(free.value(), -2147483648LL);
}
