#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>

namespace voltarix::kerneltest {

// Another program on the port: a child process that opens a ppdev node and
// claims it with a plain PPCLAIM, which sleeps for as long as someone else
// holds the port. Once it holds the port it keeps reading the data register
// and times every call, so that a test can see how long the kernel kept it
// waiting, until it is told to let go: then it closes the node.
class ClaimingProcess {
public:
    // Starts the child at once; it claims the node straight away.
    explicit ClaimingProcess(const std::string& node);
    // Lets go, if the test has not, and waits for the child to end.
    ~ClaimingProcess();

    ClaimingProcess(const ClaimingProcess&) = delete;
    ClaimingProcess& operator=(const ClaimingProcess&) = delete;

    // True once the claim returned with the port; false when it failed or
    // has not returned within the limit.
    bool waitUntilClaimed(std::chrono::milliseconds limit);
    // The errno of a failed open or claim, 0 otherwise.
    int claimError() const { return claimError_; }
    // The longest register call since the claim or the last question.
    std::chrono::microseconds longestCall();
    // Closes the node (which releases the port) and waits for the child;
    // a child still waiting for the port is ended instead.
    void letGo();
    // Ends the child however it is doing, even asleep in its claim.
    void kill();

private:
    [[noreturn]] static void runChild(const std::string& node, int commands, int answers);
    bool readAnswer(void* buffer, std::size_t size, std::chrono::milliseconds limit);
    void reap();

    pid_t child_ = -1;
    int commands_ = -1;
    int answers_ = -1;
    bool claimed_ = false;
    int claimError_ = 0;
};

} // namespace voltarix::kerneltest
