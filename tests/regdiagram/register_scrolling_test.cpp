#include "register_rig.h"

#include "regdiagram/register_scroller.h"
#include "ui/click_registry.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace voltarix;
using testkit::RegisterRig;

namespace {

struct ScrollRig : RegisterRig {
    ScrollRig() {
        form().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form()));
        // The buttons take the mouse only on their own, visible tab.
        find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    }
    QToolButton* button(const QString& name) { return find<QToolButton>(name); }
    QTimer* timer5() { return form().findChild<QTimer*>(QStringLiteral("Timer5")); }
    void click(const QString& name) { ASSERT_TRUE(form().clicks().click(name)); }
    void tick() { diagram().scroller().Timer5Timer(); }
};

} // namespace

TEST(RegisterScrolling, PageButtonsMoveByThePageWidthPastTheData) {
    ScrollRig rig;
    rig.dataChanges(3);
    for (int i = 0; i < 3; ++i)
        rig.click("SpeedButton22");
    EXPECT_EQ(rig.shown().minimum, 75);
    EXPECT_EQ(rig.shown().maximum, 100);
    rig.type("SpinEdit5", "10");
    rig.click("SpeedButton23");
    EXPECT_EQ(rig.shown().minimum, 65);
    QTest::mouseClick(rig.button("SpeedButton22"), Qt::LeftButton);
    EXPECT_EQ(rig.shown().minimum, 75);
    EXPECT_EQ(rig.diagram().scroller().direction(), regdiagram::RegisterScroller::Backward)
        << "the page buttons leave the direction flag";
}

TEST(RegisterScrolling, OneCycleBackBeforeTheFirstBar) {
    ScrollRig rig;
    rig.click("SpeedButton16");
    EXPECT_EQ(rig.shown().minimum, -1);
    EXPECT_EQ(rig.shown().maximum, 24);
    rig.click("SpeedButton6");
    rig.click("SpeedButton6");
    EXPECT_EQ(rig.shown().minimum, 1);
    EXPECT_FALSE(rig.timer5()->isActive()) << "a program click makes no mouse press";
}

TEST(RegisterScrolling, HoldingARepeatsByTheStepThenTheClickAddsOne) {
    ScrollRig rig;
    rig.type("SpinEdit6", "3");
    QToolButton* forward = rig.button("SpeedButton6");
    QTest::mousePress(forward, Qt::LeftButton);
    ASSERT_TRUE(rig.timer5()->isActive());
    EXPECT_EQ(rig.timer5()->interval(), 100);
    EXPECT_EQ(rig.diagram().scroller().direction(), regdiagram::RegisterScroller::Forward);
    rig.tick();
    rig.tick();
    EXPECT_EQ(rig.shown().minimum, 6);
    QTest::mouseRelease(forward, Qt::LeftButton);
    EXPECT_FALSE(rig.timer5()->isActive());
    EXPECT_EQ(rig.shown().minimum, 7);

    QToolButton* back = rig.button("SpeedButton16");
    QTest::mousePress(back, Qt::RightButton);
    ASSERT_TRUE(rig.timer5()->isActive());
    rig.tick();
    QTest::mouseRelease(back, Qt::RightButton);
    EXPECT_FALSE(rig.timer5()->isActive());
    EXPECT_EQ(rig.shown().minimum, 4) << "a right-button hold ends without a click";
}

TEST(RegisterScrolling, TheTimerReallyTicksWhileHeld) {
    ScrollRig rig;
    rig.type("SpinEdit7", "5");
    QToolButton* forward = rig.button("SpeedButton6");
    QTest::mousePress(forward, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(rig.shown().minimum >= 2, 2000);
    QTest::mouseRelease(forward, Qt::LeftButton);
    const double stopped = rig.shown().minimum;
    QTest::qWait(30);
    EXPECT_EQ(rig.shown().minimum, stopped);
}

TEST(RegisterScrolling, RepeatIntervalZeroHoldsTheTimerUntilTheIntervalReturns) {
    ScrollRig rig;
    rig.type("SpinEdit7", "0");
    QToolButton* forward = rig.button("SpeedButton6");
    QTest::mousePress(forward, Qt::LeftButton);
    EXPECT_FALSE(rig.timer5()->isActive()) << "an interval of 0 never ticks";
    rig.diagram().setRepeatInterval(250); // the 17-bit diagram's field, changed meanwhile
    EXPECT_TRUE(rig.timer5()->isActive());
    EXPECT_EQ(rig.timer5()->interval(), 250);
    QTest::mouseRelease(forward, Qt::LeftButton);
    EXPECT_FALSE(rig.timer5()->isActive());
    rig.type("SpinEdit7", "40");
    EXPECT_EQ(rig.timer5()->interval(), 40) << "the last change of either field wins";
}

TEST(RegisterScrolling, APageWidthBelowTheShownMinimumIsRefusedByTheAxis) {
    ScrollRig rig;
    for (int i = 0; i < 3; ++i)
        rig.click("SpeedButton22");
    rig.type("SpinEdit5", "30");
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].text, "Axis Maximum Value must be >= Minimum");
    EXPECT_EQ(rig.chart1().model().maxPointsPerPage(), 30);
    EXPECT_EQ(rig.shown().minimum, 75);
    EXPECT_EQ(rig.shown().maximum, 100);
    rig.type("SpinEdit5", "-4");
    ASSERT_EQ(rig.messages.boxes.size(), 2u);
    EXPECT_EQ(rig.messages.boxes[1].text, "MaxPointsPerPage must be >= 0");
    rig.type("SpinEdit5", "abc");
    EXPECT_EQ(rig.chart1().model().maxPointsPerPage(), 1) << "no integer reads as the minimum";
}

namespace {

// The pointer moving with the left button held down, as X11 reports motion
// to the button that took the press.
void dragTo(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

TEST(RegisterScrolling, HoldingRepeatsWhileThePointerLeavesTheButtonAndComesBack) {
    ScrollRig rig;
    QToolButton* back = rig.button("SpeedButton16");
    QTest::mousePress(back, Qt::LeftButton);
    ASSERT_TRUE(rig.timer5()->isActive());
    const QPoint outside(-30, back->height() / 2);
    dragTo(back, outside);
    EXPECT_TRUE(rig.timer5()->isActive());
    rig.tick();
    dragTo(back, back->rect().center());
    EXPECT_TRUE(rig.timer5()->isActive());
    QTest::mouseRelease(back, Qt::LeftButton);
    EXPECT_FALSE(rig.timer5()->isActive());
    EXPECT_EQ(rig.shown().minimum, -2) << "one tick of 1, then the release's click";
}

// A release that went elsewhere (a box took the mouse during the hold) must
// not leave the buttons deaf: the next press begins a hold of its own.
TEST(RegisterScrolling, APressAfterAReleaseThatNeverCameBeginsAFreshHold) {
    ScrollRig rig;
    QTest::mousePress(rig.button("SpeedButton6"), Qt::LeftButton);
    ASSERT_TRUE(rig.timer5()->isActive());
    QToolButton* back = rig.button("SpeedButton16");
    QTest::mousePress(back, Qt::LeftButton);
    EXPECT_TRUE(rig.timer5()->isActive());
    EXPECT_EQ(rig.diagram().scroller().direction(), regdiagram::RegisterScroller::Backward);
    QTest::mouseRelease(back, Qt::LeftButton);
    EXPECT_FALSE(rig.timer5()->isActive());
}
