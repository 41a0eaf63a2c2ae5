#pragma once

#include "app/scheduler_calls.h"

#include <cerrno>
#include <map>

namespace voltarix::testkit {

// Stands in for the kernel's scheduling calls and answers as the kernel does:
// a policy carries SCHED_RESET_ON_FORK when set; a thread without
// CAP_SYS_NICE may not clear that flag, may take a real-time policy only up
// to its rtprio limit, and may lower its nice value only down to its nice
// limit (RLIMIT_NICE 20 - limit); a normal policy takes priority 0 only. Any
// call can be made to fail as the kernel fails it.
class FakeSchedulerCalls : public app::SchedulerCalls {
public:
    struct Thread {
        int policy = SCHED_OTHER;
        bool resetOnFork = false;
        int rtPriority = 0;
        int nice = 0;
    };

    FakeSchedulerCalls(pid_t thread, pid_t process) : thread_(thread), process_(process) {
        threads[thread];
        threads[process];
    }

    std::map<pid_t, Thread> threads;
    bool privileged = false;
    int rtprioLimit = 0;
    int lowestNice = 0; // 20 - RLIMIT_NICE
    bool getSchedulerFails = false;
    bool getNiceFails = false;

    pid_t threadId() override { return thread_; }
    pid_t processId() override { return process_; }

    int getScheduler(pid_t id) override {
        if (getSchedulerFails)
            return fail(EPERM);
        const Thread& t = threads.at(id);
        return t.policy | (t.resetOnFork ? SCHED_RESET_ON_FORK : 0);
    }
    int getParam(pid_t id, sched_param* param) override {
        param->sched_priority = threads.at(id).rtPriority;
        return 0;
    }
    int setScheduler(pid_t id, int policy, const sched_param* param) override {
        Thread& t = threads.at(id);
        const bool resetOnFork = (policy & SCHED_RESET_ON_FORK) != 0;
        policy &= ~SCHED_RESET_ON_FORK;
        const bool realTime = policy == SCHED_FIFO || policy == SCHED_RR;
        if (realTime ? param->sched_priority < 1 || param->sched_priority > 99
                     : param->sched_priority != 0)
            return fail(EINVAL);
        if (!privileged) {
            if (t.resetOnFork && !resetOnFork)
                return fail(EPERM);
            if (realTime && param->sched_priority > std::max(rtprioLimit, t.rtPriority))
                return fail(EPERM);
        }
        t.policy = policy;
        t.resetOnFork = resetOnFork;
        t.rtPriority = param->sched_priority;
        return 0;
    }
    int priorityMaximum(int policy) override {
        return policy == SCHED_FIFO || policy == SCHED_RR ? 99 : 0;
    }
    int getNice(pid_t id) override {
        errno = 0;
        return getNiceFails ? fail(ESRCH) : threads.at(id).nice;
    }
    int setNice(pid_t id, int nice) override {
        Thread& t = threads.at(id);
        if (!privileged && nice < t.nice && nice < lowestNice)
            return fail(EACCES);
        t.nice = nice;
        return 0;
    }

private:
    static int fail(int error) {
        errno = error;
        return -1;
    }

    pid_t thread_;
    pid_t process_;
};

} // namespace voltarix::testkit
