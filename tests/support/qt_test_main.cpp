#include "capture/sampling_plan.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The application object lives for the whole run. It is made in SetUp, not
// in main, so that listing the tests needs no display at all.
class QtEnvironment : public ::testing::Environment {
public:
    QtEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> app_;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test programs run side by side: samplers of raised priority in several
    // of them would leave the machine no processor for their windows.
    voltarix::capture::SamplingPlan::allowRaisedPriority(false);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
