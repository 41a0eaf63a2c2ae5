#include "ui/spin_edit.h"

#include <QFocusEvent>
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
    void loseFocus() {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&spin, &out);
    }
    SpinEdit spin;
};

} // namespace

TEST(SpinEdit, ValueIsTheIntegerInTheTextOrTheMinimum) {
    SpinRig rig;
    rig.spin.setText("abc");
    EXPECT_EQ(rig.spin.value(), 1);
    rig.spin.setText("");
    EXPECT_EQ(rig.spin.value(), 1);
    rig.spin.setText("500");
    EXPECT_EQ(rig.spin.value(), 500) << "typed values are not limited while typing";
    rig.spin.setText("-3");
    EXPECT_EQ(rig.spin.value(), -3);
}

TEST(SpinEdit, TheRangeIsAppliedWhenTheFocusLeaves) {
    SpinRig rig;
    rig.spin.setText("500");
    rig.loseFocus();
    EXPECT_EQ(rig.spin.text(), "100");
    rig.spin.setText("0");
    rig.loseFocus();
    EXPECT_EQ(rig.spin.text(), "1");
    rig.spin.setText("abc");
    rig.loseFocus();
    EXPECT_EQ(rig.spin.text(), "abc") << "reads as the minimum already, so it stays";
}

TEST(SpinEdit, TypedTextIsKeptAndNotifiesOncePerChange) {
    SpinRig rig;
    QSignalSpy changes(&rig.spin, &SpinEdit::textChanged);
    rig.spin.setFocus();
    rig.spin.selectAll();
    QTest::keyClicks(&rig.spin, "x7");
    EXPECT_EQ(rig.spin.text(), "x7");
    EXPECT_EQ(changes.count(), 2);
    rig.spin.setText("x7");
    EXPECT_EQ(changes.count(), 2);
}

TEST(SpinEdit, ArrowsStepWithinTheRangeAndWithoutOneWhenMinimumEqualsMaximum) {
    SpinRig rig;
    rig.spin.setText("99");
    rig.spin.stepBy(5);
    EXPECT_EQ(rig.spin.text(), "100");
    rig.spin.setText("abc");
    rig.spin.stepBy(1);
    EXPECT_EQ(rig.spin.text(), "2");
    SpinEdit free;
    free.setValue(-50);
    free.stepBy(-10);
    EXPECT_EQ(free.value(), -60);
    free.setText("70000");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&free, &out);
    EXPECT_EQ(free.value(), 70000);
}
