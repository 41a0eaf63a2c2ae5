#pragma once

#include "diagram17/sample_intake.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>

class QCheckBox;
class QToolButton;

namespace voltarix::capture {
class PortLevelReader;
class Sampler;
} // namespace voltarix::capture

namespace voltarix::chart {
class ChartModel;
}

namespace voltarix::panel {
class PinModel;
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
class SamplingGaps;
class ScreenRateDisplay;
struct Diagram17Controls;

// What a capture loop works on besides its controls.
struct CaptureParts {
    bool& stopFlag; // the main window's capture stop flag
    // Names the port the selector shows.
    const panel::PinModel& pins;
    // Reads the lines, in threads of its own.
    capture::Sampler& sampler;
    capture::PortLevelReader& reader;
    CycleCounter& counter;
    GaugeModel& gauge;
    const LabelClock& labels;
    MemoryGuard& memory;
    ScreenRateDisplay& display;
    // The real time of the recording's cycles.
    CycleTimes& times;
    // Time the sampler missed while the recording ran.
    SamplingGaps& gaps;
    // Runs when memory runs short during a run; it stops the run.
    std::function<void()> memoryRanShort;
    // How many next writes of the counter the cycle limit check lets pass
    // without acting (see RunControl::quietCounterWrites).
    std::function<std::int64_t()> quietCounterWrites;
};

// The capture loop DIA of the 17-bit diagram. It runs on the user-interface
// thread inside the handler that started it, and another start nests a
// second loop over the same recording; it ends when the stop flag is set.
//
// The port is read by the sampler, in threads of its own, so that nothing
// the window does delays a sample. The loop takes the samples in order and
// makes each one a cycle with every rule of a cycle (counter and cycle limit,
// gauge, follow check, label, the 17 points, follow scroll), as many as are
// waiting, then handles pending events. A batch of cycles lasts at most
// batchNs, so the window answers within a frame however far behind the loop
// is. Samples the sampler read after the run was stopped are never recorded.
//
// The samples come in runs of equal levels, and between the cycles at which
// a rule can act (the cycle limit, the follow check, the memory check) the
// cycles of a run are counted and appended at once: the loop's cost follows
// the changes of the lines, not the sampler's rate, so it keeps up with any
// sampler.
class CaptureLoop {
public:
    static constexpr std::uint64_t batchNs = 4'000'000;

    CaptureLoop(const CaptureParts& parts, const Diagram17Controls& controls);

    void DIA();

    // Set once a cycle reaches the cycles-per-page value with "Авт." not
    // ticked; from then on every cycle keeps the newest cycle in view.
    bool followFlag() const { return followFlag_; }

    // One cycle of the given levels, without the real time: what the loop
    // does with every sample it takes.
    void recordCycle(std::uint32_t levels);

    // At most this many cycles between two passes of the event handling; 0
    // (the default) leaves only the batch's time as the bound. With 1 every
    // cycle is followed by the event handling, as a loop that read the port
    // itself would do it: what happens between two cycles can be watched.
    void setBatchCycles(std::uint32_t cycles) { batchCycles_ = cycles; }

private:
    void beginRun(bool afterStop);
    void endRun();
    // Records the samples waiting, until the stop or the batch's time is up;
    // false when none was waiting.
    bool recordBatch();
    // Records at most `wanted` cycles of the run being taken; how many.
    std::uint64_t recordFromRun(std::uint64_t wanted);
    // Records up to `wanted` cycles of equal levels, ending early only after
    // a cycle that set the stop flag; how many it recorded.
    std::uint64_t recordCycles(std::uint32_t levels, std::uint64_t wanted);
    // Cycles from now on at which no rule can act.
    std::uint64_t quietCycles() const;
    void recordQuietCycles(std::uint32_t levels, std::uint64_t count);
    void handleEvents();
    void waitForSamples();
    // After the window's events: what the user set reaches the sampler.
    void passSettings();
    void followCheck(std::int64_t counter);
    std::uint64_t nextX() const;

    CaptureParts parts_;
    chart::ChartModel& chart_;
    const QCheckBox& autoCompress_;
    const ui::SpinEdit& cyclesPerPage_;
    QToolButton& forward_;
    QToolButton& back_;
    // The sampler's runs, as they become cycles.
    SampleIntake intake_;
    std::uint32_t batchCycles_ = 0;
    int depth_ = 0;
    bool followFlag_ = false;
};

} // namespace voltarix::diagram17
