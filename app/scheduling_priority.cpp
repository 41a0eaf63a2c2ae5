#include "app/scheduling_priority.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__linux__)
#include <cerrno>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
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

#elif defined(__linux__)

// Linux keeps a nice value per thread; the process's is its main thread's
// (the thread whose id is the process id). The thread is raised to the
// real-time FIFO class where that is granted (root, or an rtprio limit), and
// otherwise to the lowest nice value the system allows.
class LinuxPriority : public SchedulingPriority {
public:
    void raise() override {
        thread_ = gettid();
        process_ = getpid();
        threadNice_ = niceOf(thread_);
        processNice_ = niceOf(process_);
        threadPolicy_ = sched_getscheduler(thread_);
        if (sched_getparam(thread_, &threadParam_) != 0)
            threadParam_ = {};
        saved_ = threadPolicy_ >= 0;

        raiseNice(process_, processNice_);
        sched_param realtime{};
        realtime.sched_priority = sched_get_priority_max(SCHED_FIFO);
        if (sched_setscheduler(thread_, SCHED_FIFO, &realtime) != 0)
            raiseNice(thread_, niceOf(thread_));
    }

    void restore() override {
        if (!saved_)
            return;
        sched_setscheduler(thread_, threadPolicy_ & ~SCHED_RESET_ON_FORK, &threadParam_);
        setpriority(PRIO_PROCESS, static_cast<id_t>(thread_), threadNice_);
        if (process_ != thread_)
            setpriority(PRIO_PROCESS, static_cast<id_t>(process_), processNice_);
        saved_ = false;
    }

private:
    static int niceOf(pid_t id) {
        errno = 0;
        const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(id));
        return errno == 0 ? nice : 0;
    }

    // The lowest nice value the system grants, tried from the top down.
    static void raiseNice(pid_t id, int current) {
        for (int nice = -20; nice < current; ++nice) {
            if (setpriority(PRIO_PROCESS, static_cast<id_t>(id), nice) == 0)
                return;
        }
    }

    pid_t thread_ = 0;
    pid_t process_ = 0;
    int threadNice_ = 0;
    int processNice_ = 0;
    int threadPolicy_ = SCHED_OTHER;
    sched_param threadParam_{};
    bool saved_ = false;
};

#else

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
    return std::make_unique<LinuxPriority>();
#else
    return std::make_unique<UnchangedPriority>();
#endif
}

} // namespace voltarix::app
