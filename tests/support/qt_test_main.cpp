#include "capture/sampling_plan.h"

#include "support/qt_environment.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test programs run side by side: samplers of raised priority in several
    // of them would leave the machine no processor for their windows.
    voltarix::capture::SamplingPlan::allowRaisedPriority(false);
    // Qt's dialogs keep their state (a list's sort order, visited folders) in the
    // user's settings; each test program gets settings of its own, so programs
    // running side by side never start from what another one left.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    ::testing::AddGlobalTestEnvironment(new voltarix::testkit::QtEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
