#pragma once

#include <cstddef>
#include <functional>

namespace voltarix::pictures {

// Runs work that may crash, hang or take without end (a C library playing a
// damaged file) in a child process, so that none of that reaches the
// program. The work writes its result into memory shared with the caller;
// the child is killed once the time limit has passed.
class IsolatedRun {
public:
    enum class Outcome { Done, Failed, TimedOut, Crashed };

    explicit IsolatedRun(std::size_t sharedBytes);
    ~IsolatedRun();
    IsolatedRun(const IsolatedRun&) = delete;
    IsolatedRun& operator=(const IsolatedRun&) = delete;

    // The shared memory: written by the work in the child, read afterwards.
    void* shared() const { return shared_; }

    // work returns true when it succeeded; an exception counts as failure.
    Outcome run(const std::function<bool(void* shared)>& work, int timeLimitMs);

private:
    std::size_t bytes_;
    void* shared_ = nullptr;
    // The work's own verdict, written by the child before it ends.
    int* verdict_ = nullptr;
};

} // namespace voltarix::pictures
