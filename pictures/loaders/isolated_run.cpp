#include "pictures/loaders/isolated_run.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <new>
#include <thread>

#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace voltarix::pictures {

namespace {

constexpr int kVerdictDone = 1;
constexpr int kVerdictFailed = 2;
// The verdict sits in front of the caller's part, aligned for any type.
constexpr std::size_t kVerdictBytes = alignof(std::max_align_t);

[[noreturn]] void runChild(const std::function<bool(void*)>& work, void* shared, int* verdict) {
    bool ok = false;
    try {
        ok = work(shared);
    } catch (...) {
        ok = false;
    }
    *verdict = ok ? kVerdictDone : kVerdictFailed;
    // No exit handlers, no flushing of the parent's buffers: only the
    // shared memory carries anything back.
    _exit(0);
}

// Waits for the child until the deadline, then kills it.
bool waitUntil(pid_t child, std::chrono::steady_clock::time_point deadline, int& status) {
    using namespace std::chrono_literals;
    auto pause = 100us;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            return true;
        if (done < 0 && errno != EINTR)
            break;
        std::this_thread::sleep_for(pause);
        pause = std::min<std::chrono::microseconds>(pause * 2, 5ms);
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return false;
}

} // namespace

IsolatedRun::IsolatedRun(std::size_t sharedBytes) : bytes_(kVerdictBytes + sharedBytes) {
    void* memory = mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    verdict_ = static_cast<int*>(memory);
    shared_ = static_cast<char*>(memory) + kVerdictBytes;
}

IsolatedRun::~IsolatedRun() {
    munmap(verdict_, bytes_);
}

IsolatedRun::Outcome IsolatedRun::run(const std::function<bool(void*)>& work, int timeLimitMs) {
    *verdict_ = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    const pid_t child = fork();
    if (child < 0)
        return Outcome::Failed;
    if (child == 0)
        runChild(work, shared_, verdict_);
    int status = 0;
    if (!waitUntil(child, deadline, status))
        return Outcome::TimedOut;
    if (!WIFEXITED(status))
        return Outcome::Crashed;
    return *verdict_ == kVerdictDone ? Outcome::Done : Outcome::Failed;
}

} // namespace voltarix::pictures
