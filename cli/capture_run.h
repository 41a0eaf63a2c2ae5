#pragma once

#include "diagram17/sample_intake.h"
#include "diagram17/sampling_gaps.h"

#include <cstdint>
#include <optional>

namespace voltarix::capture {
class Sampler;
}

namespace voltarix::diagram17 {
class CycleTimes;
class MemoryGuard;
} // namespace voltarix::diagram17

namespace voltarix::cli {

class ProgressLine;
class RunWaker;

// How long a capture records; it ends with what comes first. The duration
// counts from the first sample's time stamp, and the recording holds the
// samples stamped before it ends.
struct CaptureLength {
    std::optional<std::uint64_t> durationNs;
    std::optional<std::uint64_t> cycles;
};

// What a capture works with.
struct CaptureRunParts {
    capture::Sampler& sampler;
    diagram17::CycleTimes& times;
    diagram17::MemoryGuard& memory;
    RunWaker& waker;
    ProgressLine& progress;
};

// One capture without a window: the sampler reads the port, and its samples
// become the recording's cycles and their real time, as the 17-bit diagram's
// capture loop makes them, until the length is reached, a signal comes or
// memory runs short. The recording is the cycle times alone: nothing is
// drawn, so nothing but the changes of the lines is kept.
class CaptureRun {
public:
    enum class Ending { Complete, Interrupted, MemoryShort, NoSampler };

    // The most cycles recorded between two looks at the clock and the signals.
    static constexpr std::uint64_t chunk = 1 << 16;
    // The longest sleep while no samples wait.
    static constexpr std::uint64_t idleNs = 50'000'000;

    CaptureRun(const CaptureRunParts& parts, const CaptureLength& length);

    Ending run();

    std::uint64_t cycles() const { return cycles_; }
    const diagram17::SamplingGaps& gaps() const { return gaps_; }

private:
    Ending record();
    // How many samples of the run at hand may become cycles now; 0 once the
    // length is reached.
    std::uint64_t allowed();
    std::uint64_t makeCycles(std::uint64_t count);
    void waitForSamples();
    std::uint64_t elapsedNs() const;

    CaptureRunParts parts_;
    CaptureLength length_;
    diagram17::SamplingGaps gaps_;
    diagram17::SampleIntake intake_;
    std::optional<std::uint64_t> endNs_;
    std::uint64_t cycles_ = 0;
    std::uint64_t startNs_ = 0;
    bool memoryShort_ = false;
};

} // namespace voltarix::cli
