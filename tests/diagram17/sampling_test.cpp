// Captures of the real window whose sampler reads ahead of the loop: what
// the loop records is exactly what the rules of a run say, however far ahead
// the sampler is, and no sample it records is lost or out of order.

#include "capture/sampler.h"
#include "diagram17/cycle_times.h"
#include "diagram17/sampling_gaps.h"
#include "diagram17/trace_layout.h"
#include "diagram17_rig.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>

using namespace voltarix;
using testkit::Diagram17Rig;

namespace {

constexpr std::uint8_t data378 = 0x20;

std::uint64_t nowUs() {
    return capture::Sampler::monotonicNs() / 1000;
}

// The window as a user has it, the loop taking the samples in batches; only
// the sampler reads the port, so that scripted reads count its samples.
struct SamplingRig : Diagram17Rig {
    SamplingRig() : Diagram17Rig(Batches::AsTheLoopTakesThem) { stopLiveMonitor(); }

    // Each sample reads a data byte one more than the sample before: the
    // data register is read once for each of its eight pins a cycle.
    void countOnTheDataLines(int readsPerSample = 8) {
        fake->scriptReads(data378, [readsPerSample](std::uint64_t read) {
            return static_cast<std::uint8_t>(read / static_cast<std::uint64_t>(readsPerSample));
        });
    }
    // The data byte recorded at a row (pins 9 to 2 are traces 9 to 16).
    std::uint8_t dataAt(std::int64_t row) {
        const std::uint32_t levels = chart().levelRows()->levels(row);
        std::uint8_t data = 0;
        for (int bit = 0; bit < 8; ++bit)
            data |= static_cast<std::uint8_t>(((levels >> (16 - bit)) & 1u) << bit);
        return data;
    }
    // Rows in [first, last) whose data is not one more than the row before.
    int breaksInTheCount(std::int64_t first, std::int64_t last) {
        int breaks = 0;
        for (std::int64_t row = std::max<std::int64_t>(first, 1); row < last; ++row)
            breaks += dataAt(row) != static_cast<std::uint8_t>(dataAt(row - 1) + 1) ? 1 : 0;
        return breaks;
    }
    std::int64_t rows() { return chart().levelRows()->size(); }
    std::optional<std::uint64_t> timeOfCycle(std::uint64_t cycle) {
        std::optional<std::uint64_t> time;
        d17().cycleTimes().forEach([&](const diagram17::CycleTimes::Entry& entry) {
            if (entry.cycle == cycle)
                time = entry.timeUs;
        });
        return time;
    }
    // Keeps the window's thread busy, so that the sampler gets ahead.
    static void holdTheLoop(int milliseconds) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
};

} // namespace

TEST(SamplerAhead, TheCycleLimitRecordsNPlusOneCyclesAndDropsWhatWasReadBeyond) {
    SamplingRig rig;
    rig.countOnTheDataLines();
    QTimer::singleShot(0, [] { SamplingRig::holdTheLoop(50); });
    rig.clickStart();
    EXPECT_EQ(rig.counter(), 301);
    EXPECT_EQ(rig.rows(), 301);
    EXPECT_EQ(rig.breaksInTheCount(0, 301), 0) << "the first 301 samples, every one of them";
    EXPECT_EQ(rig.dataAt(0), 0);
    EXPECT_GT(rig.d17().sampler().samples(), 1000u)
        << "the sampler read on while the loop was held";
    EXPECT_EQ(rig.pagePanel(), QString::fromUtf8("Страниц: 7"));
}

TEST(SamplerAhead, AStopEndsTheRecordingAtTheCycleTheLoopHadReached) {
    SamplingRig rig;
    rig.countOnTheDataLines();
    rig.find<QCheckBox>("CheckBox6")->click(); // unlimited
    testkit::AtCycle stop(rig, 1000, [&] {
        SamplingRig::holdTheLoop(50);
        rig.button("SpeedButton8")->click();
    });
    rig.clickStart();
    EXPECT_EQ(rig.counter(), rig.rows());
    EXPECT_EQ(rig.rows(), stop.seenAt) << "nothing recorded after the stop";
    EXPECT_EQ(rig.breaksInTheCount(0, rig.rows()), 0);
    EXPECT_GT(rig.d17().sampler().samples(), static_cast<std::uint64_t>(rig.rows()))
        << "what the sampler read while the stop was on its way is not recorded";
    EXPECT_FALSE(rig.d17().sampler().running());
}

TEST(SamplerAhead, AStartInsideARunGoesOnWithTheSameSamples) {
    SamplingRig rig;
    rig.spin("SpinEdit2")->setText("1");
    rig.clickStart(); // confirms the start: the nested one asks nothing
    const std::int64_t secondRun = rig.rows();
    rig.countOnTheDataLines();
    rig.find<QCheckBox>("CheckBox6")->click(); // unlimited: the inner start comes inside the run
    std::int64_t nestedAt = -1;
    int loopsWhenStopped = 0;
    testkit::AtCycle inner(rig, secondRun + 100, [&] {
        nestedAt = rig.counter();
        testkit::AtCycle stop(rig, nestedAt + 1000, [&] { rig.button("SpeedButton8")->click(); });
        rig.clickStart();
        loopsWhenStopped = 2;
    });
    rig.clickStart();
    ASSERT_GT(nestedAt, 0);
    EXPECT_EQ(loopsWhenStopped, 2) << "the inner run returned first, then the outer one ended";
    EXPECT_EQ(rig.questions(), 1);
    EXPECT_GE(rig.counter(), nestedAt + 1000);
    EXPECT_EQ(rig.counter(), rig.rows());
    EXPECT_EQ(rig.breaksInTheCount(secondRun + 1, rig.rows()), 0)
        << "no sample dropped or repeated where the inner run began";
}

TEST(SamplerAhead, AStartRightAfterAStopReadsAfresh) {
    SamplingRig rig;
    rig.countOnTheDataLines();
    rig.find<QCheckBox>("CheckBox6")->click(); // unlimited
    std::int64_t innerFirst = -1;
    std::uint64_t startedUs = 0;
    testkit::AtCycle restart(rig, 50, [&] {
        SamplingRig::holdTheLoop(20); // the sampler reads on meanwhile
        rig.button("SpeedButton8")->click();
        innerFirst = rig.rows();
        startedUs = nowUs();
        QTimer::singleShot(20, [&] { rig.button("SpeedButton8")->click(); });
        rig.clickStart(); // the question is still asked: answered yes
    });
    rig.clickStart();
    ASSERT_GT(innerFirst, 0);
    ASSERT_GT(rig.rows(), innerFirst);
    EXPECT_EQ(rig.breaksInTheCount(0, innerFirst), 0);
    EXPECT_EQ(rig.breaksInTheCount(innerFirst + 1, rig.rows()), 0);
    EXPECT_NE(rig.dataAt(innerFirst), static_cast<std::uint8_t>(rig.dataAt(innerFirst - 1) + 1))
        << "what was read between the stop and the start is not recorded";
    const auto firstTime = rig.timeOfCycle(static_cast<std::uint64_t>(innerFirst));
    ASSERT_TRUE(firstTime.has_value());
    EXPECT_GE(*firstTime, startedUs) << "the new run's first sample was read after its start";
}

TEST(SamplerAhead, TheSpeedSlidersPauseSpacesTheSamples) {
    SamplingRig rig;
    rig.countOnTheDataLines();
    rig.find<QSlider>("TrackBar1")->setValue(20);
    rig.spin("SpinEdit2")->setText("4"); // five cycles
    rig.clickStart();
    ASSERT_EQ(rig.rows(), 5);
    EXPECT_EQ(rig.breaksInTheCount(0, 5), 0);
    std::vector<std::uint64_t> times;
    rig.d17().cycleTimes().forEach(
        [&](const diagram17::CycleTimes::Entry& entry) { times.push_back(entry.timeUs); });
    ASSERT_EQ(times.size(), 5u) << "every cycle changed the data lines";
    for (std::size_t i = 1; i < times.size(); ++i)
        EXPECT_GE(times[i] - times[i - 1], 19'999u) << "cycle " << i;
    // A sleep may end late on a busy machine, but a pause asked for is never
    // counted as missed time itself.
    EXPECT_LT(rig.d17().gaps().longestNs(), 20'000'000u);
}

// A box shown inside a run runs an event loop of its own, and the capture
// loop waits under it; the sampler does not: when the box closes the loop
// records what was read meanwhile.
TEST(SamplerAhead, ABoxInsideARunLeavesTheSamplerSampling) {
    SamplingRig rig;
    rig.find<QCheckBox>("CheckBox6")->click(); // unlimited
    std::uint64_t openedUs = 0;
    std::uint64_t closedUs = 0;
    std::int64_t rowsWhenClosed = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        // Stopped once the recording has reached what was read after the box.
        std::uint64_t latestUs = 0;
        rig.d17().cycleTimes().forEach(
            [&](const diagram17::CycleTimes::Entry& entry) { latestUs = entry.timeUs; });
        if (latestUs > closedUs + 20'000 || nowUs() > closedUs + 5'000'000)
            rig.button("SpeedButton8")->click();
    });
    QTimer::singleShot(20, rig.window.get(), [&] {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Информация"),
                        QStringLiteral("Запись идёт"), QMessageBox::Ok, rig.window.get());
        QTimer::singleShot(300, &box, &QMessageBox::accept);
        openedUs = nowUs();
        box.exec();
        closedUs = nowUs();
        rowsWhenClosed = rig.rows();
        watch.start(5);
    });
    rig.clickStart();
    ASSERT_GT(closedUs, openedUs + 250'000);
    EXPECT_LT(nowUs(), closedUs + 5'000'000) << "the recording caught up after the box";
    EXPECT_EQ(rig.counter(), rig.rows());
    // Cycles read early and late while the box was open are in the recording.
    int early = 0;
    int late = 0;
    rig.d17().cycleTimes().forEach([&](const diagram17::CycleTimes::Entry& entry) {
        early += entry.timeUs > openedUs + 10'000 && entry.timeUs < openedUs + 110'000 ? 1 : 0;
        late += entry.timeUs + 110'000 > closedUs && entry.timeUs + 10'000 < closedUs ? 1 : 0;
    });
    EXPECT_GT(early, 0) << "cycles read just after the box opened";
    EXPECT_GT(late, 0) << "cycles read just before it closed";
    EXPECT_GT(rig.rows(), rowsWhenClosed);
    EXPECT_EQ(rig.d17().sampler().fullWaits(), 0u) << "the hand-over held the whole wait";
}

TEST(SamplerAhead, CoherentReadsTakeEachRegisterOnceACycleAndGiveTheSameLines) {
    SamplingRig rig;
    rig.port378().status = 0xA8;
    rig.port378().control = 0x05;
    rig.port378().data = 0x3C;
    rig.spin("SpinEdit2")->setText("9"); // ten cycles
    rig.clickStart();
    const std::uint32_t byPin = rig.chart().levelRows()->levels(0);

    rig.find<QCheckBox>("CheckBox32")->click();
    EXPECT_EQ(rig.find<QCheckBox>("CheckBox32")->text(),
              QString::fromUtf8("Один опрос регистра за цикл"));
    rig.fake->clearLog();
    rig.clickStart();
    EXPECT_EQ(rig.chart().levelRows()->levels(rig.rows() - 1), byPin);
    ASSERT_GE(rig.fake->log.size(), 30u);
    const std::uint8_t order[] = {0x21, 0x22, 0x20};
    for (std::size_t i = 0; i + 2 < rig.fake->log.size(); i += 3) {
        for (std::size_t j = 0; j < 3; ++j)
            ASSERT_EQ(rig.fake->log[i + j].selector, order[j]) << "access " << i + j;
    }
}

TEST(SamplerAhead, MissedTimeShowsOnTheTabResources) {
    SamplingRig rig;
    auto* figure = rig.find<QLabel>("Label3");
    EXPECT_EQ(figure->text(), QString::fromUtf8("Пропуски: 0"));
    // One status read that takes 5 ms, as a read stuck in the kernel would.
    rig.fake->scriptReads(0x21, [](std::uint64_t read) {
        if (read == 2000)
            QThread::msleep(5);
        return std::uint8_t{0x78};
    });
    rig.find<QCheckBox>("CheckBox6")->click();
    QTimer::singleShot(100, [&] { rig.button("SpeedButton8")->click(); });
    rig.clickStart();
    ASSERT_GE(rig.d17().gaps().count(), 1u);
    EXPECT_GE(rig.d17().gaps().longestNs(), 5'000'000u);
    EXPECT_EQ(figure->text(), QString::fromUtf8("Пропуски: %1").arg(rig.d17().gaps().count()));
    EXPECT_EQ(figure->toolTip(), rig.d17().gaps().hintText());
    EXPECT_TRUE(figure->toolTip().contains(QString::fromUtf8(" мс. ")));
}
