#include "port/linux/thread_alarm.h"

#include <csignal>
#include <unistd.h>

namespace voltarix::port::linux_ {

namespace {

// glibc 2.36 names the thread field of sigevent only through its union.
#ifndef sigev_notify_thread_id
#define sigev_notify_thread_id _sigev_un._tid
#endif

void wakeOnly(int) {}

// A real-time signal nobody else in the program uses; its default action
// would end the process, so the handler is in place before any timer runs.
int alarmSignal() {
    static const int installed = [] {
        const int number = SIGRTMIN + 5;
        struct sigaction action {};
        action.sa_handler = wakeOnly;
        sigemptyset(&action.sa_mask);
        // No SA_RESTART: the interrupted call must return, not resume.
        action.sa_flags = 0;
        return ::sigaction(number, &action, nullptr) == 0 ? number : 0;
    }();
    return installed;
}

timespec toTimespec(std::chrono::milliseconds duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(duration - seconds);
    return {static_cast<time_t>(seconds.count()), static_cast<long>(nanoseconds.count())};
}

} // namespace

ThreadAlarm::ThreadAlarm(std::chrono::milliseconds firstDelay, std::chrono::milliseconds repeat) {
    const int signalNumber = alarmSignal();
    if (signalNumber == 0)
        return;
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = signalNumber;
    event.sigev_notify_thread_id = ::gettid();
    if (::timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0)
        return;
    const itimerspec schedule{toTimespec(repeat), toTimespec(firstDelay)};
    if (::timer_settime(timer_, 0, &schedule, nullptr) != 0) {
        ::timer_delete(timer_);
        return;
    }
    armed_ = true;
}

ThreadAlarm::~ThreadAlarm() {
    // A signal already sent is handled before this returns; the handler
    // stays installed, so a late one is harmless too.
    if (armed_)
        ::timer_delete(timer_);
}

} // namespace voltarix::port::linux_
