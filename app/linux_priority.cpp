#include "app/linux_priority.h"

#if defined(__linux__)
#include <cerrno>

namespace voltarix::app {

LinuxPriority::LinuxPriority(std::unique_ptr<SchedulerCalls> calls) : calls_(std::move(calls)) {}

std::optional<LinuxPriority::Policy> LinuxPriority::policyOf(pid_t id) {
    Policy saved{};
    saved.policy = calls_->getScheduler(id);
    if (saved.policy < 0 || calls_->getParam(id, &saved.param) != 0)
        return std::nullopt;
    return saved;
}

std::optional<int> LinuxPriority::niceOf(pid_t id) {
    errno = 0;
    const int nice = calls_->getNice(id);
    if (nice == -1 && errno != 0)
        return std::nullopt;
    return nice;
}

void LinuxPriority::raise() {
    thread_ = calls_->threadId();
    process_ = calls_->processId();
    threadPolicy_ = policyOf(thread_);
    threadNice_ = niceOf(thread_);
    processNice_ = process_ != thread_ ? niceOf(process_) : std::nullopt;
    raised_ = true;

    if (processNice_)
        raiseNice(process_, *processNice_);
    if (!raiseToRealTime() && threadNice_)
        raiseNice(thread_, *threadNice_);
}

// The thread keeps its SCHED_RESET_ON_FORK: the kernel refuses to clear it
// for an unprivileged thread, and it is part of what is put back.
bool LinuxPriority::raiseToRealTime() {
    if (!threadPolicy_)
        return false;
    sched_param realtime{};
    realtime.sched_priority = calls_->priorityMaximum(SCHED_FIFO);
    const int resetOnFork = threadPolicy_->policy & SCHED_RESET_ON_FORK;
    return calls_->setScheduler(thread_, SCHED_FIFO | resetOnFork, &realtime) == 0;
}

void LinuxPriority::raiseNice(pid_t id, int current) {
    for (int nice = -20; nice < current; ++nice) {
        if (calls_->setNice(id, nice) == 0)
            return;
    }
}

void LinuxPriority::restore() {
    if (!raised_)
        return;
    if (threadPolicy_)
        calls_->setScheduler(thread_, threadPolicy_->policy, &threadPolicy_->param);
    if (threadNice_)
        calls_->setNice(thread_, *threadNice_);
    if (processNice_)
        calls_->setNice(process_, *processNice_);
    raised_ = false;
}

} // namespace voltarix::app

#endif
