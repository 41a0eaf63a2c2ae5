#include "port/linux/thread_alarm.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <unistd.h>

namespace voltarix::port::linux_ {
namespace {

using namespace std::chrono_literals;

// A pipe nobody writes to: reading it sleeps in the kernel, as a claim on a
// held port does.
struct SilentPipe {
    SilentPipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~SilentPipe() {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    int fds[2] = {-1, -1};
};

TEST(ThreadAlarm, WakesACallThatWouldSleepForEver) {
    SilentPipe pipe;
    const ThreadAlarm alarm(50ms, 10ms);
    ASSERT_TRUE(alarm.armed());
    char byte = 0;
    errno = 0;
    EXPECT_EQ(::read(pipe.fds[0], &byte, 1), -1);
    EXPECT_EQ(errno, EINTR);
}

TEST(ThreadAlarm, KeepsWakingSoAnEarlySignalIsNotTheOnlyOne) {
    SilentPipe pipe;
    const ThreadAlarm alarm(1ms, 10ms);
    ::usleep(30'000); // the first signals arrive before the call sleeps
    char byte = 0;
    EXPECT_EQ(::read(pipe.fds[0], &byte, 1), -1);
    EXPECT_EQ(errno, EINTR);
}

TEST(ThreadAlarm, ACallThatDoesNotSleepIsNotDisturbedAndNothingFiresAfterwards) {
    SilentPipe pipe;
    {
        const ThreadAlarm alarm(20ms, 5ms);
        char byte = 'x';
        EXPECT_EQ(::write(pipe.fds[1], &byte, 1), 1);
        EXPECT_EQ(::read(pipe.fds[0], &byte, 1), 1);
    }
    // Gone with its scope: a sleep past its first delay runs to its end.
    timespec nap{0, 60'000'000};
    EXPECT_EQ(::nanosleep(&nap, &nap), 0);
}

} // namespace
} // namespace voltarix::port::linux_
