#include "cli/run_waker.h"

#include <atomic>
#include <cerrno>
#include <time.h>

namespace voltarix::cli {

namespace {

// What the handler may touch: lock-free atomics and sem_post are safe in a
// signal handler, whichever thread it interrupts.
std::atomic<sem_t*> wakerSemaphore = nullptr;
std::atomic<bool> signalled = false;
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<sem_t*>::is_always_lock_free);

void install(int signal, void (*handler)(int), struct sigaction& previous) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep the port's requests from failing half way; the
    // handler is the program's only once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(signal, &action, &previous);
}

} // namespace

RunWaker::RunWaker() {
    sem_init(&semaphore_, 0, 0);
    signalled = false;
    wakerSemaphore = &semaphore_;
    install(SIGINT, &RunWaker::onSignal, previousInterrupt_);
    install(SIGTERM, &RunWaker::onSignal, previousTerminate_);
}

RunWaker::~RunWaker() {
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
    wakerSemaphore = nullptr;
    sem_destroy(&semaphore_);
}

void RunWaker::onSignal(int) {
    signalled = true;
    if (sem_t* semaphore = wakerSemaphore.load())
        sem_post(semaphore);
}

void RunWaker::wake() {
    sem_post(&semaphore_);
}

void RunWaker::sleep(std::uint64_t timeoutNs) {
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const std::uint64_t ns = static_cast<std::uint64_t>(deadline.tv_nsec) + timeoutNs;
    deadline.tv_sec += static_cast<time_t>(ns / 1'000'000'000);
    deadline.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    while (sem_clockwait(&semaphore_, CLOCK_MONOTONIC, &deadline) != 0 && errno == EINTR) {
        if (interrupted())
            return;
    }
}

bool RunWaker::interrupted() const {
    return signalled.load();
}

} // namespace voltarix::cli
