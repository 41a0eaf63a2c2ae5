#include "fake_cpu_clock.h"

#include "app/cpu_speed_meter.h"
#include "app/cycle_source.h"
#include "app/perf_cycle_counter.h"
#include "app/scheduling_priority.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cerrno>
#include <sched.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using voltarix::app::CpuSpeedMeter;
using voltarix::app::SchedulingPriority;
using voltarix::testkit::FakeCycleClock;
using voltarix::testkit::meterOn;

TEST(CpuSpeed, CountsTicksAcrossTheSleepWithTheRaiseAroundBothReadings) {
    FakeCycleClock clock(1000.0);
    auto meter = meterOn(clock);
    EXPECT_DOUBLE_EQ(meter->MeasureCpuSpeed().value(), 1000.0);
    EXPECT_EQ(clock.log,
              (QStringList{"raise", "sleep 10", "read", "sleep 500", "read", "restore"}));
}

TEST(CpuSpeed, TheWholeSixtyFourBitDifferenceEnters) {
    // 10 GHz: five billion ticks in 500 ms, more than 32 bits hold, and the
    // counter crossing a 32-bit boundary on the way.
    FakeCycleClock clock(10000.0, 0x00000001FFFFFF00ull);
    EXPECT_DOUBLE_EQ(meterOn(clock)->MeasureCpuSpeed().value(), 10000.0);
}

TEST(CpuSpeed, TextHasTwoDecimalsWithTheLocalesSeparatorAndNoGrouping) {
    FakeCycleClock clock(1000.0);
    const double speed = meterOn(clock)->MeasureCpuSpeed().value();
    EXPECT_EQ(CpuSpeedMeter::speedText(speed, QLocale::c()), "CPU speed: 1000.00 MHz");
    EXPECT_EQ(CpuSpeedMeter::speedText(speed, QLocale(QLocale::Russian, QLocale::Russia)),
              "CPU speed: 1000,00 MHz");
    EXPECT_EQ(CpuSpeedMeter::speedText(2593.4567, QLocale(QLocale::German)),
              "CPU speed: 2593,46 MHz");
    EXPECT_EQ(CpuSpeedMeter::speedText(2593.4567, QLocale(QLocale::English)),
              "CPU speed: 2593.46 MHz");
}

TEST(CpuSpeed, ACounterThatThrowsStillRestoresThePriority) {
    FakeCycleClock clock(1000.0);
    class ThrowingSource : public voltarix::app::CycleSource {
        bool countsWhileAsleep() const override { return true; }
        Count read() override { throw std::runtime_error("no counter"); }
    };
    CpuSpeedMeter meter([] { return std::make_unique<ThrowingSource>(); }, [](int) {}, [](int) {},
                        std::make_unique<voltarix::testkit::LoggingPriority>(clock));
    EXPECT_THROW(meter.MeasureCpuSpeed(), std::runtime_error);
    EXPECT_EQ(clock.log, (QStringList{"raise", "restore"}));
}

// A counter of the thread's own cycles does not count a sleep: it is read
// across a busy wait, and the rate comes from the time it really counted,
// so time the thread spent off the processor does not lower it.
TEST(CpuSpeed, TheThreadsOwnCyclesAreCountedAcrossABusyWait) {
    FakeCycleClock clock(1800.0);
    clock.countsWhileAsleep = false;
    clock.runningShare = 0.6;
    auto meter = meterOn(clock);
    const std::optional<double> speed = meter->MeasureCpuSpeed();
    ASSERT_TRUE(speed.has_value());
    EXPECT_NEAR(*speed, 1800.0, 0.01);
    EXPECT_EQ(clock.log,
              (QStringList{"raise", "sleep 10", "read", "busy wait 500", "read", "restore"}));
}

// No cycle counter (a virtual machine without performance counters, or
// perf events forbidden): no figure is made up.
TEST(CpuSpeed, WithoutACycleCounterTheSpeedIsUnknown) {
    FakeCycleClock clock(1000.0);
    clock.present = false;
    EXPECT_EQ(meterOn(clock)->MeasureCpuSpeed(), std::nullopt);
    EXPECT_TRUE(clock.log.isEmpty()) << "nothing is raised for nothing to measure";
    FakeCycleClock stopped(1000.0);
    stopped.countsWhileAsleep = false;
    stopped.runningShare = 0; // the kernel never scheduled the counter
    EXPECT_EQ(meterOn(stopped)->MeasureCpuSpeed(), std::nullopt);
    EXPECT_EQ(CpuSpeedMeter::speedText(std::nullopt), "CPU speed: неизвестна");
}

// Where the system's counter is the time-stamp counter (x86), it ticks across
// a sleep; elsewhere it is the processor's own cycle counter or none at all,
// never a free-running timer of some other rate.
TEST(CpuSpeed, TheSystemsCounterCountsCycles) {
    const auto source = voltarix::app::CycleSource::system();
#if defined(__x86_64__) || defined(__i386__)
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(source->countsWhileAsleep());
    const auto first = source->read();
    CpuSpeedMeter::sleepMilliseconds(2);
    EXPECT_GT(source->read().cycles, first.cycles);
#else
    if (source) {
        EXPECT_FALSE(source->countsWhileAsleep());
    }
#endif
}

// The kernel's perf events, as this kernel answers them: either a counter
// that counts this thread's cycles at a processor's rate, or a refusal
// (ENOENT without performance counters, EACCES where paranoid forbids).
TEST(CpuSpeed, PerfEventsGiveTheThreadsCyclesOrRefuseAsTheKernelDoes) {
    errno = 0;
    const auto counter = voltarix::app::PerfCycleCounter::open();
    if (!counter) {
        EXPECT_TRUE(errno == ENOENT || errno == EACCES || errno == EPERM || errno == EOPNOTSUPP ||
                    errno == ENOSYS || errno == EINVAL)
            << errno;
        return;
    }
    const auto first = counter->read();
    CpuSpeedMeter::busyWaitMilliseconds(50);
    const auto second = counter->read();
    ASSERT_GT(second.runningNanoseconds, first.runningNanoseconds);
    const double megahertz = double(second.cycles - first.cycles) * 1000.0 /
                             double(second.runningNanoseconds - first.runningNanoseconds);
    EXPECT_GT(megahertz, 50.0);
    EXPECT_LT(megahertz, 10000.0);
}

namespace {

struct ThreadPriority {
    int nice;
    int policy;
    int rtPriority;
    bool operator==(const ThreadPriority&) const = default;
};

ThreadPriority priorityOf(pid_t thread) {
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
    sched_param param{};
    sched_getparam(thread, &param);
    return {errno == 0 ? nice : -100, sched_getscheduler(thread), param.sched_priority};
}

// Whether this process may raise a thread's priority at all (root with the
// right to, or a nice limit that allows it): a throwaway thread lowers itself
// and tries to climb back one step.
bool systemGrantsRaising() {
    bool granted = false;
    std::thread probe([&] {
        const auto self = static_cast<id_t>(gettid());
        errno = 0;
        const int nice = getpriority(PRIO_PROCESS, self);
        setpriority(PRIO_PROCESS, self, nice + 5);
        granted = setpriority(PRIO_PROCESS, self, nice + 4) == 0;
    });
    probe.join();
    return granted;
}

} // namespace

// The measurement runs in a thread of its own that starts lowered, so that
// the test process keeps its priority whatever happens.
TEST(CpuSpeed, ALoweredStartIsExactlyWhatRemainsAfterTheMeasurement) {
    const pid_t mainThread = getpid();
    const ThreadPriority mainBefore = priorityOf(mainThread);
    ThreadPriority lowered{};
    ThreadPriority during{};
    ThreadPriority after{};
    std::thread measuring([&] {
        const pid_t self = gettid();
        setpriority(PRIO_PROCESS, static_cast<id_t>(self), mainBefore.nice + 5);
        lowered = priorityOf(self);
        FakeCycleClock clock(1000.0);
        CpuSpeedMeter meter(
            [&clock] { return std::make_unique<voltarix::testkit::FakeCycleSource>(clock); },
            [&](int) { during = priorityOf(self); }, [](int) {}, SchedulingPriority::system());
        meter.MeasureCpuSpeed();
        after = priorityOf(self);
    });
    measuring.join();

    ASSERT_EQ(lowered.nice, mainBefore.nice + 5) << "the lowered start took";
    EXPECT_EQ(after, lowered);
    EXPECT_EQ(priorityOf(mainThread), mainBefore);
    // Raised as far as granted: the real-time class, or a lower nice, or (for a
    // user without either right) nothing at all.
    const bool raised = during.policy == SCHED_FIFO || during.nice < lowered.nice;
    if (systemGrantsRaising()) {
        EXPECT_TRUE(raised);
    }
}
