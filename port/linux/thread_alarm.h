#pragma once

#include <chrono>
#include <ctime>

namespace voltarix::port::linux_ {

// Wakes the calling thread out of a sleeping system call: while the alarm
// lives, a signal is sent to this thread after the first delay and then at
// every repeat, so a call that sleeps interruptibly returns with EINTR.
// The repeats matter: a signal that lands just before the call starts to
// sleep would otherwise be lost, and the call would sleep for good.
//
// Only this thread is signalled; its handler does nothing, so a call that
// does not sleep is not disturbed. Without a timer (the system refused one)
// the alarm is inert and armed() says so.
class ThreadAlarm {
public:
    ThreadAlarm(std::chrono::milliseconds firstDelay, std::chrono::milliseconds repeat);
    ~ThreadAlarm();

    ThreadAlarm(const ThreadAlarm&) = delete;
    ThreadAlarm& operator=(const ThreadAlarm&) = delete;

    bool armed() const { return armed_; }

private:
    timer_t timer_{};
    bool armed_ = false;
};

} // namespace voltarix::port::linux_
