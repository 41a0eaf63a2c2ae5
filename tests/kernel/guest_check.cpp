#include "guest_check.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace voltarix::kerneltest {

bool insideTestGuest() {
    std::ifstream file("/proc/cmdline");
    std::string word;
    while (file >> word) {
        if (word == "voltarix_guest=1")
            return true;
    }
    return false;
}

int refuseOutsideTestGuest(const char* program) {
    std::fprintf(stderr,
                 "%s runs only inside the test guest (scripts/test-kernel.sh): it loads and "
                 "unloads the parport driver of the kernel it runs on.\n",
                 program);
    return 2;
}

} // namespace voltarix::kerneltest
