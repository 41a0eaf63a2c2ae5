#pragma once

#include "panel/pin_model.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>

class QCheckBox;
class QSlider;
class QToolButton;

namespace voltarix::chart {
class ChartModel;
}

namespace voltarix::ui {
class SpinEdit;
}

namespace voltarix::diagram17 {

class CycleCounter;
class CycleTimes;
class GaugeModel;
class LabelClock;
class MemoryGuard;
class ScreenRateDisplay;
struct Diagram17Controls;

// What a capture loop works on besides its controls.
struct CaptureParts {
    bool& stopFlag; // the main window's capture stop flag
    const panel::PinModel& pins;
    CycleCounter& counter;
    GaugeModel& gauge;
    const LabelClock& labels;
    MemoryGuard& memory;
    ScreenRateDisplay& display;
    // The real time of the recording's cycles.
    CycleTimes& times;
    // Runs when memory runs short during a run; it stops the run.
    std::function<void()> memoryRanShort;
};

// The capture loop DIA of the 17-bit diagram. It runs on the user-interface
// thread inside the handler that started it and handles pending events at the
// end of every cycle, so the window stays alive and another start nests a
// second loop over the same recording. It ends when the stop flag is set.
class CaptureLoop {
public:
    static constexpr int kCyclesPerYield = 64;

    CaptureLoop(const CaptureParts& parts, const Diagram17Controls& controls);

    void DIA();

    // Set once a cycle reaches the cycles-per-page value with "Авт." not
    // ticked; from then on every cycle keeps the newest cycle in view.
    bool followFlag() const { return followFlag_; }

    // One cycle without the pause and the event handling.
    void recordCycle();
    // The 17 pin reads of one cycle, trace k's level in bit k.
    std::uint32_t readLevels();

    // The monotonic clock the cycles' real time is taken from.
    static std::uint64_t monotonicMicroseconds();

private:
    void followCheck(std::int64_t counter);
    void pause();

    CaptureParts parts_;
    chart::ChartModel& chart_;
    const QCheckBox& autoCompress_;
    const ui::SpinEdit& cyclesPerPage_;
    QToolButton& forward_;
    QToolButton& back_;
    const QSlider& speed_;
    // The pins of the port the selector names at the start of the cycle: the
    // selector cannot change during the 17 reads, so it is looked up once.
    std::uint8_t cyclePort_ = 0;
    panel::PinModel cyclePins_;
    int sinceYield_ = 0;
    bool followFlag_ = false;
};

} // namespace voltarix::diagram17
