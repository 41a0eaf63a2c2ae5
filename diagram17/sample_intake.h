#pragma once

#include "capture/sample_run.h"

#include <algorithm>
#include <cstdint>

namespace voltarix::capture {
class Sampler;
}

namespace voltarix::diagram17 {

class CycleTimes;
class SamplingGaps;

// Takes the sampler's runs of equal samples into a recording, a stretch of
// cycles at a time, and keeps the recording's real time as it goes: the
// first cycle of every run and the last one taken of it reach CycleTimes,
// and the time the sampler missed before a run reaches SamplingGaps.
//
// The 17-bit diagram's capture loop and the command line's capture both
// record through it, so that the same samples give the same cycle times,
// and so the same change dump, whichever of them recorded.
class SampleIntake {
public:
    SampleIntake(capture::Sampler& sampler, CycleTimes& times, SamplingGaps& gaps);

    // Whether a run is at hand: the one being taken, else the oldest one the
    // sampler has handed over since.
    bool haveRun();
    // The run at hand and how many of its samples have become cycles.
    const capture::SampleRun& run() const { return run_; }
    std::uint32_t taken() const { return taken_; }

    // Makes up to `wanted` samples of the run at hand the recording's cycles
    // from number `firstCycle` on: makeCycles(levels, n) records n cycles of
    // those levels, or fewer when a cycle ends the recording, and says how
    // many it recorded. Returns that count.
    template <typename MakeCycles>
    std::uint64_t record(std::uint64_t firstCycle, std::uint64_t wanted, MakeCycles&& makeCycles) {
        if (taken_ == 0)
            keepFirstTime(firstCycle);
        const std::uint64_t done =
            makeCycles(run_.levels, std::min<std::uint64_t>(wanted, run_.count - taken_));
        if (done == 0)
            return 0;
        lastCycle_ = firstCycle + done - 1;
        taken_ += static_cast<std::uint32_t>(done);
        if (taken_ == run_.count)
            finishRun();
        return done;
    }

    // Done with the run at hand, where the recording ends: the time of its
    // last cycle is kept.
    void finishRun();
    // Forgets the run at hand without keeping anything of it: what the
    // sampler read after a stop belongs to no recording.
    void dropRun();

private:
    void keepFirstTime(std::uint64_t cycle);

    capture::Sampler& sampler_;
    CycleTimes& times_;
    SamplingGaps& gaps_;
    capture::SampleRun run_;
    std::uint32_t taken_ = 0;
    std::uint64_t lastCycle_ = 0;
    bool held_ = false;
};

} // namespace voltarix::diagram17
