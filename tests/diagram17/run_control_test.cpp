#include "diagram17/memory_guard.h"
#include "diagram17/run_control.h"
#include "diagram17/synchronous_start.h"
#include "diagram17_rig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace voltarix;
using testkit::AtCycle;
using testkit::Diagram17Rig;
using Kind = testkit::RecordingMessageService::Kind;

TEST(RunControl, FirstRunAsksTheDensityQuestionAndRecordsNPlusOneCycles) {
    Diagram17Rig rig;
    rig.clickStart();
    ASSERT_EQ(rig.questions(), 1);
    const auto& box = rig.messages.boxes.front();
    EXPECT_EQ(box.caption, QString::fromUtf8("Выбор режима работы 17 bit графика"));
    EXPECT_EQ(box.text.toUtf8(),
              QByteArray("Увеличение плотности графика уменьшает скорость. Не рекомендуется "
                         "более 50 циклов на страницу для 100-500 МГц пр"
                         "o"
                         "цессор. Применить значение  =   40 циклов на страницу ?"));
    EXPECT_EQ(rig.text("Edit16"), "301");
    EXPECT_EQ(rig.pagePanel(), QString::fromUtf8("Страниц: 7"));
    EXPECT_EQ(rig.trace(0).count(), 301);
    EXPECT_EQ(rig.trace(16).count(), 301);
    EXPECT_EQ(rig.trace(0).label(0), "1");
    EXPECT_EQ(rig.trace(0).label(300), "301");
    EXPECT_TRUE(rig.window->captureStopFlag());
    EXPECT_FALSE(rig.find<QTimer>("Timer4")->isActive());
    EXPECT_FALSE(rig.spin("SpinEdit1")->isEnabled()) << "the first start fixes the density";
    EXPECT_TRUE(rig.d17().runControl().startConfirmed());
}

TEST(RunControl, SecondRunAsksNothingAndContinuesTheRecording) {
    Diagram17Rig rig;
    rig.clickStart();
    std::int64_t gaugeAtFirstCycle = -1;
    AtCycle first(rig, 302, [&] { gaugeAtFirstCycle = rig.d17().gauge().position(); });
    rig.clickStart();
    EXPECT_EQ(rig.questions(), 1);
    EXPECT_EQ(gaugeAtFirstCycle, 302);
    EXPECT_EQ(rig.text("Edit16"), "602");
    auto* gauge = rig.find<QProgressBar>("Gauge1");
    EXPECT_EQ(gauge->maximum(), 601);
    EXPECT_EQ(gauge->value(), 601) << "the position is clamped to the range";
    EXPECT_EQ(rig.trace(0).label(301), "302") << "x 301 carries the next cycle number";
    EXPECT_EQ(rig.trace(0).count(), 602);
}

TEST(RunControl, NoLeavesEverythingAsItWasAndAsksAgain) {
    Diagram17Rig rig;
    rig.messages.answerYes = false;
    rig.clickStart();
    EXPECT_EQ(rig.text("Edit16"), "0000");
    EXPECT_EQ(rig.trace(0).count(), 0);
    EXPECT_TRUE(rig.spin("SpinEdit1")->isEnabled());
    EXPECT_FALSE(rig.find<QTimer>("Timer4")->isActive());
    rig.clickStart();
    EXPECT_EQ(rig.questions(), 2);
    EXPECT_FALSE(rig.d17().runControl().startConfirmed());
}

TEST(RunControl, StartDuringTheFirstRunAsksAgainNestsAndOneStopEndsBoth) {
    Diagram17Rig rig;
    bool innerStarted = false;
    AtCycle nested(rig, 100, [&] {
        innerStarted = true;
        rig.clickStart(); // returns when the inner run ends
    });
    rig.clickStart();
    EXPECT_TRUE(innerStarted);
    EXPECT_EQ(rig.questions(), 2) << "the flag is set only when a confirmed run ends";
    // The inner start fixed the gauge at counter + 300 with position 0.
    EXPECT_EQ(rig.d17().counter().value(), nested.seenAt + 300 + 1);
    EXPECT_EQ(rig.trace(0).count(), rig.counter());
}

TEST(RunControl, UnlimitedOnAndOffDuringARun) {
    Diagram17Rig rig;
    auto* unlimited = rig.find<QCheckBox>("CheckBox6");
    AtCycle tick(rig, 10, [&] {
        unlimited->click();
        EXPECT_FALSE(rig.spin("SpinEdit2")->isEnabled());
    });
    std::int64_t untickedAt = 0;
    AtCycle untick(rig, 1000, [&] {
        untickedAt = rig.counter();
        unlimited->click();
        EXPECT_TRUE(rig.spin("SpinEdit2")->isEnabled());
    });
    rig.clickStart();
    // The gauge stood clamped at its maximum, so the next cycle stops the run.
    EXPECT_EQ(rig.counter(), untickedAt + 1);
    EXPECT_GE(untickedAt, 1000);
}

TEST(RunControl, ClearedCountFieldBecomesOneUnlessTheSynchronousFieldShowsOne) {
    Diagram17Rig rig;
    ui::SpinEdit* count = rig.spin("SpinEdit2");
    ui::SpinEdit* sync = rig.spin("SpinEdit9");
    count->setText("");
    EXPECT_EQ(count->text(), "1");
    EXPECT_EQ(sync->text(), "1");
    count->setText("");
    EXPECT_EQ(count->text(), "") << "the synchronous field did not change, so no write-back";
    EXPECT_EQ(count->value(), 0);

    rig.clickStart();
    EXPECT_EQ(rig.counter(), 1) << "one cycle when the counter is 0";
    rig.clickStart();
    EXPECT_EQ(rig.counter(), 3) << "two cycles otherwise";

    count->setText("0");
    EXPECT_EQ(count->text(), "0") << "the synchronous field already shows 1";
    count->setText("200000");
    EXPECT_EQ(sync->text(), "100000");
    EXPECT_EQ(count->text(), "100000");
    sync->setText("77");
    EXPECT_EQ(count->text(), "77");
}

TEST(RunControl, ChangingTheCountDuringARunEndsItNPrimePlusOneCyclesLater) {
    Diagram17Rig rig;
    std::int64_t changedAt = 0;
    AtCycle change(rig, 50, [&] {
        changedAt = rig.counter();
        rig.spin("SpinEdit2")->setText("20");
    });
    rig.clickStart();
    EXPECT_EQ(rig.counter(), changedAt + 21);
}

TEST(RunControl, PulseSourcePresetsBothCountsToThirtyOnce) {
    Diagram17Rig rig;
    rig.find<QRadioButton>("RadioButton19")->click();
    EXPECT_EQ(rig.spin("SpinEdit9")->text(), "300") << "\"Командой.\" presets nothing";
    rig.find<QRadioButton>("RadioButton17")->click();
    EXPECT_EQ(rig.spin("SpinEdit9")->text(), "30");
    EXPECT_EQ(rig.spin("SpinEdit2")->text(), "30");
    rig.spin("SpinEdit9")->setText("45");
    rig.find<QRadioButton>("RadioButton16")->click();
    EXPECT_EQ(rig.spin("SpinEdit2")->text(), "45");
    EXPECT_EQ(rig.window->synchronousStart().selectedSource(), diagram17::SynchronousSource::Input);
    rig.find<QRadioButton>("RadioButton18")->click();
    EXPECT_EQ(rig.window->synchronousStart().selectedSource(),
              diagram17::SynchronousSource::Output);
}

TEST(RunControl, StopOnAnIdleDiagramRepeatsThePageCount) {
    Diagram17Rig rig;
    rig.button("SpeedButton8")->click();
    EXPECT_EQ(rig.pagePanel(), QString::fromUtf8("Страниц: 0"));
    EXPECT_TRUE(rig.window->captureStopFlag());
    EXPECT_TRUE(rig.window->clicks().contains("SpeedButton8"));
}

TEST(RunControl, ThePageTimerRunsFromStartToTheStopAction) {
    Diagram17Rig rig;
    bool activeDuringRun = false;
    bool densityDisabled = false;
    AtCycle look(rig, 5, [&] {
        activeDuringRun = rig.find<QTimer>("Timer4")->isActive();
        densityDisabled = !rig.spin("SpinEdit1")->isEnabled();
    });
    rig.clickStart();
    EXPECT_TRUE(activeDuringRun);
    EXPECT_TRUE(densityDisabled);
    EXPECT_FALSE(rig.find<QTimer>("Timer4")->isActive());
}

TEST(RunControl, AStopFromActivationEndsTheLoopButLeavesThePageTimerRunning) {
    Diagram17Rig rig;
    AtCycle activate(rig, 20, [&] { rig.window->setCaptureStopFlag(true); });
    rig.clickStart();
    EXPECT_EQ(rig.counter(), 20);
    EXPECT_TRUE(rig.find<QTimer>("Timer4")->isActive());
    EXPECT_EQ(rig.text("Edit16"), "20") << "the field shows the exact count once the run ends";
}

TEST(SynchronousStart, RequestWhileIdleStartsARunWithoutTheQuestion) {
    Diagram17Rig rig;
    rig.window->setCaptureStopFlag(true);
    rig.spin("SpinEdit2")->setText("30");
    rig.window->synchronousStart().requestSynchronousStart();
    EXPECT_EQ(rig.counter(), 0) << "the run starts from a queued call, not inside the request";
    EXPECT_TRUE(rig.d17().runControl().startConfirmed());
    QTest::qWait(20);
    EXPECT_EQ(rig.counter(), 31);
    EXPECT_EQ(rig.questions(), 0);
    rig.clickStart();
    EXPECT_EQ(rig.questions(), 0) << "the request also confirmed the start button";
}

TEST(SynchronousStart, RequestBeforeTheFirstActivationOrDuringARunOnlyConfirms) {
    Diagram17Rig rig;
    rig.window->synchronousStart().requestSynchronousStart();
    QTest::qWait(10);
    EXPECT_EQ(rig.counter(), 0) << "the stop flag is false until the first activation";
    EXPECT_TRUE(rig.d17().runControl().startConfirmed());

    Diagram17Rig running;
    running.window->setCaptureStopFlag(true);
    int requests = 0;
    AtCycle during(running, 10, [&] {
        running.window->synchronousStart().requestSynchronousStart();
        ++requests;
    });
    running.clickStart();
    QTest::qWait(10);
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(running.counter(), 301) << "no second run followed";
}

TEST(SynchronousStart, TheMonitorKeepsUpdatingDuringASynchronouslyStartedRun) {
    Diagram17Rig rig;
    rig.window->setCaptureStopFlag(true);
    // What the register diagram does on a change of the status display.
    auto* status = rig.find<QLineEdit>("Edit2");
    QObject::connect(status, &QLineEdit::textChanged, rig.window.get(), [&] {
        if (rig.window->synchronousStart().selectedSource() == diagram17::SynchronousSource::Input)
            rig.window->synchronousStart().requestSynchronousStart();
    });
    rig.find<QRadioButton>("RadioButton16")->click();
    rig.find<QCheckBox>("CheckBox6")->click(); // unlimited: only a stop ends the run
    rig.port378().status = 0x10;

    // The monitor's first tick changes the status field, which starts the
    // run; a change of the status during the run must reach the field while
    // the run goes on.
    QString shownDuringRun;
    QTimer watch;
    QElapsedTimer waited;
    waited.start();
    bool changedAgain = false;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const bool running = !rig.window->captureStopFlag();
        if (running && !changedAgain && rig.counter() > 0) {
            changedAgain = true;
            rig.port378().status = 0x30;
        } else if (running && status->text() == "48") {
            shownDuringRun = status->text();
            rig.button("SpeedButton8")->click();
        }
        if (waited.elapsed() > 10'000)
            rig.button("SpeedButton8")->click();
    });
    watch.start(2);
    while (waited.elapsed() < 10'000 && shownDuringRun.isEmpty())
        QTest::qWait(10);
    EXPECT_EQ(shownDuringRun, "48") << "Timer1 ticked inside the run";
    EXPECT_GT(rig.counter(), 0);
    EXPECT_EQ(rig.questions(), 0);
}

TEST(MemoryGuard, ARunStopsWithABoxBeforeMemoryRunsShortAndKeepsTheRecording) {
    Diagram17Rig rig;
    std::uint64_t available = std::uint64_t{1} << 40;
    rig.d17().memory() =
        diagram17::MemoryGuard([&] { return std::optional(available); }, std::uint64_t{1} << 30);
    rig.find<QCheckBox>("CheckBox6")->click();
    AtCycle shortage(rig, 500, [&] { available = 1 << 20; });
    rig.clickStart();
    // Asked at the first cycle and then once every kCyclesPerCheck cycles.
    EXPECT_EQ(rig.counter(), diagram17::MemoryGuard::kCyclesPerCheck + 1);
    ASSERT_FALSE(rig.messages.boxes.empty());
    EXPECT_EQ(rig.messages.boxes.back().kind, Kind::Information);
    EXPECT_EQ(rig.messages.boxes.back().text,
              QString::fromUtf8("Недостаточно памяти: запись остановлена"));
    EXPECT_FALSE(rig.find<QTimer>("Timer4")->isActive()) << "stopped as by the stop action";
    EXPECT_EQ(rig.trace(0).count(), rig.counter());

    // A synchronous start while memory is short starts nothing.
    rig.window->synchronousStart().requestSynchronousStart();
    QTest::qWait(10);
    EXPECT_EQ(rig.trace(0).count(), rig.counter());
    EXPECT_EQ(rig.counter(), diagram17::MemoryGuard::kCyclesPerCheck + 1);
}

TEST(RunControl, TheCounterFieldIsRefreshedAtScreenRateNotEveryCycle) {
    Diagram17Rig rig;
    QSignalSpy shown(rig.find<QLineEdit>("Edit16"), &QLineEdit::textChanged);
    rig.spin("SpinEdit2")->setText("20000");
    rig.clickStart();
    EXPECT_EQ(rig.text("Edit16"), "20001") << "exact at the stop";
    EXPECT_EQ(rig.find<QProgressBar>("Gauge1")->value(), 20000);
    // A field written every cycle would have changed 20001 times; the loop
    // ran far faster than the screen refresh.
    EXPECT_LT(shown.count(), 2000);
}

TEST(RunControl, AnErrorBoxFromAHandlerInsideTheRunDoesNotEndIt) {
    Diagram17Rig rig;
    AtCycle refuse(rig, 50, [&] { rig.spin("SpinEdit1")->setText("-3"); });
    rig.clickStart();
    ASSERT_FALSE(rig.messages.boxes.empty());
    EXPECT_EQ(rig.messages.boxes.back().kind, Kind::Error);
    EXPECT_EQ(rig.messages.boxes.back().text, "MaxPointsPerPage must be >= 0");
    EXPECT_EQ(rig.counter(), 301);
}

TEST(RunControl, AKeyOrAClickDuringARunFindsTheCounterExact) {
    Diagram17Rig rig;
    rig.find<QCheckBox>("CheckBox6")->click(); // long enough to reach cycle 777
    AtCycle stop(rig, 800, [&] { rig.button("SpeedButton8")->click(); });
    QString shownAtKey;
    std::int64_t counterAtKey = -1;
    auto* field = rig.find<QLineEdit>("Edit16");
    AtCycle press(rig, 777, [&] {
        counterAtKey = rig.counter();
        QTest::keyClick(rig.find<QCheckBox>("CheckBox7"), Qt::Key_A);
        shownAtKey = field->text();
    });
    rig.clickStart();
    EXPECT_EQ(shownAtKey, QString::number(counterAtKey));
}
