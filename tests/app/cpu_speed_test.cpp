#include "fake_cpu_clock.h"

#include "app/cpu_speed_meter.h"
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
    EXPECT_DOUBLE_EQ(meter->MeasureCpuSpeed(), 1000.0);
    EXPECT_EQ(clock.log,
              (QStringList{"raise", "sleep 10", "read", "sleep 500", "read", "restore"}));
}

TEST(CpuSpeed, TheWholeSixtyFourBitDifferenceEnters) {
    // 10 GHz: five billion ticks in 500 ms, more than 32 bits hold, and the
    // counter crossing a 32-bit boundary on the way.
    FakeCycleClock clock(10000.0, 0x00000001FFFFFF00ull);
    EXPECT_DOUBLE_EQ(meterOn(clock)->MeasureCpuSpeed(), 10000.0);
}

TEST(CpuSpeed, TextHasTwoDecimalsWithTheLocalesSeparatorAndNoGrouping) {
    FakeCycleClock clock(1000.0);
    const double speed = meterOn(clock)->MeasureCpuSpeed();
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
    CpuSpeedMeter meter([]() -> std::uint64_t { throw std::runtime_error("no counter"); },
                        [](int) {}, std::make_unique<voltarix::testkit::LoggingPriority>(clock));
    EXPECT_THROW(meter.MeasureCpuSpeed(), std::runtime_error);
    EXPECT_EQ(clock.log, (QStringList{"raise", "restore"}));
}

TEST(CpuSpeed, TheRealCounterCountsForward) {
    const std::uint64_t first = CpuSpeedMeter::readCycleCounter();
    CpuSpeedMeter::sleepMilliseconds(2);
    EXPECT_GT(CpuSpeedMeter::readCycleCounter(), first);
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
        CpuSpeedMeter meter(
            &CpuSpeedMeter::readCycleCounter, [&](int) { during = priorityOf(self); },
            SchedulingPriority::system());
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
