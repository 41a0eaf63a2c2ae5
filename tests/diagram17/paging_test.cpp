#include "diagram17/label_clock.h"
#include "diagram17/paging_control.h"
#include "diagram17/scroll_control.h"
#include "diagram17_rig.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace voltarix;
using testkit::AtCycle;
using testkit::Diagram17Rig;

namespace {

// Records `cycles` more cycles: the count field holds N, a run records N + 1.
void record(Diagram17Rig& rig, int cycles) {
    rig.spin("SpinEdit2")->setText(QString::number(cycles - 1));
    rig.clickStart();
}

double axisMin(Diagram17Rig& rig) {
    return rig.chart().bottomAxis().minimum();
}

} // namespace

TEST(PageCounter, FirstTickRaisesPageZeroThenOneEventPerNewPage) {
    Diagram17Rig rig;
    int beeps = 0;
    rig.d17().paging().setBeeper([&] { ++beeps; });
    rig.find<QCheckBox>("CheckBox7")->click();
    auto* pageField = rig.find<QLineEdit>("Edit18");
    QSignalSpy newPage(pageField, &QLineEdit::textChanged);
    EXPECT_EQ(pageField->text(), "00");

    record(rig, 39);
    rig.d17().paging().Timer4Timer();
    EXPECT_EQ(pageField->text(), "0");
    EXPECT_EQ(newPage.count(), 1) << "\"00\" differs from \"0\"";
    EXPECT_EQ(beeps, 1);
    rig.d17().paging().Timer4Timer();
    EXPECT_EQ(newPage.count(), 1);

    record(rig, 1);
    rig.d17().paging().Timer4Timer();
    EXPECT_EQ(pageField->text(), "1");
    EXPECT_EQ(rig.pagePanel(), QString::fromUtf8("Страниц: 1"));
    EXPECT_EQ(beeps, 2);
    record(rig, 5);
    rig.d17().paging().Timer4Timer();
    EXPECT_EQ(beeps, 2) << "no beep within the same page";
    EXPECT_FALSE(pageField->isVisible());
}

TEST(PageCounter, TicksDuringARunShowTheCompletedPages) {
    Diagram17Rig rig;
    QStringList seen;
    QObject::connect(rig.find<QLineEdit>("Edit18"), &QLineEdit::textChanged,
                     [&](const QString& text) { seen << text; });
    rig.spin("SpinEdit2")->setText("200");
    rig.find<QSlider>("TrackBar1")->setValue(1);
    rig.clickStart();
    // 201 cycles at a millisecond or more each: the 100 ms timer ticks along,
    // and the field changes once per new value only.
    ASSERT_GE(seen.size(), 1);
    for (int i = 1; i < seen.size(); ++i)
        EXPECT_GT(seen[i].toInt(), seen[i - 1].toInt());
    EXPECT_LE(seen.back().toInt(), 201 / 40);
    EXPECT_EQ(rig.pagePanel(), QString::fromUtf8("Страниц: 5"));
}

TEST(Follow, FromCycleFortyWithAutoUnticked) {
    Diagram17Rig rig;
    auto* forward = rig.button("SpeedButton9");
    auto* back = rig.button("SpeedButton13");
    bool enabledAt39 = true;
    bool automaticAt39 = false;
    AtCycle before(rig, 39, [&] {
        enabledAt39 = forward->isEnabled() || back->isEnabled();
        automaticAt39 = rig.chart().bottomAxis().automatic();
    });
    double widthAt40 = 0;
    double minAt40 = 0;
    AtCycle at(rig, 40, [&] {
        const auto range = rig.chart().bottomAxis().range();
        widthAt40 = range.maximum - range.minimum;
        minAt40 = range.minimum;
    });
    rig.clickStart();
    EXPECT_FALSE(enabledAt39);
    EXPECT_TRUE(automaticAt39);
    EXPECT_EQ(before.seenAt, 39);
    EXPECT_TRUE(forward->isEnabled());
    EXPECT_TRUE(back->isEnabled());
    EXPECT_TRUE(rig.d17().loop().followFlag());
    const auto range = rig.chart().bottomAxis().range();
    EXPECT_FALSE(rig.chart().bottomAxis().automatic());
    EXPECT_DOUBLE_EQ(range.maximum - range.minimum, widthAt40);
    EXPECT_DOUBLE_EQ(range.minimum, minAt40 + (301 - 40)) << "one cycle per cycle from 41 on";
}

TEST(Follow, NeverWithAutoTicked) {
    Diagram17Rig rig;
    rig.find<QCheckBox>("CheckBox4")->click();
    EXPECT_FALSE(rig.find<QCheckBox>("CheckBox4")->isEnabled());
    EXPECT_FALSE(rig.spin("SpinEdit1")->isEnabled());
    EXPECT_EQ(rig.chart().maxPointsPerPage(), 0);
    rig.clickStart();
    EXPECT_FALSE(rig.d17().loop().followFlag());
    EXPECT_FALSE(rig.button("SpeedButton9")->isEnabled());
    EXPECT_TRUE(rig.chart().bottomAxis().automatic());
}

TEST(Density, ChangeSetsPointsPerPageAndANegativeValueIsRefused) {
    Diagram17Rig rig;
    EXPECT_EQ(rig.chart().maxPointsPerPage(), 0) << "the design value waits for a change";
    rig.spin("SpinEdit1")->setText("25");
    EXPECT_EQ(rig.chart().maxPointsPerPage(), 25);
    rig.spin("SpinEdit1")->setText("-3");
    EXPECT_EQ(rig.chart().maxPointsPerPage(), 25);
    ASSERT_FALSE(rig.messages.boxes.empty());
    EXPECT_EQ(rig.messages.boxes.back().text, "MaxPointsPerPage must be >= 0");
}

TEST(Density, AutoUntickedAgainUsesTheDensityAndLocksBoth) {
    Diagram17Rig rig;
    rig.spin("SpinEdit1")->setText("30");
    auto* autoBox = rig.find<QCheckBox>("CheckBox4");
    autoBox->setChecked(true);
    autoBox->click(); // a click that leaves it unticked
    EXPECT_EQ(rig.chart().maxPointsPerPage(), 30);
    EXPECT_FALSE(rig.chart().bottomAxis().automatic());
    EXPECT_FALSE(autoBox->isEnabled());
}

TEST(Scroll, AClickMovesTenWhateverTheStepAndAProgramClickNeverRepeats) {
    Diagram17Rig rig;
    rig.spin("SpinEdit3")->setText("1");
    const double start = axisMin(rig);
    // Disabled before the first full page: a real click does nothing ...
    rig.button("SpeedButton9")->click();
    EXPECT_DOUBLE_EQ(axisMin(rig), start);
    // ... the menu's click (F12) scrolls all the same, without the repeat.
    rig.window->clicks().click("SpeedButton9");
    EXPECT_DOUBLE_EQ(axisMin(rig), start + 10);
    EXPECT_FALSE(rig.find<QTimer>("Timer3")->isActive());
    rig.window->clicks().click("SpeedButton13");
    rig.window->clicks().click("SpeedButton13");
    EXPECT_DOUBLE_EQ(axisMin(rig), start - 10);
    EXPECT_EQ(rig.d17().scroll().directionFlag(), 0);
}

TEST(Scroll, HoldRepeatsTheStepInTheHeldDirectionThenTheClickAddsTen) {
    Diagram17Rig rig;
    record(rig, 40); // the first full page enables the buttons
    auto* forward = rig.button("SpeedButton9");
    auto* back = rig.button("SpeedButton13");
    ASSERT_TRUE(forward->isEnabled());
    const double start = axisMin(rig);
    QTest::mousePress(forward, Qt::LeftButton);
    EXPECT_TRUE(rig.find<QTimer>("Timer3")->isActive());
    rig.d17().scroll().Timer3Timer();
    rig.d17().scroll().Timer3Timer();
    QTest::mouseRelease(forward, Qt::LeftButton);
    EXPECT_FALSE(rig.find<QTimer>("Timer3")->isActive());
    EXPECT_DOUBLE_EQ(axisMin(rig), start + 2 * 10 + 10);

    rig.spin("SpinEdit3")->setText("3");
    QTest::mousePress(back, Qt::LeftButton);
    rig.d17().scroll().Timer3Timer();
    QTest::mouseRelease(back, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(axisMin(rig), start + 30 - 3 - 10);
}

TEST(Scroll, RepeatIntervalSetsTimer3AndTheRegisterChartsTimerAndZeroStopsTheTicks) {
    Diagram17Rig rig;
    int follower = -1;
    rig.d17().paging().setRepeatIntervalFollower([&](int ms) { follower = ms; });
    rig.spin("SpinEdit4")->setText("250");
    EXPECT_EQ(rig.find<QTimer>("Timer3")->interval(), 250);
    EXPECT_EQ(follower, 250);
    record(rig, 40);
    QTest::mousePress(rig.button("SpeedButton9"), Qt::LeftButton);
    EXPECT_TRUE(rig.find<QTimer>("Timer3")->isActive());
    rig.spin("SpinEdit4")->setText("0");
    EXPECT_FALSE(rig.find<QTimer>("Timer3")->isActive());
    EXPECT_EQ(follower, 0);
    QTest::mouseRelease(rig.button("SpeedButton9"), Qt::LeftButton);
}

TEST(Pages, InertBeforeTheFirstFullPageThenMoveByTheDensity) {
    Diagram17Rig rig;
    const double start = axisMin(rig);
    rig.window->clicks().click("SpeedButton18");
    rig.window->clicks().click("SpeedButton19");
    EXPECT_DOUBLE_EQ(axisMin(rig), start);
    record(rig, 45);
    const double followed = axisMin(rig);
    rig.button("SpeedButton18")->click();
    EXPECT_DOUBLE_EQ(axisMin(rig), followed + 40);
    rig.window->clicks().click("SpeedButton19");
    rig.window->clicks().click("SpeedButton19");
    EXPECT_DOUBLE_EQ(axisMin(rig), followed - 40);
}

TEST(ViewSettings, AxesPanningAndFrameColour) {
    Diagram17Rig rig;
    rig.button("SpeedButton17")->click();
    EXPECT_FALSE(rig.chart().axisVisible());
    rig.window->clicks().click("SpeedButton17");
    EXPECT_TRUE(rig.chart().axisVisible());

    chart::Panning registerChart = chart::Panning::None;
    rig.d17().paging().setPanningFollower([&](chart::Panning p) { registerChart = p; });
    EXPECT_EQ(rig.chart().allowPanning(), chart::Panning::Horizontal);
    rig.find<QCheckBox>("CheckBox30")->click();
    EXPECT_EQ(rig.chart().allowPanning(), chart::Panning::Both);
    EXPECT_EQ(registerChart, chart::Panning::Both);

    const QColor before = rig.chart().frameColour();
    rig.d17().paging().setColourChooser([](const QColor&) { return std::nullopt; });
    rig.button("SpeedButton31")->click();
    EXPECT_EQ(rig.chart().frameColour(), before) << "cancelled";
    rig.d17().paging().setColourChooser([](const QColor&) { return QColor(Qt::darkBlue); });
    rig.button("SpeedButton31")->click();
    EXPECT_EQ(rig.chart().frameColour(), QColor(Qt::darkBlue));
}

TEST(Labels, SwitchToATimeFormatDuringARun) {
    Diagram17Rig rig;
    auto* hms = rig.find<QRadioButton>("RadioButton13");
    AtCycle choose(rig, 10, [&] { hms->click(); });
    AtCycle tick(rig, 20, [&] { rig.d17().labels().Timer6Timer(); });
    rig.clickStart();
    EXPECT_EQ(rig.trace(0).label(9), "10") << "cycle 10 was labelled before the click";
    EXPECT_EQ(rig.trace(5).label(10), "1234...") << "the preview until the next clock tick";
    EXPECT_EQ(rig.trace(16).label(19), "1234...");
    const QString time = rig.trace(0).label(20);
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(time).hasMatch())
        << time.toStdString();
    EXPECT_EQ(rig.trace(0).label(300), rig.text("Edit20"));
    EXPECT_TRUE(rig.find<QTimer>("Timer6")->isActive());

    rig.find<QRadioButton>("RadioButton11")->click();
    EXPECT_EQ(rig.text("Edit20"), "1234...");
    EXPECT_FALSE(rig.find<QTimer>("Timer6")->isActive());
}

TEST(Labels, FormatsAndTheClockFromProgramStart) {
    Diagram17Rig rig;
    EXPECT_TRUE(rig.find<QTimer>("Timer6")->isActive()) << "runs from the start";
    EXPECT_FALSE(rig.find<QRadioButton>("RadioButton12")->isEnabled());
    const QDateTime at(QDate(2026, 3, 7), QTime(9, 5, 4));
    using F = diagram17::LabelClock::Format;
    EXPECT_EQ(diagram17::LabelClock::formatted(F::HoursMinutesSeconds, at), "09:05:04");
    EXPECT_EQ(diagram17::LabelClock::formatted(F::HoursMinutes, at), "09 : 05 ");
    EXPECT_EQ(diagram17::LabelClock::formatted(F::Date, at), "07.03.26");
    EXPECT_EQ(diagram17::LabelClock::formatted(F::Cycles, at), "1234...");
    rig.find<QRadioButton>("RadioButton14")->click();
    rig.d17().labels().Timer6Timer();
    EXPECT_EQ(rig.text("Edit20").size(), 8);
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

// The repeat runs for as long as the button is held down, wherever the
// pointer goes meanwhile; a release off the button ends it without a click.
TEST(Scroll, HoldingRepeatsWhileThePointerLeavesTheButtonAndComesBack) {
    Diagram17Rig rig;
    auto* forward = rig.button("SpeedButton9");
    auto* timer3 = rig.find<QTimer>("Timer3");
    QTest::mousePress(forward, Qt::LeftButton);
    EXPECT_FALSE(timer3->isActive()) << "a disabled button takes no press";
    QTest::mouseRelease(forward, Qt::LeftButton);
    forward->setEnabled(true); // as the capture loop does when the first page is full
    const double start = axisMin(rig);
    QTest::mousePress(forward, Qt::LeftButton);
    ASSERT_TRUE(timer3->isActive());
    const QPoint outside(forward->width() + 30, forward->height() / 2);
    dragTo(forward, outside);
    EXPECT_TRUE(timer3->isActive()) << "leaving the held button stopped the repeat";
    rig.d17().scroll().Timer3Timer();
    dragTo(forward, forward->rect().center());
    EXPECT_TRUE(timer3->isActive());
    dragTo(forward, outside);
    QTest::mouseRelease(forward, Qt::LeftButton, {}, outside);
    EXPECT_FALSE(timer3->isActive());
    EXPECT_DOUBLE_EQ(axisMin(rig), start + 10) << "one tick of 10, and no click off the button";
}
