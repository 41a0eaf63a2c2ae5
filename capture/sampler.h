#pragma once

#include "capture/run_builder.h"
#include "capture/sample_ring.h"
#include "capture/sampling_plan.h"
#include "capture/spacing_histogram.h"

#include <pthread.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace voltarix::capture {

class LevelSource;

// Reads the lines in a thread of its own, as fast as the source answers or
// with a pause between two samples, and hands runs of equal samples to one
// consumer through a ring, so that nothing the consumer's thread does
// (painting, timers, boxes) ever delays a sample. The ring never overwrites:
// when the consumer falls behind the sampler waits, and the wait shows as a
// gap in the time stamps of the samples.
//
// The sampler runs at real-time priority where the system grants it, else at
// the highest ordinary priority allowed; where the kernel throttles real-time
// threads it samples in two threads taking turns (see SamplingPlan).
//
// Threads: start, stop, take and the waiting calls belong to the consumer's
// thread; setPause may come from any thread.
class Sampler {
public:
    static constexpr std::size_t defaultCapacity = std::size_t{1} << 18;

    struct Scheduling {
        bool realtime = false;
        bool relay = false;
    };

    explicit Sampler(LevelSource& source, SamplingPlan plan = SamplingPlan::forThisSystem(),
                     std::size_t capacity = defaultCapacity);
    ~Sampler();
    Sampler(const Sampler&) = delete;
    Sampler& operator=(const Sampler&) = delete;

    // The monotonic clock the time stamps come from, in nanoseconds.
    static std::uint64_t monotonicNs();

    // Begins sampling at once, with an empty ring. False only when the
    // system gives the process no thread at all; nothing is sampled then.
    bool start();
    // Ends sampling; what the consumer has not taken is dropped.
    void stop();
    bool running() const { return running_; }

    // The pause after each sample; 0 samples without pause.
    void setPauseMilliseconds(int milliseconds);

    // Takes the oldest run handed over, if any.
    bool take(SampleRun& run) { return ring_.tryPop(run); }
    // Called by the consumer before it blocks until something happens: from
    // then on the next run handed over calls the wake-up. False when runs
    // are waiting already (then it must not block).
    bool prepareToWait();
    void doneWaiting();
    // What wakes the consumer; set before start(). Called from the sampler.
    void setWakeUp(std::function<void()> wakeUp) { wakeUp_ = std::move(wakeUp); }

    // The clock the time stamps and the relay's turns are measured on, in
    // nanoseconds; the monotonic clock unless one is set. A clock that counts
    // the port's reads makes a recording's times follow from what was read
    // alone, so that two recordings of the same input can be compared byte
    // for byte. Set before start(); called from the sampler's threads.
    using Clock = std::function<std::uint64_t()>;
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // How the system let the sampler run, from the last start on.
    Scheduling scheduling() const { return scheduling_; }
    // Figures of the last sampling; read them after stop().
    std::uint64_t samples() const { return producer_.samples; }
    const SpacingHistogram& spacing() const { return producer_.spacing; }
    // How often the sampler found the ring full and had to wait.
    std::uint64_t fullWaits() const { return producer_.fullWaits; }
    // How often one seat of the relay handed the sampling to the other.
    std::uint64_t turnsHandedOver() const { return producer_.turns; }

private:
    // What the thread sampling at the moment works with; on a relay it
    // passes from one thread to the other with the turn.
    struct Producer {
        RunBuilder builder;
        std::uint64_t previousNs = 0;
        std::uint64_t askedPauseNs = 0;
        std::uint64_t samples = 0;
        std::uint64_t fullWaits = 0;
        std::uint64_t turns = 0;
        SpacingHistogram spacing;
    };
    struct Seat {
        Sampler* sampler = nullptr;
        int index = 0;
        pthread_t thread{};
        bool launched = false;
        bool realtime = false;
    };

    static void* seatMain(void* seat);
    bool launchSeats();
    bool launch(int index, bool realtime, int processor);
    // Ends the seats' threads and waits for them.
    void endSeats();
    void work(int index);
    void sampleTurn(int index);
    void awaitTurn(int index);
    bool handOver(int index, std::uint64_t stampNs);
    std::uint64_t takeSample();
    void publish(const SampleRun& run);
    std::uint64_t now() const { return clock_ ? clock_() : monotonicNs(); }
    // Sleeps for the time given, or until a stop; false on a stop.
    bool nap(std::uint64_t durationNs);

    LevelSource& source_;
    const SamplingPlan plan_;
    SampleRing ring_;
    std::function<void()> wakeUp_;
    Clock clock_;
    Producer producer_;
    std::array<Seat, 2> seats_{};
    Scheduling scheduling_;
    // Set before the seats start, read by them.
    bool relay_ = false;
    bool running_ = false;

    std::atomic<bool> stopping_ = false;
    std::atomic<std::uint64_t> pauseNs_ = 0;
    std::atomic<bool> consumerWaiting_ = false;
    // The relay: whose turn it is, when it ends, and who waits ready.
    std::atomic<int> baton_ = 0;
    std::atomic<std::uint64_t> turnEndNs_ = 0;
    std::array<std::atomic<bool>, 2> ready_{};
    std::mutex napMutex_;
    std::condition_variable napCondition_;
};

} // namespace voltarix::capture
