#include "app/scheduling_priority.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__linux__)
#include "app/linux_priority.h"
#include "app/scheduler_calls.h"
#endif

namespace voltarix::app {

namespace {

#if defined(_WIN32)

// The priority class of the process and the priority of the thread.
class WindowsPriority : public SchedulingPriority {
public:
    void raise() override {
        processClass_ = GetPriorityClass(GetCurrentProcess());
        threadPriority_ = GetThreadPriority(GetCurrentThread());
        SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    }
    void restore() override {
        SetThreadPriority(GetCurrentThread(), threadPriority_);
        SetPriorityClass(GetCurrentProcess(), processClass_);
    }

private:
    DWORD processClass_ = NORMAL_PRIORITY_CLASS;
    int threadPriority_ = THREAD_PRIORITY_NORMAL;
};

#elif !defined(__linux__)

// Where neither is known the measurement runs at the priority it has.
class UnchangedPriority : public SchedulingPriority {
public:
    void raise() override {}
    void restore() override {}
};

#endif

} // namespace

std::unique_ptr<SchedulingPriority> SchedulingPriority::system() {
#if defined(_WIN32)
    return std::make_unique<WindowsPriority>();
#elif defined(__linux__)
    return std::make_unique<LinuxPriority>(SchedulerCalls::system());
#else
    return std::make_unique<UnchangedPriority>();
#endif
}

} // namespace voltarix::app
