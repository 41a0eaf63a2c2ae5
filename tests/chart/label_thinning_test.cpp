#include "chart/label_thinning.h"

#include <gtest/gtest.h>

namespace voltarix::chart {
namespace {

TEST(LabelThinning, PointStepLeavesRoomForEveryLabel) {
    for (double perPoint : {0.00008, 0.5, 3.0, 11.0, 40.0}) {
        for (double width : {10.0, 35.0, 60.0}) {
            const std::int64_t step = LabelThinning::pointStep(perPoint, width, 0);
            EXPECT_GE(step * perPoint, width + LabelThinning::kGap) << perPoint << " " << width;
            // and it is not thinner than it must be: the next smaller nice step would overlap
            if (step > 1) {
                EXPECT_LT(step / 2.5 * perPoint, width + LabelThinning::kGap);
            }
        }
    }
}

TEST(LabelThinning, PointStepKeepsToTheAxisIncrement) {
    EXPECT_EQ(LabelThinning::pointStep(11, 14, 10), 10);
    EXPECT_EQ(LabelThinning::pointStep(1, 14, 10), 20);
    EXPECT_EQ(LabelThinning::pointStep(40, 14, 0), 1);
    EXPECT_EQ(LabelThinning::pointStep(0.001, 50, 0), 100000);
}

TEST(LabelThinning, ValueStepsAreNiceAndFit) {
    EXPECT_DOUBLE_EQ(LabelThinning::valueStep(60.0 / 256, 12, 0), 100);
    EXPECT_DOUBLE_EQ(LabelThinning::valueStep(300.0 / 256, 12, 0), 20);
    EXPECT_DOUBLE_EQ(LabelThinning::valueStep(100, 12, 0), 0.2);
    EXPECT_DOUBLE_EQ(LabelThinning::valueStep(300.0 / 256, 12, 64), 64);
    EXPECT_DOUBLE_EQ(LabelThinning::firstMultiple(-7, 5), -5);
    EXPECT_DOUBLE_EQ(LabelThinning::firstMultiple(10, 5), 10);
}

} // namespace
} // namespace voltarix::chart
