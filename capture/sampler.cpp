#include "capture/sampler.h"

#include "capture/level_source.h"
#include "capture/thread_nice.h"

#include <algorithm>
#include <chrono>
#include <sched.h>
#include <sys/prctl.h>
#include <time.h>

namespace voltarix::capture {

namespace {

// How long the sampler waits before it looks again for room in a full ring.
constexpr std::uint64_t fullWaitNs = 100'000;
// How long a seat that is not needed while the sampler pauses between
// samples sleeps before it looks again.
constexpr std::uint64_t idleSeatNs = 2'000'000;
// How long a ready seat spins past the end of the other's turn before it
// gives up for a while: the other may be waiting for room, or resting.
constexpr std::uint64_t lateTurnNs = 200'000;

void relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

} // namespace

Sampler::Sampler(LevelSource& source, SamplingPlan plan, std::size_t capacity)
    : source_(source), plan_(plan), ring_(capacity) {
    for (int i = 0; i < 2; ++i) {
        seats_[static_cast<std::size_t>(i)].sampler = this;
        seats_[static_cast<std::size_t>(i)].index = i;
    }
}

Sampler::~Sampler() {
    stop();
}

std::uint64_t Sampler::monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u +
           static_cast<std::uint64_t>(now.tv_nsec);
}

void Sampler::setPauseMilliseconds(int milliseconds) {
    pauseNs_.store(static_cast<std::uint64_t>(std::max(milliseconds, 0)) * 1'000'000u,
                   std::memory_order_relaxed);
}

bool Sampler::start() {
    if (running_)
        return true;
    stopping_ = false;
    ring_.clear();
    producer_ = Producer{};
    baton_ = 0;
    ready_[0] = false;
    ready_[1] = false;
    turnEndNs_ = now() + SamplingPlan::relayTurnNs;
    scheduling_ = {};
    running_ = launchSeats();
    return running_;
}

// Whether the system grants real-time priority is known only from a thread
// created with it; the relay's waiting seat is created first, so that the
// seat that samples at once finds it there.
bool Sampler::launchSeats() {
    if (plan_.realtime) {
        // Set before the seats start: they read it from their first turn on.
        relay_ = plan_.relay;
        if (relay_ && !launch(1, true, plan_.processors[1]))
            relay_ = false;
        if (launch(0, true, relay_ ? plan_.processors[0] : -1)) {
            scheduling_ = {true, relay_};
            return true;
        }
        if (relay_)
            endSeats();
    }
    relay_ = false;
    return launch(0, false, -1);
}

bool Sampler::launch(int index, bool realtime, int processor) {
    Seat& seat = seats_[static_cast<std::size_t>(index)];
    seat.realtime = realtime;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    if (realtime) {
        sched_param parameter{};
        parameter.sched_priority = SamplingPlan::realtimePriority;
        pthread_attr_setinheritsched(&attributes, PTHREAD_EXPLICIT_SCHED);
        pthread_attr_setschedpolicy(&attributes, SCHED_FIFO);
        pthread_attr_setschedparam(&attributes, &parameter);
    }
    if (processor >= 0) {
        cpu_set_t set;
        CPU_ZERO(&set);
        CPU_SET(processor, &set);
        pthread_attr_setaffinity_np(&attributes, sizeof set, &set);
    }
    seat.launched = pthread_create(&seat.thread, &attributes, &Sampler::seatMain, &seat) == 0;
    pthread_attr_destroy(&attributes);
    return seat.launched;
}

void* Sampler::seatMain(void* seat) {
    auto* self = static_cast<Seat*>(seat);
    self->sampler->work(self->index);
    return nullptr;
}

void Sampler::stop() {
    if (!running_)
        return;
    endSeats();
    ring_.clear();
    consumerWaiting_ = false;
    running_ = false;
}

void Sampler::endSeats() {
    {
        const std::lock_guard lock(napMutex_);
        stopping_ = true;
    }
    napCondition_.notify_all();
    for (Seat& seat : seats_) {
        if (seat.launched)
            pthread_join(seat.thread, nullptr);
        seat.launched = false;
    }
    stopping_ = false;
}

void Sampler::work(int index) {
    // Sleeps end when asked, not up to 50 us later.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    ThreadNice nice;
    if (!seats_[static_cast<std::size_t>(index)].realtime && plan_.raiseNice)
        nice.raise();
    while (!stopping_.load(std::memory_order_acquire)) {
        if (relay_ && baton_.load(std::memory_order_acquire) != index)
            awaitTurn(index);
        else
            sampleTurn(index);
    }
}

// Samples until a stop, or on a relay until the turn has been handed over.
void Sampler::sampleTurn(int index) {
    while (!stopping_.load(std::memory_order_relaxed)) {
        const std::uint64_t stamp = takeSample();
        const std::uint64_t pause = pauseNs_.load(std::memory_order_relaxed);
        producer_.askedPauseNs = pause;
        if (pause > 0) {
            // What was read is handed over before the rest, not after it.
            producer_.builder.flush([this](const SampleRun& run) { publish(run); });
            nap(pause);
            continue;
        }
        if (relay_ && stamp >= turnEndNs_.load(std::memory_order_relaxed) && handOver(index, stamp))
            return;
    }
}

// The turn passes only to a seat that stands ready, spinning: it takes the
// next sample at once. A seat that gives up waiting withdraws its readiness
// first, so a turn is never handed to a seat that has gone to sleep.
bool Sampler::handOver(int index, std::uint64_t stampNs) {
    const int other = 1 - index;
    bool ready = true;
    if (!ready_[static_cast<std::size_t>(other)].compare_exchange_strong(ready, false,
                                                                         std::memory_order_acq_rel))
        return false;
    turnEndNs_.store(stampNs + SamplingPlan::relayTurnNs, std::memory_order_relaxed);
    ++producer_.turns;
    baton_.store(other, std::memory_order_release);
    return true;
}

void Sampler::awaitTurn(int index) {
    std::atomic<bool>& ready = ready_[static_cast<std::size_t>(index)];
    const std::uint64_t present = now();
    const std::uint64_t turnEnd = turnEndNs_.load(std::memory_order_relaxed);
    if (pauseNs_.load(std::memory_order_relaxed) > 0) {
        // A sampler that rests between samples is never throttled; the
        // seat holding the turn keeps it.
        nap(idleSeatNs);
        return;
    }
    if (present + SamplingPlan::relayWakeAheadNs < turnEnd) {
        nap(turnEnd - SamplingPlan::relayWakeAheadNs - present);
        return;
    }
    ready.store(true, std::memory_order_release);
    const std::uint64_t giveUp =
        std::max(present, turnEnd) + SamplingPlan::relayWakeAheadNs + lateTurnNs;
    while (baton_.load(std::memory_order_acquire) != index) {
        if (stopping_.load(std::memory_order_relaxed))
            return;
        if (now() > giveUp) {
            bool stillReady = true;
            if (ready.compare_exchange_strong(stillReady, false, std::memory_order_acq_rel)) {
                nap(lateTurnNs);
                return;
            }
            // Taken at this very moment: the turn is on its way.
            while (baton_.load(std::memory_order_acquire) != index &&
                   !stopping_.load(std::memory_order_relaxed))
                relax();
            return;
        }
        relax();
    }
}

std::uint64_t Sampler::takeSample() {
    const std::uint64_t stamp = now();
    const std::uint32_t levels = source_.readLevels();
    Producer& producer = producer_;
    if (producer.samples++ != 0)
        producer.spacing.add(stamp > producer.previousNs ? stamp - producer.previousNs : 0);
    producer.previousNs = stamp;
    producer.builder.add(stamp, levels, producer.askedPauseNs,
                         [this](const SampleRun& run) { publish(run); });
    return stamp;
}

void Sampler::publish(const SampleRun& run) {
    while (!ring_.tryPush(run)) {
        ++producer_.fullWaits;
        if (!nap(fullWaitNs))
            return;
    }
    // The push and this look are sequentially consistent, as are the
    // consumer's word that it waits and its look at the ring: either it sees
    // this run before it blocks, or this side sees that it waits.
    if (consumerWaiting_.load(std::memory_order_seq_cst) && consumerWaiting_.exchange(false) &&
        wakeUp_)
        wakeUp_();
}

bool Sampler::prepareToWait() {
    consumerWaiting_.store(true, std::memory_order_seq_cst);
    if (!ring_.empty()) {
        consumerWaiting_.store(false, std::memory_order_relaxed);
        return false;
    }
    return true;
}

void Sampler::doneWaiting() {
    consumerWaiting_.store(false, std::memory_order_relaxed);
}

bool Sampler::nap(std::uint64_t durationNs) {
    // Measured on the steady clock whatever the time stamps' clock is: a
    // rest is a rest of real time.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::nanoseconds(durationNs);
    std::unique_lock lock(napMutex_);
    return !napCondition_.wait_until(lock, deadline, [this] { return stopping_.load(); });
}

} // namespace voltarix::capture
