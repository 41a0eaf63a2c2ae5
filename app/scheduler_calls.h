#pragma once

#include <memory>

#if defined(__linux__)
#include <sched.h>
#include <sys/types.h>

namespace voltarix::app {

// The kernel's scheduling calls for one thread or process id, as LinuxPriority
// makes them; each answers as the system call does (-1 and errno on failure),
// so that a test can stand in for the kernel.
class SchedulerCalls {
public:
    virtual ~SchedulerCalls() = default;

    virtual pid_t threadId() = 0;
    virtual pid_t processId() = 0;
    // The policy, SCHED_RESET_ON_FORK included when set.
    virtual int getScheduler(pid_t id) = 0;
    virtual int getParam(pid_t id, sched_param* param) = 0;
    // policy may carry SCHED_RESET_ON_FORK.
    virtual int setScheduler(pid_t id, int policy, const sched_param* param) = 0;
    virtual int priorityMaximum(int policy) = 0;
    // getpriority and setpriority for PRIO_PROCESS: errno tells a nice of -1
    // from a failure.
    virtual int getNice(pid_t id) = 0;
    virtual int setNice(pid_t id, int nice) = 0;

    static std::unique_ptr<SchedulerCalls> system();
};

} // namespace voltarix::app

#endif
