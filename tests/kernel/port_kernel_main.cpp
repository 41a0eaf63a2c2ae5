#include "guest_check.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests touches nothing.
    if (!GTEST_FLAG_GET(list_tests) && !voltarix::kerneltest::insideTestGuest())
        return voltarix::kerneltest::refuseOutsideTestGuest(argv[0]);
    return RUN_ALL_TESTS();
}
