#include "fake_scheduler_calls.h"

#include "app/linux_priority.h"
#include "app/scheduling_priority.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using voltarix::app::LinuxPriority;
using voltarix::app::SchedulingPriority;
using voltarix::testkit::FakeSchedulerCalls;

namespace {

constexpr pid_t kProcess = 100;
constexpr pid_t kThread = 101;

bool operator==(const FakeSchedulerCalls::Thread& a, const FakeSchedulerCalls::Thread& b) {
    return a.policy == b.policy && a.resetOnFork == b.resetOnFork && a.rtPriority == b.rtPriority &&
           a.nice == b.nice;
}

// The measurement's thread (not the main one) over a stand-in kernel.
struct KernelRig {
    KernelRig() {
        auto calls = std::make_unique<FakeSchedulerCalls>(kThread, kProcess);
        kernel = calls.get();
        kernel->threads[kThread].nice = 5;
        kernel->threads[kProcess].nice = 3;
        priority = std::make_unique<LinuxPriority>(std::move(calls));
    }
    FakeSchedulerCalls::Thread& thread() { return kernel->threads[kThread]; }
    FakeSchedulerCalls::Thread& process() { return kernel->threads[kProcess]; }

    FakeSchedulerCalls* kernel = nullptr;
    std::unique_ptr<LinuxPriority> priority;
};

} // namespace

TEST(SchedulingPriority, RootGetsTheRealTimeClassAndGetsBackExactlyWhatWasThere) {
    KernelRig rig;
    rig.kernel->privileged = true;
    rig.thread().resetOnFork = true;
    const auto thread = rig.thread();
    const auto process = rig.process();
    rig.priority->raise();
    EXPECT_EQ(rig.thread().policy, SCHED_FIFO);
    EXPECT_EQ(rig.thread().rtPriority, 99);
    EXPECT_TRUE(rig.thread().resetOnFork) << "raising keeps the flag";
    EXPECT_EQ(rig.process().nice, -20);
    rig.priority->restore();
    EXPECT_TRUE(rig.thread() == thread) << "policy, SCHED_RESET_ON_FORK, priority and nice";
    EXPECT_TRUE(rig.process() == process);
}

// An unprivileged thread with an rtprio limit may take the real-time class,
// but the kernel refuses any change that would clear its reset-on-fork flag.
TEST(SchedulingPriority, AnUnprivilegedResetOnForkThreadIsRaisedAndPutBack) {
    KernelRig rig;
    rig.kernel->rtprioLimit = 99;
    rig.kernel->lowestNice = 0;
    rig.thread().resetOnFork = true;
    const auto thread = rig.thread();
    rig.priority->raise();
    EXPECT_EQ(rig.thread().policy, SCHED_FIFO);
    EXPECT_EQ(rig.process().nice, 0) << "as low as the nice limit lets it";
    rig.priority->restore();
    EXPECT_TRUE(rig.thread() == thread);
    EXPECT_EQ(rig.process().nice, 3);
}

// What could not be read is not changed: nothing would put it back.
TEST(SchedulingPriority, APolicyThatCannotBeReadIsLeftAndTheNiceValuesComeBack) {
    KernelRig rig;
    rig.kernel->privileged = true;
    rig.kernel->getSchedulerFails = true;
    const auto thread = rig.thread();
    const auto process = rig.process();
    rig.priority->raise();
    EXPECT_EQ(rig.thread().policy, SCHED_OTHER);
    EXPECT_EQ(rig.thread().nice, -20) << "the nice value is raised instead";
    rig.priority->restore();
    EXPECT_TRUE(rig.thread() == thread);
    EXPECT_TRUE(rig.process() == process);
}

TEST(SchedulingPriority, NiceValuesThatCannotBeReadAreLeft) {
    KernelRig rig;
    rig.kernel->privileged = true;
    rig.kernel->getNiceFails = true;
    rig.priority->raise();
    EXPECT_EQ(rig.thread().policy, SCHED_FIFO);
    EXPECT_EQ(rig.thread().nice, 5);
    EXPECT_EQ(rig.process().nice, 3);
    rig.priority->restore();
    EXPECT_EQ(rig.thread().policy, SCHED_OTHER);
    EXPECT_EQ(rig.thread().rtPriority, 0);
}

TEST(SchedulingPriority, WithoutAnyRightNothingChangesAndARestoreAloneDoesNothing) {
    KernelRig rig;
    rig.kernel->lowestNice = 20; // RLIMIT_NICE 0: no nice value below the present one
    rig.priority->restore();
    EXPECT_EQ(rig.thread().nice, 5);
    const auto thread = rig.thread();
    rig.priority->raise();
    EXPECT_TRUE(rig.thread() == thread);
    rig.priority->restore();
    rig.priority->restore();
    EXPECT_TRUE(rig.thread() == thread);
    EXPECT_EQ(rig.process().nice, 3);
}

// The real kernel: a thread that asked for SCHED_RESET_ON_FORK (anyone may)
// has it, and its nice value, after a raise and a restore, whatever this
// process is granted.
TEST(SchedulingPriority, OnTheRealKernelTheResetOnForkFlagSurvives) {
    int before = -1;
    int after = -1;
    int niceBefore = 0;
    int niceAfter = 0;
    std::thread measuring([&] {
        sched_param normal{};
        ASSERT_EQ(sched_setscheduler(0, SCHED_OTHER | SCHED_RESET_ON_FORK, &normal), 0) << errno;
        const auto self = static_cast<id_t>(gettid());
        setpriority(PRIO_PROCESS, self, getpriority(PRIO_PROCESS, self) + 2);
        before = sched_getscheduler(0);
        niceBefore = getpriority(PRIO_PROCESS, self);
        const auto priority = SchedulingPriority::system();
        priority->raise();
        priority->restore();
        after = sched_getscheduler(0);
        niceAfter = getpriority(PRIO_PROCESS, self);
    });
    measuring.join();
    EXPECT_EQ(before, SCHED_OTHER | SCHED_RESET_ON_FORK);
    EXPECT_EQ(after, before);
    EXPECT_EQ(niceAfter, niceBefore);
}
