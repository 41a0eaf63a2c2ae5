#include "capture/sampling_plan.h"

#include "support/qt_environment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test programs run side by side: samplers of raised priority in several
    // of them would leave the machine no processor for their windows.
    voltarix::capture::SamplingPlan::allowRaisedPriority(false);
    ::testing::AddGlobalTestEnvironment(new voltarix::testkit::QtEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
