#include "cli/capture_run.h"

#include "capture/sampler.h"
#include "cli/progress_line.h"
#include "cli/run_waker.h"
#include "diagram17/memory_guard.h"

#include <algorithm>

namespace voltarix::cli {

CaptureRun::CaptureRun(const CaptureRunParts& parts, const CaptureLength& length)
    : parts_(parts), length_(length), intake_(parts.sampler, parts.times, gaps_) {}

CaptureRun::Ending CaptureRun::run() {
    parts_.sampler.setWakeUp([waker = &parts_.waker] { waker->wake(); });
    parts_.memory.checkAtNextCycle();
    startNs_ = capture::Sampler::monotonicNs();
    if (!parts_.sampler.start())
        return Ending::NoSampler;
    const Ending ending = record();
    // Where the recording ends, the run at hand keeps its last cycle's
    // time; what the sampler read after it belongs to no recording.
    intake_.finishRun();
    parts_.sampler.stop();
    parts_.progress.finish(elapsedNs(), cycles_);
    return ending;
}

CaptureRun::Ending CaptureRun::record() {
    while (!parts_.waker.interrupted()) {
        if (!intake_.haveRun()) {
            waitForSamples();
            continue;
        }
        const std::uint64_t wanted = allowed();
        if (wanted == 0)
            return Ending::Complete;
        intake_.record(cycles_, wanted,
                       [this](std::uint32_t, std::uint64_t count) { return makeCycles(count); });
        if (memoryShort_)
            return Ending::MemoryShort;
        parts_.progress.update(elapsedNs(), cycles_);
    }
    return Ending::Interrupted;
}

std::uint64_t CaptureRun::allowed() {
    const capture::SampleRun& run = intake_.run();
    std::uint64_t wanted = std::min<std::uint64_t>(chunk, run.count - intake_.taken());
    if (length_.cycles)
        wanted = std::min(wanted, *length_.cycles - cycles_);
    if (length_.durationNs) {
        if (!endNs_)
            endNs_ = run.sampleNs(intake_.taken()) + *length_.durationNs;
        const std::uint32_t end = run.firstAtOrAfter(*endNs_, intake_.taken());
        wanted = std::min<std::uint64_t>(wanted, end - intake_.taken());
    }
    return wanted;
}

// The memory is asked about at the same cycles as in the window's capture;
// the cycle that finds it short is still recorded.
std::uint64_t CaptureRun::makeCycles(std::uint64_t count) {
    diagram17::MemoryGuard& memory = parts_.memory;
    std::uint64_t done = 0;
    while (done < count) {
        const std::uint64_t quiet = std::min<std::uint64_t>(
            count - done, static_cast<std::uint64_t>(std::max(0, memory.cyclesBeforeCheck())));
        if (quiet > 0) {
            memory.passCycles(static_cast<int>(quiet));
            done += quiet;
            continue;
        }
        ++done;
        if (memory.cycleRunsShort()) {
            memoryShort_ = true;
            break;
        }
    }
    cycles_ += done;
    return done;
}

void CaptureRun::waitForSamples() {
    if (parts_.sampler.prepareToWait()) {
        parts_.waker.sleep(idleNs);
        parts_.sampler.doneWaiting();
    }
    parts_.progress.update(elapsedNs(), cycles_);
}

std::uint64_t CaptureRun::elapsedNs() const {
    return capture::Sampler::monotonicNs() - startNs_;
}

} // namespace voltarix::cli
