#include "capture/sample_ring.h"

#include <gtest/gtest.h>

using voltarix::capture::SampleRing;
using voltarix::capture::SampleRun;

namespace {

SampleRun runNumbered(std::uint32_t n) {
    SampleRun run;
    run.levels = n;
    run.count = 1;
    return run;
}

} // namespace

TEST(SampleRing, NeverOverwritesAndKeepsTheOrderOverManyLaps) {
    SampleRing ring(5);
    EXPECT_EQ(ring.capacity(), 8u);
    SampleRun out;
    EXPECT_FALSE(ring.tryPop(out));
    EXPECT_TRUE(ring.empty());
    std::uint32_t pushed = 0;
    std::uint32_t popped = 0;
    for (int lap = 0; lap < 100; ++lap) {
        while (ring.tryPush(runNumbered(pushed)))
            ++pushed;
        EXPECT_EQ(pushed - popped, 8u) << "a full ring refuses the next run";
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(ring.tryPop(out));
            EXPECT_EQ(out.levels, popped++);
        }
    }
    while (ring.tryPop(out))
        EXPECT_EQ(out.levels, popped++);
    EXPECT_EQ(popped, pushed);
    ring.clear();
    EXPECT_TRUE(ring.empty());
    EXPECT_TRUE(ring.tryPush(runNumbered(1)));
    EXPECT_FALSE(ring.empty());
}
