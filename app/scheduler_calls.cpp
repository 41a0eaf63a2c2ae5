#include "app/scheduler_calls.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>

namespace voltarix::app {

namespace {

class SystemSchedulerCalls : public SchedulerCalls {
public:
    pid_t threadId() override { return gettid(); }
    pid_t processId() override { return getpid(); }
    int getScheduler(pid_t id) override { return sched_getscheduler(id); }
    int getParam(pid_t id, sched_param* param) override { return sched_getparam(id, param); }
    int setScheduler(pid_t id, int policy, const sched_param* param) override {
        return sched_setscheduler(id, policy, param);
    }
    int priorityMaximum(int policy) override { return sched_get_priority_max(policy); }
    int getNice(pid_t id) override { return getpriority(PRIO_PROCESS, static_cast<id_t>(id)); }
    int setNice(pid_t id, int nice) override {
        return setpriority(PRIO_PROCESS, static_cast<id_t>(id), nice);
    }
};

} // namespace

std::unique_ptr<SchedulerCalls> SchedulerCalls::system() {
    return std::make_unique<SystemSchedulerCalls>();
}

} // namespace voltarix::app

#endif
