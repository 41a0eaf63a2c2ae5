// The cycle times read by other threads while the recording thread records: every entry a
// reader takes is whole and in order, whether it goes on from where it stopped or starts
// afresh anywhere below what is published. scripts/test-tsan.sh runs these under ThreadSanitizer.
#include "plain_cycle_times.h"
#include "random_capture.h"

#include "diagram17/cycle_times.h"
#include "diagram17/cycle_times_reader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

namespace voltarix::diagram17 {
namespace {

using testing::PlainCycleTimes;
using testing::RandomCapture;

struct Call {
    std::uint64_t cycle;
    std::uint64_t timeUs;
    std::uint32_t levels;
};

// What the recording thread will pass, and what the plain rule keeps of it.
struct Recording {
    std::vector<Call> calls;
    PlainCycleTimes plain;
};

Recording recordingOf(unsigned seed, int runs) {
    Recording recording;
    RandomCapture(seed, true).play(runs, [&](std::uint64_t c, std::uint64_t t, std::uint32_t l) {
        recording.calls.push_back({c, t, l});
        recording.plain.record(c, t, l);
    });
    return recording;
}

// Reads on from where it stopped until it has every entry, comparing each.
class Follower {
public:
    Follower(const CycleTimes& times, const std::vector<CycleTimes::Entry>& want)
        : reader_(times), want_(&want) {}

    void run() {
        while (next_ < want_->size()) {
            const std::size_t read = reader_.read(
                [this](const CycleTimes::Entry& entry) {
                    wrong_ += entry != (*want_)[next_];
                    ++next_;
                },
                1 + next_ % 1000);
            if (read == 0)
                std::this_thread::yield();
        }
    }
    std::size_t read() const { return next_; }
    std::size_t wrong() const { return wrong_; }

private:
    CycleTimesReader reader_;
    const std::vector<CycleTimes::Entry>* want_;
    std::size_t next_ = 0;
    std::size_t wrong_ = 0;
};

TEST(CycleTimesThreads, ReadersTakeWholeEntriesInOrderWhileTheRecordingGrows) {
    const Recording recording = recordingOf(11, 60000);
    const auto& want = recording.plain.entries();
    ASSERT_GT(want.size(), 10 * CycleTimes::kMaxBlockEntries);
    CycleTimes times;
    std::atomic<bool> recorded = false;

    Follower follower(times, want);
    std::thread following([&follower] { follower.run(); });

    // Starts readers at random entries below the published count, each for a short walk; a
    // hundred at least, should the recording be over before this thread begins.
    std::size_t seeks = 0;
    std::size_t seekerWrong = 0;
    std::thread seeking([&] {
        std::mt19937_64 rng(12);
        while (!recorded.load(std::memory_order_acquire) || seeks < 100) {
            const std::size_t published = times.size();
            if (published == 0) {
                std::this_thread::yield();
                continue;
            }
            const std::size_t from = rng() % published;
            CycleTimesReader reader(times, from);
            std::size_t next = from;
            reader.read(
                [&](const CycleTimes::Entry& entry) { seekerWrong += entry != want[next++]; }, 200);
            seekerWrong += next <= from; // an entry below the published count was not there
            ++seeks;
        }
    });

    // Offering the processor now and then lets the readers run while the recording grows,
    // on a machine with fewer cores than threads too.
    for (std::size_t i = 0; i < recording.calls.size(); ++i) {
        const Call& call = recording.calls[i];
        times.record(call.cycle, call.timeUs, call.levels);
        if (i % 256 == 0)
            std::this_thread::yield();
    }
    recorded.store(true, std::memory_order_release);
    following.join();
    seeking.join();

    EXPECT_EQ(times.size(), want.size());
    EXPECT_EQ(follower.read(), want.size());
    EXPECT_EQ(follower.wrong(), 0u);
    EXPECT_EQ(seekerWrong, 0u);
    EXPECT_GT(seeks, 0u);
}

} // namespace
} // namespace voltarix::diagram17
