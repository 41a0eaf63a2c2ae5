#pragma once

#include "capture/sample_run.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace voltarix::capture {

// The hand-over from the sampler to the recording: a bounded queue of runs
// with one producer thread and one consumer thread. It never overwrites: a
// push into a full ring fails and the producer has to wait. The producer may
// be a different thread from one push to the next, as long as the pushes are
// ordered among themselves (the sampler's seats hand the role over through
// an atomic, which orders them).
class SampleRing {
public:
    // The capacity is rounded up to a power of two.
    explicit SampleRing(std::size_t capacity);

    std::size_t capacity() const { return mask_ + 1; }

    bool tryPush(const SampleRun& run) {
        const std::uint64_t head = head_.load(std::memory_order_relaxed);
        if (head - cachedTail_ > mask_) {
            cachedTail_ = tail_.load(std::memory_order_acquire);
            if (head - cachedTail_ > mask_)
                return false;
        }
        slots_[head & mask_] = run;
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    bool tryPop(SampleRun& run) {
        const std::uint64_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == cachedHead_) {
            cachedHead_ = head_.load(std::memory_order_acquire);
            if (tail == cachedHead_)
                return false;
        }
        run = slots_[tail & mask_];
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Runs waiting, as the consumer sees it.
    bool empty() const {
        return tail_.load(std::memory_order_relaxed) == head_.load(std::memory_order_acquire);
    }

    // Drops everything. Only while neither side is at work.
    void clear();

private:
    std::unique_ptr<SampleRun[]> slots_;
    std::uint64_t mask_;
    // The producer's and the consumer's indexes, each on a cache line of its
    // own together with what only that side reads.
    alignas(64) std::atomic<std::uint64_t> head_{0};
    std::uint64_t cachedTail_ = 0;
    alignas(64) std::atomic<std::uint64_t> tail_{0};
    std::uint64_t cachedHead_ = 0;
};

} // namespace voltarix::capture
