#include "guest_check.h"

#include "support/qt_environment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests) && !voltarix::kerneltest::insideTestGuest())
        return voltarix::kerneltest::refuseOutsideTestGuest(argv[0]);
    ::testing::AddGlobalTestEnvironment(new voltarix::testkit::QtEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
