#pragma once

#include "app/scheduling_priority.h"

#if defined(__linux__)
#include "app/scheduler_calls.h"

#include <optional>

namespace voltarix::app {

// Linux keeps a nice value per thread; the process's is its main thread's
// (the thread whose id is the process id). The thread is raised to the
// real-time FIFO class where that is granted (root, or an rtprio limit), and
// otherwise to the lowest nice value the system allows. Only what could be
// read is changed, and exactly that is put back: the policy with its
// SCHED_RESET_ON_FORK flag and priority, and each nice value.
class LinuxPriority : public SchedulingPriority {
public:
    explicit LinuxPriority(std::unique_ptr<SchedulerCalls> calls);

    void raise() override;
    void restore() override;

private:
    struct Policy {
        int policy; // SCHED_RESET_ON_FORK included
        sched_param param;
    };

    std::optional<Policy> policyOf(pid_t id);
    std::optional<int> niceOf(pid_t id);
    bool raiseToRealTime();
    // The lowest nice value the system grants, tried from the top down.
    void raiseNice(pid_t id, int current);

    std::unique_ptr<SchedulerCalls> calls_;
    pid_t thread_ = 0;
    pid_t process_ = 0;
    std::optional<Policy> threadPolicy_;
    std::optional<int> threadNice_;
    std::optional<int> processNice_;
    bool raised_ = false;
};

} // namespace voltarix::app

#endif
