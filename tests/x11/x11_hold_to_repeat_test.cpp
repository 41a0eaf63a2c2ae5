// Hold-to-repeat with the real pointer: xdotool presses a scroll button
// through the X server, drags off it and back, and lets go off the button.
#include "chart/chart.h"
#include "panel/window_rig.h"

#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace voltarix;

namespace {

void pointer(const QStringList& arguments) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0)
        << arguments.join(' ').toStdString();
}

QStringList moveTo(QPoint global) {
    return {"mousemove", QString::number(global.x()), QString::number(global.y())};
}

// Presses the named scroll button with the real pointer, drags off it, back
// and off again, and lets go there; the repeat timer must run throughout.
void holdAndDragOff(testkit::Port378Rig& rig, const char* buttonName, const char* timerName,
                    const char* chartName) {
    rig.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(rig.window.get()));
    auto* button = rig.find<QToolButton>(QString::fromLatin1(buttonName));
    auto* timer = rig.window->findChild<QTimer*>(QString::fromLatin1(timerName));
    auto& axis = rig.find<chart::Chart>(QString::fromLatin1(chartName))->bottomAxis();
    QTest::qWait(100);
    const QPoint on = button->mapToGlobal(button->rect().center());
    const QPoint off = button->mapToGlobal(QPoint(button->width() / 2, -60));

    pointer(moveTo(on));
    pointer({"mousedown", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return timer->isActive(); }, 2000));
    const double pressed = axis.minimum();
    pointer(moveTo(off));
    QTest::qWait(150);
    EXPECT_TRUE(timer->isActive()) << "leaving the held button stopped the repeat";
    EXPECT_TRUE(QTest::qWaitFor([&] { return axis.minimum() > pressed; }, 2000))
        << "no tick while the pointer is away";
    pointer(moveTo(on));
    pointer(moveTo(off));
    pointer({"mouseup", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 2000));
    const double released = axis.minimum();
    QTest::qWait(250);
    EXPECT_EQ(axis.minimum(), released) << "the release ends the repeat";
}

} // namespace

TEST(X11HoldToRepeat, The17BitChartScrollsWhileHeldWhereverThePointerGoes) {
    testkit::Port378Rig rig;
    // As the capture loop does when the first page is full.
    rig.find<QToolButton>("SpeedButton9")->setEnabled(true);
    holdAndDragOff(rig, "SpeedButton9", "Timer3", "Chart2");
}

TEST(X11HoldToRepeat, TheRegisterChartScrollsWhileHeldWhereverThePointerGoes) {
    testkit::Port378Rig rig;
    rig.find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    holdAndDragOff(rig, "SpeedButton6", "Timer5", "Chart1");
}
