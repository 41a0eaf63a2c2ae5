#include "register_rig.h"

#include "diagram17/synchronous_start.h"
#include "regdiagram/register_recorder.h"
#include "ui/click_registry.h"
#include "ui/status_bar.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace voltarix;
using testkit::RecordingMessageService;
using testkit::RegisterRig;

namespace {

QString pagePanel(RegisterRig& rig) {
    return rig.form().statusBar1().panelText(5);
}

// Starts after the first poll, when the three series hold 1, 2 and 2 bars.
struct PolledRig : RegisterRig {
    PolledRig() { poll(); }
};

} // namespace

TEST(RegisterRecording, FirstPollRecordsStatusAndControlThenTheDataDrivingCycle) {
    RegisterRig rig;
    EXPECT_EQ(pagePanel(rig), "Страниц[R]:");
    QSignalSpy page(rig.find("Edit19"), &QLineEdit::textChanged);
    rig.port378().status = 0x78;
    rig.port378().control = 0x04;
    rig.port378().data = 0xA5;
    rig.poll();
    EXPECT_EQ(RegisterRig::labels(rig.status()), (QStringList{"0000", "1"}));
    EXPECT_EQ(RegisterRig::labels(rig.control()), (QStringList{"0000", "1"}));
    EXPECT_EQ(RegisterRig::labels(rig.data()), (QStringList{"1"}));
    EXPECT_EQ(RegisterRig::values(rig.status()), (QList<double>{120, 120}));
    EXPECT_EQ(RegisterRig::values(rig.control()), (QList<double>{4, 4}));
    EXPECT_EQ(RegisterRig::values(rig.data()), (QList<double>{165}));
    EXPECT_EQ(rig.data().colour(0), qRgb(255, 0, 0));
    EXPECT_EQ(rig.control().colour(1), qRgb(0, 255, 0));
    EXPECT_EQ(rig.status().colour(0), qRgb(0, 255, 255));
    EXPECT_EQ(rig.text("Edit17"), "1");
    EXPECT_EQ(rig.text("Edit19"), "0");
    EXPECT_EQ(page.count(), 1);
    EXPECT_EQ(pagePanel(rig), "Страниц[R]: 0");
}

TEST(RegisterRecording, AtStartOnlyTheDataSeriesShowsAndTheSwitchesFollowTheBoxes) {
    RegisterRig rig;
    EXPECT_TRUE(rig.data().active());
    EXPECT_FALSE(rig.control().active());
    EXPECT_FALSE(rig.status().active());
    rig.check("CheckBox1", true);
    rig.check("CheckBox3", false);
    EXPECT_TRUE(rig.status().active());
    EXPECT_FALSE(rig.data().active());
    rig.changeData();
    EXPECT_EQ(rig.data().count(), 1) << "a hidden series still receives its bars";
}

TEST(RegisterRecording, StatusBarsRunAheadWhileDataDrives) {
    PolledRig rig;
    for (int i = 0; i < 3; ++i)
        rig.changeStatus();
    EXPECT_EQ(RegisterRig::labels(rig.status()), (QStringList{"0000", "1", "1", "1", "1"}));
    EXPECT_EQ(rig.data().count(), 1);
    EXPECT_EQ(rig.text("Edit17"), "1");
    rig.changeData();
    EXPECT_EQ(rig.status().count(), 6);
    EXPECT_EQ(rig.status().label(5), "2");
    EXPECT_EQ(rig.data().count(), 2);
}

TEST(RegisterRecording, ControlDrivingLeavesTheDataChangesOnlyThePageNumber) {
    RegisterRig rig;
    rig.select("RadioButton2");
    rig.poll();
    EXPECT_EQ(RegisterRig::labels(rig.status()), (QStringList{"0000", "1"}));
    EXPECT_EQ(RegisterRig::labels(rig.control()), (QStringList{"1"}));
    EXPECT_EQ(RegisterRig::labels(rig.data()), (QStringList{"1"}));
    rig.type("SpinEdit5", "2");
    for (int i = 0; i < 3; ++i)
        rig.changeControl();
    EXPECT_EQ(rig.text("Edit17"), "4");
    EXPECT_EQ(rig.text("Edit19"), "0") << "control cycles do not move the page number";
    rig.changeData();
    EXPECT_EQ(rig.data().count(), 4) << "no data-only bar";
    EXPECT_EQ(rig.text("Edit19"), "2");
    EXPECT_EQ(pagePanel(rig), "Страниц[R]: 2");
}

TEST(RegisterRecording, StatusDrivingCountsStatusChanges) {
    RegisterRig rig;
    rig.select("RadioButton1");
    rig.poll();
    // The status step runs first, so the control bar of the same poll
    // already carries the new counter.
    EXPECT_EQ(RegisterRig::labels(rig.status()), (QStringList{"1"}));
    EXPECT_EQ(RegisterRig::labels(rig.control()), (QStringList{"1", "1"}));
    rig.changeStatus();
    rig.changeControl();
    EXPECT_EQ(RegisterRig::labels(rig.data()), (QStringList{"1", "2"}));
    EXPECT_EQ(RegisterRig::labels(rig.control()), (QStringList{"1", "1", "2", "2"}));
}

TEST(RegisterRecording, FollowModeBeginsWithDrivingCycle26AndTurnsAutoOff) {
    PolledRig rig;
    auto* autoBox = rig.find<QCheckBox>("CheckBox26");
    rig.dataChanges(24);
    EXPECT_EQ(rig.text("Edit17"), "25");
    EXPECT_EQ(rig.shown().minimum, 0);
    EXPECT_EQ(rig.shown().maximum, 25);
    EXPECT_TRUE(autoBox->isChecked());
    rig.changeData();
    EXPECT_FALSE(autoBox->isChecked());
    EXPECT_FALSE(rig.chart1().bottomAxis().automatic());
    EXPECT_TRUE(rig.diagram().recorder().following());
    EXPECT_EQ(rig.shown().minimum, 1);
    EXPECT_EQ(rig.shown().maximum, 26);
    rig.changeData();
    EXPECT_EQ(rig.shown().minimum, 2);
    rig.changeStatus();
    EXPECT_EQ(rig.shown().minimum, 2) << "a status bar is no driving cycle";
}

TEST(RegisterRecording, AutoMakesTheAxisShowTheFirstPageUntilTheNextScroll) {
    PolledRig rig;
    rig.dataChanges(30);
    rig.check("CheckBox26", true);
    EXPECT_TRUE(rig.chart1().bottomAxis().automatic());
    EXPECT_EQ(rig.shown().minimum, 0);
    EXPECT_EQ(rig.shown().maximum, 25);
    rig.changeData();
    EXPECT_FALSE(rig.chart1().bottomAxis().automatic());
    EXPECT_EQ(rig.shown().minimum, 1);
}

TEST(RegisterRecording, CyclesPerPageRaisedTo100BeforeThePageFills) {
    PolledRig rig;
    rig.dataChanges(10);
    rig.type("SpinEdit5", "100");
    EXPECT_EQ(rig.chart1().model().maxPointsPerPage(), 100);
    EXPECT_EQ(rig.shown().maximum, 100);
    rig.dataChanges(89);
    EXPECT_EQ(rig.text("Edit17"), "100");
    EXPECT_FALSE(rig.diagram().recorder().following());
    rig.changeData();
    EXPECT_TRUE(rig.diagram().recorder().following());
    EXPECT_EQ(rig.shown().minimum, 1);
    EXPECT_EQ(rig.shown().maximum, 101);
    EXPECT_EQ(rig.text("Edit19"), "1");
}

TEST(RegisterRecording, CyclesPerPageLoweredBelowTheCounterNeverFollows) {
    PolledRig rig;
    rig.dataChanges(19);
    rig.type("SpinEdit5", "10");
    rig.dataChanges(30);
    EXPECT_FALSE(rig.diagram().recorder().following());
    EXPECT_EQ(rig.shown().minimum, 0);
    EXPECT_EQ(rig.shown().maximum, 10);
    EXPECT_EQ(rig.text("Edit19"), "5");
}

TEST(RegisterRecording, PageNumberNotifiesOncePerNewPage) {
    PolledRig rig;
    rig.type("SpinEdit5", "4");
    QSignalSpy page(rig.find("Edit19"), &QLineEdit::textChanged);
    rig.dataChanges(15); // counter 16: pages 0 0 1 1 1 1 2 ... 4
    EXPECT_EQ(rig.text("Edit19"), "4");
    EXPECT_EQ(page.count(), 4);
    rig.changeStatus();
    rig.changeControl();
    EXPECT_EQ(page.count(), 4);
}

TEST(RegisterRecording, CyclesPerPageOfZeroLeavesThePageNumber) {
    PolledRig rig;
    rig.dataChanges(5);
    rig.type("SpinEdit5", "0");
    rig.changeData();
    EXPECT_EQ(rig.text("Edit19"), "0");
    EXPECT_EQ(rig.text("Edit17"), "7");
    EXPECT_TRUE(rig.messages.boxes.empty());
}

TEST(RegisterRecording, OffStopsTheCounterButNotThePageNumberOrTheOwnBars) {
    PolledRig rig;
    auto* indicator = rig.find<QWidget>("SpeedButton21");
    EXPECT_TRUE(indicator->isEnabled());
    rig.check("CheckBox5", true);
    EXPECT_FALSE(indicator->isEnabled());
    rig.dataChanges(3);
    EXPECT_EQ(rig.text("Edit17"), "1");
    EXPECT_EQ(rig.data().count(), 1);
    rig.changeControl();
    EXPECT_EQ(rig.control().count(), 3);
    rig.type("Edit17", "50");
    rig.changeData();
    EXPECT_EQ(rig.text("Edit19"), "2");
    EXPECT_EQ(rig.data().count(), 1);
    rig.check("CheckBox5", false);
    EXPECT_TRUE(indicator->isEnabled());
    rig.changeData();
    EXPECT_EQ(rig.text("Edit17"), "51");
}

TEST(RegisterRecording, CounterTextThatIsNoIntegerEndsTheStepThenTypedNumberContinues) {
    PolledRig rig;
    rig.type("Edit17", "abc");
    rig.changeStatus(); // copies the text, converts nothing
    EXPECT_EQ(rig.status().label(2), "abc");
    EXPECT_TRUE(rig.messages.boxes.empty());
    rig.changeData();
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].kind, RecordingMessageService::Kind::Error);
    EXPECT_EQ(rig.messages.boxes[0].text, "'abc' is not a valid integer value");
    EXPECT_EQ(rig.data().count(), 1);
    EXPECT_EQ(rig.control().count(), 2);
    EXPECT_EQ(rig.status().count(), 3);
    EXPECT_EQ(rig.text("Edit19"), "0");
    rig.messages.closeOpenBoxes();
    rig.type("Edit17", "500");
    rig.changeData();
    EXPECT_EQ(rig.text("Edit17"), "501");
    EXPECT_EQ(rig.data().label(1), "501");
    EXPECT_EQ(rig.text("Edit19"), "20");
}

// The box does not wait (see error_box_in_tick_test.cpp for the real one):
// the polls behind it run on and their steps are left out until it closes.
TEST(RegisterRecording, PollsWhileTheErrorBoxIsOpenAreHeldBack) {
    PolledRig rig;
    rig.type("Edit17", "abc");
    rig.changeData();
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    for (int i = 0; i < 5; ++i) {
        rig.changeData();
        rig.changeStatus();
    }
    EXPECT_EQ(rig.messages.boxes.size(), 1u) << "one box, not one per poll";
    EXPECT_EQ(rig.status().count(), 2) << "the status bars of those polls are left out too";
    EXPECT_EQ(rig.text("Edit19"), "0");
    rig.messages.closeOpenBoxes();
    rig.changeStatus();
    EXPECT_EQ(rig.status().count(), 3) << "after the box the steps run again";
    rig.changeData();
    EXPECT_EQ(rig.messages.boxes.size(), 2u) << "and the next change tries again";
}

namespace {

// Stands in for the 17-bit run control: a run polls the monitor while it
// lasts, as the capture loop's message handling does.
class FakeSynchronousStart : public diagram17::SynchronousStart {
public:
    explicit FakeSynchronousStart(RegisterRig& rig) : rig_(rig) {}

    diagram17::SynchronousSource selectedSource() const override { return source; }
    void requestSynchronousStart() override {
        ++requests;
        confirmed = true;
        if (running)
            return;
        running = true;
        ++runs;
        for (int i = 0; i < pollsPerRun; ++i)
            rig_.changeStatus();
        running = false;
    }

    diagram17::SynchronousSource source = diagram17::SynchronousSource::Command;
    int pollsPerRun = 3;
    int requests = 0;
    int runs = 0;
    bool running = false;
    bool confirmed = false;

private:
    RegisterRig& rig_;
};

} // namespace

TEST(RegisterSynchronousStart, StatusChangeStartsARunWhileTheMonitorKeepsPolling) {
    PolledRig rig;
    FakeSynchronousStart start(rig);
    start.source = diagram17::SynchronousSource::Input;
    rig.diagram().setSynchronousStart(&start);
    rig.changeStatus();
    EXPECT_EQ(start.runs, 1);
    EXPECT_EQ(start.requests, 4) << "every nested status change asks, none starts";
    EXPECT_TRUE(start.confirmed);
    EXPECT_EQ(rig.status().count(), 6) << "the register chart recorded during the run";
    rig.changeControl();
    rig.changeData();
    EXPECT_EQ(start.requests, 4);
}

TEST(RegisterSynchronousStart, EachSourceAsksOnItsOwnRegister) {
    PolledRig rig;
    FakeSynchronousStart start(rig);
    start.pollsPerRun = 0;
    rig.diagram().setSynchronousStart(&start);
    rig.changeStatus();
    rig.changeControl();
    rig.changeData();
    EXPECT_EQ(start.requests, 0) << "\"Командой.\" never starts";
    start.source = diagram17::SynchronousSource::Control;
    rig.changeStatus();
    rig.changeData();
    EXPECT_EQ(start.requests, 0);
    rig.changeControl();
    EXPECT_EQ(start.requests, 1);
    start.source = diagram17::SynchronousSource::Output;
    rig.changeData();
    EXPECT_EQ(start.requests, 2);
}

TEST(RegisterSynchronousStart, DataAsksOnlyWhileDataDrivesAndOffIsOff) {
    PolledRig rig;
    FakeSynchronousStart start(rig);
    start.pollsPerRun = 0;
    start.source = diagram17::SynchronousSource::Output;
    rig.diagram().setSynchronousStart(&start);
    rig.check("CheckBox5", true);
    rig.changeData();
    EXPECT_EQ(start.requests, 0);
    rig.check("CheckBox5", false);
    rig.select("RadioButton1");
    rig.changeData();
    EXPECT_EQ(start.requests, 0);
    rig.select("RadioButton3");
    rig.type("Edit17", "x");
    rig.changeData();
    EXPECT_EQ(start.requests, 0) << "a failed driving cycle ends the step before the request";
    rig.messages.closeOpenBoxes();
    rig.type("Edit17", "7");
    rig.changeData();
    EXPECT_EQ(start.requests, 1);
    rig.diagram().setSynchronousStart(nullptr);
    rig.changeData();
    EXPECT_EQ(start.requests, 1);
}
