#include "diagram17/capture_loop.h"

#include "chart/chart.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/cycle_times.h"
#include "diagram17/diagram17_controls.h"
#include "diagram17/gauge_model.h"
#include "diagram17/label_clock.h"
#include "diagram17/memory_guard.h"
#include "diagram17/screen_rate_display.h"
#include "diagram17/trace_layout.h"
#include "panel/pin_model.h"
#include "ui/spin_edit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QSlider>
#include <QThread>
#include <QToolButton>

#include <chrono>

namespace voltarix::diagram17 {

namespace {

using PinFunction = bool (panel::PinModel::*)() const;

// The pin functions in trace order: status, control, data.
constexpr std::array<PinFunction, traceCount> tracePins{
    &panel::PinModel::Pin11, &panel::PinModel::Pin10, &panel::PinModel::Pin12,
    &panel::PinModel::Pin13, &panel::PinModel::Pin15, &panel::PinModel::Pin17,
    &panel::PinModel::Pin16, &panel::PinModel::Pin14, &panel::PinModel::Pin1,
    &panel::PinModel::Pin9,  &panel::PinModel::Pin8,  &panel::PinModel::Pin7,
    &panel::PinModel::Pin6,  &panel::PinModel::Pin5,  &panel::PinModel::Pin4,
    &panel::PinModel::Pin3,  &panel::PinModel::Pin2};

} // namespace

CaptureLoop::CaptureLoop(const CaptureParts& parts, const Diagram17Controls& controls)
    : parts_(parts), chart_(controls.Chart2->model()), autoCompress_(*controls.CheckBox4),
      cyclesPerPage_(*controls.SpinEdit1), forward_(*controls.SpeedButton9),
      back_(*controls.SpeedButton13), speed_(*controls.TrackBar1),
      cyclePins_(
          panel::PinModel::forPortCode(parts.pins.connection(), [this] { return cyclePort_; })) {}

void CaptureLoop::DIA() {
    parts_.stopFlag = false;
    parts_.display.runBegins();
    parts_.memory.checkAtNextCycle();
    while (!parts_.stopFlag) {
        recordCycle();
        pause();
        QCoreApplication::processEvents();
    }
    parts_.display.runEnds();
}

void CaptureLoop::recordCycle() {
    // Writing the counter runs the cycle limit check at once; the cycle
    // completes whatever it decides.
    parts_.counter.write(parts_.counter.value() + 1);
    const std::int64_t counter = parts_.counter.value();
    parts_.gauge.setPosition(counter);
    followCheck(counter);

    // The cycle's x on the chart, and its real time at the first pin read.
    const auto x = static_cast<std::uint64_t>(chart_.levelRows()->size());
    const std::uint64_t timeUs = monotonicMicroseconds();
    const std::uint32_t levels = readLevels();
    parts_.times.record(x, timeUs, levels);
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

// The steady clock reads the system's monotonic clock through the vDSO, a
// few tens of nanoseconds without a system call.
std::uint64_t CaptureLoop::monotonicMicroseconds() {
    const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count());
}

// One register read per pin, one after the other, in trace order.
std::uint32_t CaptureLoop::readLevels() {
    cyclePort_ = parts_.pins.SelectedPortCode();
    std::uint32_t levels = 0;
    for (int k = 0; k < traceCount; ++k) {
        if ((cyclePins_.*tracePins[static_cast<std::size_t>(k)])())
            levels |= 1u << k;
    }
    return levels;
}

void CaptureLoop::followCheck(std::int64_t counter) {
    if (autoCompress_.isChecked() || counter != cyclesPerPage_.value())
        return;
    followFlag_ = true;
    forward_.setEnabled(true);
    back_.setEnabled(true);
}

// At speed 0 there is no pause. The processor is still offered to other
// ready threads, but only every kCyclesPerYield cycles: a yield is a system
// call that would cost a sixth of the whole cycle if it came every time, and
// the scheduler shares the processor fairly between the yields anyway.
void CaptureLoop::pause() {
    const int milliseconds = speed_.value();
    if (milliseconds > 0) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    } else if (++sinceYield_ >= kCyclesPerYield) {
        sinceYield_ = 0;
        QThread::yieldCurrentThread();
    }
}

} // namespace voltarix::diagram17
