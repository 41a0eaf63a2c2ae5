#include "diagram17/capture_loop.h"

#include "capture/port_level_reader.h"
#include "capture/sampler.h"
#include "chart/chart.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/diagram17_controls.h"
#include "diagram17/gauge_model.h"
#include "diagram17/label_clock.h"
#include "diagram17/memory_guard.h"
#include "diagram17/screen_rate_display.h"
#include "diagram17/trace_layout.h"
#include "panel/pin_model.h"
#include "ui/spin_edit.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QCoreApplication>
#include <QThread>
#include <QToolButton>

#include <algorithm>

namespace voltarix::diagram17 {

CaptureLoop::CaptureLoop(const CaptureParts& parts, const Diagram17Controls& controls)
    : parts_(parts), chart_(controls.Chart2->model()), autoCompress_(*controls.CheckBox4),
      cyclesPerPage_(*controls.SpinEdit1), forward_(*controls.SpeedButton9),
      back_(*controls.SpeedButton13), intake_(parts.sampler, parts.times, parts.gaps) {}

void CaptureLoop::DIA() {
    const bool afterStop = parts_.stopFlag;
    parts_.stopFlag = false;
    beginRun(afterStop);
    while (!parts_.stopFlag) {
        if (recordBatch())
            handleEvents();
        else
            waitForSamples();
    }
    endRun();
}

// A start inside a run goes on with the same samples. A start after a stop
// (a stop and a start handled in one pass of the events) begins afresh: what
// the sampler read since the stop belongs to no run.
void CaptureLoop::beginRun(bool afterStop) {
    ++depth_;
    parts_.display.runBegins();
    parts_.memory.checkAtNextCycle();
    passSettings();
    capture::Sampler& sampler = parts_.sampler;
    if (sampler.running() && !afterStop)
        return;
    intake_.dropRun();
    sampler.stop();
    QAbstractEventDispatcher* dispatcher =
        QCoreApplication::instance()->thread()->eventDispatcher();
    sampler.setWakeUp([dispatcher] { dispatcher->wakeUp(); });
    sampler.start();
}

void CaptureLoop::endRun() {
    intake_.finishRun();
    if (--depth_ == 0)
        parts_.sampler.stop();
    parts_.display.runEnds();
}

bool CaptureLoop::recordBatch() {
    // The most cycles recorded between two looks at the clock: about a
    // millisecond's worth even where every cycle is one to itself.
    constexpr std::uint64_t chunk = 1 << 16;
    const std::uint64_t deadline = capture::Sampler::monotonicNs() + batchNs;
    std::uint64_t cycles = 0;
    while (!parts_.stopFlag) {
        if (!intake_.haveRun())
            break;
        std::uint64_t wanted = chunk;
        if (batchCycles_ != 0)
            wanted = std::min<std::uint64_t>(wanted, batchCycles_ - cycles);
        cycles += recordFromRun(wanted);
        if ((batchCycles_ != 0 && cycles >= batchCycles_) ||
            capture::Sampler::monotonicNs() > deadline)
            break;
    }
    return cycles != 0;
}

std::uint64_t CaptureLoop::recordFromRun(std::uint64_t wanted) {
    return intake_.record(nextX(), wanted, [this](std::uint32_t levels, std::uint64_t count) {
        return recordCycles(levels, count);
    });
}

std::uint64_t CaptureLoop::recordCycles(std::uint32_t levels, std::uint64_t wanted) {
    std::uint64_t done = 0;
    while (done < wanted && !parts_.stopFlag) {
        const std::uint64_t quiet = std::min(quietCycles(), wanted - done);
        if (quiet > 0) {
            recordQuietCycles(levels, quiet);
            done += quiet;
        } else {
            recordCycle(levels);
            ++done;
        }
    }
    return done;
}

std::uint64_t CaptureLoop::quietCycles() const {
    std::uint64_t quiet = static_cast<std::uint64_t>(
        std::max<std::int64_t>(0, parts_.quietCounterWrites ? parts_.quietCounterWrites() : 0));
    quiet = std::min<std::uint64_t>(
        quiet, static_cast<std::uint64_t>(std::max(0, parts_.memory.cyclesBeforeCheck())));
    // The cycle whose counter equals the cycles per page is made one by one.
    const std::int64_t counter = parts_.counter.value();
    const std::int64_t perPage = cyclesPerPage_.value();
    if (!autoCompress_.isChecked() && perPage > counter)
        quiet = std::min<std::uint64_t>(quiet, static_cast<std::uint64_t>(perPage - counter - 1));
    return quiet;
}

// What `count` calls of recordCycle would leave, where none of their rules
// acts: the counter and the gauge at the last cycle, the points, the scroll.
void CaptureLoop::recordQuietCycles(std::uint32_t levels, std::uint64_t count) {
    const std::int64_t first = parts_.counter.value() + 1;
    const std::int64_t last = first + static_cast<std::int64_t>(count) - 1;
    parts_.counter.writeQuietly(last);
    parts_.gauge.setPosition(last);
    const auto rows = static_cast<std::int64_t>(count);
    if (parts_.labels.cyclesSelected()) {
        chart_.appendLevelsRepeated(levels, chart::PointLabel::number(first), pointColours(), rows);
    } else {
        chart_.appendLevelsRepeated(levels, chart::PointLabel::text(parts_.labels.previewText()),
                                    pointColours(), rows);
    }
    if (followFlag_) {
        chart_.bottomAxis().setAutomatic(false);
        chart_.bottomAxis().scroll(static_cast<double>(count));
    }
    parts_.memory.passCycles(static_cast<int>(count));
}

void CaptureLoop::recordCycle(std::uint32_t levels) {
    // Writing the counter runs the cycle limit check at once; the cycle
    // completes whatever it decides.
    parts_.counter.write(parts_.counter.value() + 1);
    const std::int64_t counter = parts_.counter.value();
    parts_.gauge.setPosition(counter);
    followCheck(counter);

    if (parts_.labels.cyclesSelected()) {
        chart_.appendLevels(levels, chart::PointLabel::number(counter), pointColours());
    } else {
        const QString text = parts_.labels.previewText();
        chart_.appendLevels(levels, chart::PointLabel::text(text), pointColours());
    }

    if (followFlag_) {
        chart_.bottomAxis().setAutomatic(false);
        chart_.bottomAxis().scroll(1);
    }
    if (parts_.memory.cycleRunsShort())
        parts_.memoryRanShort();
}

std::uint64_t CaptureLoop::nextX() const {
    return static_cast<std::uint64_t>(chart_.levelRows()->size());
}

void CaptureLoop::handleEvents() {
    QCoreApplication::processEvents();
    passSettings();
}

// Nothing to record: sleep until an event comes or the sampler hands over
// a run, whichever is first.
void CaptureLoop::waitForSamples() {
    if (parts_.sampler.prepareToWait()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        parts_.sampler.doneWaiting();
    } else {
        QCoreApplication::processEvents();
    }
    passSettings();
}

void CaptureLoop::passSettings() {
    parts_.reader.setPortCode(parts_.pins.SelectedPortCode());
}

void CaptureLoop::followCheck(std::int64_t counter) {
    if (autoCompress_.isChecked() || counter != cyclesPerPage_.value())
        return;
    followFlag_ = true;
    forward_.setEnabled(true);
    back_.setEnabled(true);
}

} // namespace voltarix::diagram17
