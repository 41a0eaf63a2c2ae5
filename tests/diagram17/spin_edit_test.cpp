#include "diagram17/spin_edit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using voltarix::diagram17::SpinEdit;

TEST(SpinEdit, ValueIsTheIntegerInTheTextAndANonIntegerReadsAsTheMinimum) {
    SpinEdit spin;
    spin.setRange(1, 100000);
    spin.setText("250");
    EXPECT_EQ(spin.value(), 250);
    spin.setText("");
    EXPECT_EQ(spin.value(), 1);
    spin.setText("-");
    EXPECT_EQ(spin.value(), 1);
    spin.setText("$10");
    EXPECT_EQ(spin.value(), 16);
    spin.setText("200000");
    EXPECT_EQ(spin.value(), 200000) << "out of range while typing";
    EXPECT_EQ(spin.text(), "200000");
}

TEST(SpinEdit, RangeIsAppliedOnFocusLoss) {
    QWidget window;
    auto* spin = new SpinEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    spin->setRange(1, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    spin->setFocus();
    spin->setText("500");
    other->setFocus();
    QTRY_COMPARE(spin->text(), QString("100"));
    spin->setFocus();
    spin->setText("");
    other->setFocus();
    EXPECT_EQ(spin->text(), "") << "an empty text reads as the minimum, which is in range";
}

TEST(SpinEdit, NotifiesOnlyRealChangesAndStepsWithinTheRange) {
    SpinEdit spin;
    spin.setRange(0, 10);
    QSignalSpy changed(&spin, &SpinEdit::changed);
    spin.setText("10");
    spin.setText("10");
    EXPECT_EQ(changed.count(), 1);
    spin.stepBy(1);
    EXPECT_EQ(spin.text(), "10");
    spin.stepBy(-3);
    EXPECT_EQ(spin.text(), "7");
    QTest::keyClick(spin.lineEdit(), Qt::Key_Up);
    EXPECT_EQ(spin.text(), "8");
}

TEST(SpinEdit, WithoutARangeAnyValueStands) {
    SpinEdit spin;
    spin.setValue(-5);
    EXPECT_EQ(spin.text(), "-5");
    spin.setText("abc");
    EXPECT_EQ(spin.value(), 0);
}
