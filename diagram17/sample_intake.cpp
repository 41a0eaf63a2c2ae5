#include "diagram17/sample_intake.h"

#include "capture/sampler.h"
#include "diagram17/cycle_times.h"
#include "diagram17/sampling_gaps.h"

namespace voltarix::diagram17 {

namespace {

std::uint64_t microseconds(std::uint64_t ns) {
    return ns / 1000;
}

} // namespace

SampleIntake::SampleIntake(capture::Sampler& sampler, CycleTimes& times, SamplingGaps& gaps)
    : sampler_(sampler), times_(times), gaps_(gaps) {}

bool SampleIntake::haveRun() {
    if (held_)
        return true;
    if (!sampler_.take(run_))
        return false;
    held_ = true;
    taken_ = 0;
    gaps_.add(run_.gapNs);
    return true;
}

void SampleIntake::keepFirstTime(std::uint64_t cycle) {
    times_.record(cycle, microseconds(run_.firstNs), run_.levels);
}

void SampleIntake::finishRun() {
    if (held_ && taken_ > 1)
        times_.record(lastCycle_, microseconds(run_.sampleNs(taken_ - 1)), run_.levels);
    dropRun();
}

void SampleIntake::dropRun() {
    held_ = false;
    taken_ = 0;
}

} // namespace voltarix::diagram17
