#include "diagram17/trace_layout.h"
#include "diagram17_rig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QSlider>
#include <gtest/gtest.h>

using namespace voltarix;
using testkit::Diagram17Rig;

namespace {

// With the synchronous field at 1, an emptied count field stays empty and
// reads as 0: a run then records one cycle at counter 0, two otherwise.
void recordWithCountZero(Diagram17Rig& rig) {
    rig.spin("SpinEdit2")->setText("1");
    rig.spin("SpinEdit2")->setText("");
    rig.clickStart();
}

std::vector<bool> activeTraces(Diagram17Rig& rig) {
    std::vector<bool> active;
    for (int k = 0; k < 17; ++k)
        active.push_back(rig.trace(k).active());
    return active;
}

} // namespace

TEST(Capture, ChartTwoAsDesigned) {
    Diagram17Rig rig;
    const chart::ChartModel& model = rig.chart();
    EXPECT_EQ(rig.d17().chart2().objectName(), "Chart2");
    EXPECT_EQ(rig.d17().chart2().geometry(), QRect(6, 6, 439, 395));
    EXPECT_EQ(rig.d17().chart2().parentWidget()->objectName(), "Panel4");
    EXPECT_EQ(model.backColour(), QColor(Qt::black));
    EXPECT_EQ(model.margins(), QMargins(0, 0, 0, 0));
    EXPECT_FALSE(model.leftAxis().automatic());
    EXPECT_EQ(model.leftAxis().minimum(), 0);
    EXPECT_EQ(model.leftAxis().maximum(), 70);
    EXPECT_FALSE(model.leftAxis().visible());
    EXPECT_TRUE(model.bottomAxis().automatic());
    EXPECT_EQ(model.bottomAxis().increment(), 10);
    EXPECT_FALSE(model.scaleLastPage());
    EXPECT_EQ(model.chart3DPercent(), 55);
    EXPECT_FALSE(model.view3D());
    for (int k = 0; k < 17; ++k) {
        EXPECT_EQ(rig.trace(k).name(),
                  QString("Series%1").arg(diagram17::traceTable()[std::size_t(k)].seriesNumber));
        EXPECT_TRUE(rig.trace(k).stairs());
    }
    EXPECT_EQ(rig.trace(0).name(), "Series4");
    EXPECT_EQ(rig.trace(16).name(), "Series20");
}

TEST(Capture, FirstCycleReadsSeventeenPinsInTableOrderAndStandsAtXZero) {
    Diagram17Rig rig;
    // Pin 11 is Busy inverted: status bit 7 clear reads high.
    rig.port378().status = 0x40;  // nAck high: pin 10
    rig.port378().control = 0x00; // pins 1, 14, 17 high (inverted), 16 low
    rig.port378().data = 0x81;    // pins 9 and 2
    rig.stopLiveMonitor();        // its reads would mingle with the sampler's
    rig.fake->clearLog();
    recordWithCountZero(rig);
    EXPECT_EQ(rig.text("Edit16"), "1");
    std::vector<std::uint8_t> reads;
    for (const auto& access : rig.fake->log) {
        if (!access.write)
            reads.push_back(access.selector);
    }
    const std::vector<std::uint8_t> order{0x21, 0x21, 0x21, 0x21, 0x21, 0x22, 0x22, 0x22, 0x22,
                                          0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
    ASSERT_GE(reads.size(), order.size());
    EXPECT_EQ(std::vector<std::uint8_t>(reads.begin(), reads.begin() + 17), order);

    const std::array<bool, 17> high{true, true,  false, false, false, true,  false, true, true,
                                    true, false, false, false, false, false, false, true};
    for (int k = 0; k < 17; ++k) {
        const double expected =
            high[std::size_t(k)] ? diagram17::highLevel(k) : diagram17::lowLevel(k);
        EXPECT_EQ(rig.trace(k).y(0), expected) << "trace " << k;
        EXPECT_EQ(rig.trace(k).label(0), "1");
    }
    EXPECT_EQ(rig.trace(0).colour(0), diagram17::aqua);
    EXPECT_EQ(rig.trace(5).colour(0), diagram17::yellow);
    EXPECT_EQ(rig.trace(16).colour(0), diagram17::lime);
    EXPECT_EQ(rig.trace(0).y(0), 3) << "pin 11 high stands at y 3";
}

TEST(Capture, ALevelChangeBetweenCyclesShowsAtTheLaterCycle) {
    Diagram17Rig rig;
    rig.port378().data = 0x00;
    recordWithCountZero(rig); // one cycle
    rig.port378().data = 0x01;
    recordWithCountZero(rig); // two cycles
    ASSERT_EQ(rig.trace(16).count(), 3);
    EXPECT_EQ(rig.trace(16).y(0), diagram17::lowLevel(16));
    EXPECT_EQ(rig.trace(16).y(1), diagram17::highLevel(16));
    EXPECT_EQ(rig.trace(16).y(2), diagram17::highLevel(16));
    EXPECT_EQ(rig.trace(16).label(2), "3");
}

TEST(Capture, ModesChooseWhatIsDrawnAndEveryTraceKeepsRecording) {
    Diagram17Rig rig;
    auto* normal = rig.find<QRadioButton>("RadioButton4");
    auto* fast = rig.find<QRadioButton>("RadioButton5");
    auto* oneTrace = rig.find<QRadioButton>("RadioButton6");
    auto box = [&](int pin) { return rig.find<QCheckBox>(QString("CheckBox%1").arg(pin)); };

    fast->click();
    EXPECT_EQ(activeTraces(rig), std::vector<bool>(17, false));
    recordWithCountZero(rig);
    EXPECT_EQ(rig.trace(9).count(), 1) << "hidden traces still record";
    box(22)->click(); // "Pin5" off ...
    box(22)->click(); // ... and on again: shows that trace alone
    auto alone = std::vector<bool>(17, false);
    alone[13] = true;
    EXPECT_EQ(activeTraces(rig), alone);

    oneTrace->click();
    auto bottom = std::vector<bool>(17, false);
    bottom[0] = true;
    EXPECT_EQ(activeTraces(rig), bottom);
    box(9)->click(); // "Pin11" off: nothing left
    EXPECT_EQ(activeTraces(rig), std::vector<bool>(17, false));

    normal->click();
    auto boxes = std::vector<bool>(17, true);
    boxes[0] = false;
    EXPECT_EQ(activeTraces(rig), boxes);
    EXPECT_EQ(box(9)->text(), "Pin11");
    EXPECT_EQ(box(25)->text(), "Pin2");
}

TEST(Capture, SpeedSliderShowsItsPositionInTheStatusBar) {
    Diagram17Rig rig;
    rig.find<QSlider>("TrackBar1")->setValue(120);
    EXPECT_EQ(rig.window->statusBar1().panelText(1), "120");
}

TEST(Capture, PortNotReadyRecordsTheNotReadyLevels) {
    testkit::WindowRig base([](testkit::FakePortPlatform& f) { f.failRequests = true; });
    auto& d17 = base.window->diagram17();
    base.find<ui::SpinEdit>("SpinEdit2")->setText("0");
    base.find<QToolButton>("SpeedButton7")->click();
    auto& model = d17.chart2().model();
    const int first = model.seriesCount() - 17;
    EXPECT_EQ(model.series(first + 0).y(0), diagram17::highLevel(0)) << "pin 11";
    EXPECT_EQ(model.series(first + 1).y(0), diagram17::lowLevel(1)) << "pin 10";
    EXPECT_EQ(model.series(first + 8).y(0), diagram17::highLevel(8)) << "pin 1";
    EXPECT_EQ(model.series(first + 16).y(0), diagram17::lowLevel(16)) << "pin 2";
}

// The sampler reads the port the selector names when it takes the sample:
// once the selector has changed, every later sample comes from the new port,
// and the recording switches from one port's levels to the other's once.
TEST(Capture, APortChangeMidRunReachesTheSamplerAtOnce) {
    Diagram17Rig rig(Diagram17Rig::Batches::AsTheLoopTakesThem);
    rig.port378().data = 0x00;
    rig.fake->port(0x30).data = 0xFF;
    auto* selector = rig.find<QComboBox>("ComboBox1");
    rig.find<QCheckBox>("CheckBox6")->click(); // unlimited: the test stops the run
    std::int64_t changedAt = -1;
    testkit::AtCycle change(rig, 5, [&] {
        selector->setEditText("$278");
        changedAt = rig.counter();
    });
    const auto pin2High = [&](std::int64_t x) {
        return rig.trace(16).y(static_cast<int>(x)) == diagram17::highLevel(16);
    };
    QTimer watch;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const std::int64_t rows = rig.chart().levelRows()->size();
        if ((changedAt >= 0 && rows > 0 && pin2High(rows - 1)) || waited.elapsed() > 10'000)
            rig.button("SpeedButton8")->click();
    });
    watch.start(1);
    rig.clickStart();

    ASSERT_GE(changedAt, 5);
    const std::int64_t rows = rig.chart().levelRows()->size();
    ASSERT_TRUE(pin2High(rows - 1)) << "the new port's levels reach the recording";
    std::int64_t switches = 0;
    for (std::int64_t x = 1; x < rows; ++x)
        switches += pin2High(x) != pin2High(x - 1) ? 1 : 0;
    EXPECT_EQ(switches, 1);
    EXPECT_FALSE(pin2High(changedAt - 1)) << "cycles recorded before the change came from $378";
    int readsAt278 = 0;
    for (const auto& access : rig.fake->log)
        readsAt278 += !access.write && (access.selector & 0xF0) == 0x30 ? 1 : 0;
    EXPECT_GT(readsAt278, 0);
}
