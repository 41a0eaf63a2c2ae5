#include "app/cpu_speed_meter.h"

#include "app/scheduling_priority.h"

#include <chrono>
#include <thread>

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
#define VOLTARIX_HAS_TSC 1
#ifdef _MSC_VER
#include <intrin.h>
#else
#include <x86intrin.h>
#endif
#endif

namespace voltarix::app {

CpuSpeedMeter::CpuSpeedMeter()
    : CpuSpeedMeter(&CpuSpeedMeter::readCycleCounter, &CpuSpeedMeter::sleepMilliseconds,
                    SchedulingPriority::system()) {}

CpuSpeedMeter::CpuSpeedMeter(Counter counter, Sleep sleep,
                             std::unique_ptr<SchedulingPriority> priority)
    : counter_(std::move(counter)), sleep_(std::move(sleep)), priority_(std::move(priority)) {}

CpuSpeedMeter::~CpuSpeedMeter() = default;

double CpuSpeedMeter::MeasureCpuSpeed() {
    priority_->raise();
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    try {
        sleep_(settleMilliseconds);
        first = counter_();
        sleep_(measureMilliseconds);
        second = counter_();
    } catch (...) {
        priority_->restore();
        throw;
    }
    priority_->restore();
    // The whole 64-bit difference: a 32-bit one would wrap above 8.59 GHz.
    const std::uint64_t elapsed = second - first;
    return static_cast<double>(elapsed) / (measureMilliseconds * 1000.0);
}

QString CpuSpeedMeter::speedText(double megahertz, const QLocale& locale) {
    QLocale fixed(locale);
    // "%f" groups no thousands, whatever the locale does elsewhere.
    fixed.setNumberOptions(fixed.numberOptions() | QLocale::OmitGroupSeparator);
    return QStringLiteral("CPU speed: %1 MHz").arg(fixed.toString(megahertz, 'f', 2));
}

std::uint64_t CpuSpeedMeter::readCycleCounter() {
#if defined(VOLTARIX_HAS_TSC)
    return __rdtsc();
#elif defined(__aarch64__)
    std::uint64_t ticks = 0;
    asm volatile("mrs %0, cntvct_el0" : "=r"(ticks));
    return ticks;
#else
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch() /
                                      std::chrono::nanoseconds(1));
#endif
}

void CpuSpeedMeter::sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace voltarix::app
