#pragma once

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace voltarix::testkit {

// The application object lives for the whole run of a test program. It is
// made in SetUp, not in main, so that listing the tests needs no display.
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

} // namespace voltarix::testkit
