#include "guest_check.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

// One application object for the run, made in SetUp so that listing the
// tests needs no display.
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
    if (!GTEST_FLAG_GET(list_tests) && !voltarix::kerneltest::insideTestGuest())
        return voltarix::kerneltest::refuseOutsideTestGuest(argv[0]);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
