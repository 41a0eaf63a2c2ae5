#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>

namespace voltarix::diagram17::testing {

// What a capture loop passes to the cycle times, with everything that can vary varying at
// random: runs of equal levels from one cycle to billions, changes that recur or never, a
// pace of 0 to 5 us a cycle, pauses of days between two runs, a clock that steps back, and
// runs passed whole or only in part (always their first and last cycle, sometimes twice).
class RandomCapture {
public:
    // With `endsOnly`, every run is passed as its first and last cycle only: nearly every call
    // then makes an entry.
    explicit RandomCapture(unsigned seed, bool endsOnly = false)
        : rng_(seed), endsOnly_(endsOnly) {}

    // Calls record(cycle, timeUs, levels) for the passed cycles of `runs` runs.
    template <typename Record> void play(int runs, Record record) {
        for (int run = 0; run < runs; ++run)
            playRun(record);
    }

private:
    std::uint64_t pick(std::uint64_t below) {
        return std::uniform_int_distribution<std::uint64_t>(0, below - 1)(rng_);
    }

    template <typename Record> void playRun(Record record) {
        nextLevels();
        const std::uint64_t length = runLength();
        const std::uint64_t end = cycle_ + length;
        // 0: every cycle, 1: a few, 2: the ends only; a run of billions is never passed whole.
        const int passing = length > 1'000'000 || endsOnly_ ? 2 : static_cast<int>(pick(3));
        for (std::uint64_t c = cycle_; c < end;) {
            record(c, timeOf(c), levels_);
            if (c == cycle_ && pick(6) == 0)
                record(c, timeOf(c), levels_); // the first cycle passed again
            if (c + 1 == end)
                break;
            const std::uint64_t skip = passing == 0 ? 1 : passing == 1 ? 1 + pick(5000) : end;
            c = std::min(c + skip, end - 1);
        }
        cycle_ = end;
        if (pick(40) == 0)
            timeUs_ += std::uint64_t{86'400'000'000} * (1 + pick(3)); // days between two runs
    }

    std::uint64_t runLength() {
        const std::uint64_t kind = pick(100);
        if (kind < 40)
            return 1 + pick(3);
        if (kind < 97)
            return 1 + pick(8000);
        return std::uint64_t{1} << (33 + pick(4)); // past 2^32 cycles, passed in part
    }

    void nextLevels() {
        static constexpr std::array<std::uint32_t, 9> recent = {
            0x1ffff, 0x1, 0x2, 0x10, 0x3, 0x7, 0xf, 0x10000, 0x80000000};
        const std::uint64_t kind = pick(10);
        const std::uint32_t mask = kind < 7   ? recent[pick(recent.size())]
                                   : kind < 9 ? static_cast<std::uint32_t>(rng_()) & 0x1ffff
                                              : static_cast<std::uint32_t>(rng_());
        levels_ ^= mask == 0 ? 1 : mask;
    }

    // Time goes on at a pace of its own; now and then the clock steps back a little.
    std::uint64_t timeOf(std::uint64_t cycle) {
        if (pick(500) == 0)
            paceMilli_ = pick(5000);
        const std::uint64_t step = (cycle - lastCycle_) * paceMilli_ / 1000;
        lastCycle_ = cycle;
        timeUs_ += step;
        if (pick(300) == 0)
            return timeUs_ - std::min<std::uint64_t>(timeUs_, 1 + pick(50));
        return timeUs_;
    }

    std::mt19937_64 rng_;
    std::uint64_t cycle_ = 0;
    std::uint64_t lastCycle_ = 0;
    std::uint64_t timeUs_ = 7'000'000'000;
    std::uint64_t paceMilli_ = 500;
    std::uint32_t levels_ = 0;
    bool endsOnly_;
};

} // namespace voltarix::diagram17::testing
