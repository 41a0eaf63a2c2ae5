#pragma once

#include <semaphore.h>
#include <signal.h>

#include <cstdint>

namespace voltarix::cli {

// What a capture from the command line sleeps on while no samples wait: the
// sampler handing over a run, Ctrl+C (SIGINT) or a kill's SIGTERM, or the end
// of the time it was given. The two signals end the capture early while a
// waker lives, so that what was recorded is still written; a second one goes
// its ordinary way and ends the program at once, for a write that takes too
// long. One waker at a time.
class RunWaker {
public:
    RunWaker();
    ~RunWaker();
    RunWaker(const RunWaker&) = delete;
    RunWaker& operator=(const RunWaker&) = delete;

    // Any thread.
    void wake();
    // Until wake(), a signal or `timeoutNs`, whichever is first.
    void sleep(std::uint64_t timeoutNs);
    // Whether SIGINT or SIGTERM came since the waker was made.
    bool interrupted() const;

private:
    static void onSignal(int signal);

    sem_t semaphore_;
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

} // namespace voltarix::cli
