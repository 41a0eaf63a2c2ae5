#pragma once

namespace voltarix::kerneltest {

// The kernel tests load and unload the machine's parport driver and claim
// its ports: they belong inside the virtual machine of scripts/test-kernel.sh,
// whose kernel command line carries voltarix_guest=1.
bool insideTestGuest();

// Says where the tests belong and gives the exit status for a run outside it.
int refuseOutsideTestGuest(const char* program);

} // namespace voltarix::kerneltest
