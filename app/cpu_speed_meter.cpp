#include "app/cpu_speed_meter.h"

#include "app/cycle_source.h"
#include "app/scheduling_priority.h"

#include <chrono>
#include <thread>

namespace voltarix::app {

CpuSpeedMeter::CpuSpeedMeter()
    : CpuSpeedMeter(&CycleSource::system, &CpuSpeedMeter::sleepMilliseconds,
                    &CpuSpeedMeter::busyWaitMilliseconds, SchedulingPriority::system()) {}

CpuSpeedMeter::CpuSpeedMeter(SourceFactory source, Sleep sleep, BusyWait busyWait,
                             std::unique_ptr<SchedulingPriority> priority)
    : source_(std::move(source)), sleep_(std::move(sleep)), busyWait_(std::move(busyWait)),
      priority_(std::move(priority)) {}

CpuSpeedMeter::~CpuSpeedMeter() = default;

std::optional<double> CpuSpeedMeter::MeasureCpuSpeed() {
    const std::unique_ptr<CycleSource> source = source_();
    if (!source)
        return std::nullopt;
    priority_->raise();
    std::optional<double> megahertz;
    try {
        megahertz = measureWith(*source);
    } catch (...) {
        priority_->restore();
        throw;
    }
    priority_->restore();
    return megahertz;
}

// The whole 64-bit differences: a 32-bit one would wrap above 8.59 GHz.
std::optional<double> CpuSpeedMeter::measureWith(CycleSource& source) {
    sleep_(settleMilliseconds);
    const CycleSource::Count first = source.read();
    if (source.countsWhileAsleep()) {
        sleep_(measureMilliseconds);
        const CycleSource::Count second = source.read();
        return static_cast<double>(second.cycles - first.cycles) / (measureMilliseconds * 1000.0);
    }
    busyWait_(measureMilliseconds);
    const CycleSource::Count second = source.read();
    // A counter the kernel never let count has measured nothing.
    if (second.runningNanoseconds <= first.runningNanoseconds || second.cycles <= first.cycles)
        return std::nullopt;
    const std::uint64_t nanoseconds = second.runningNanoseconds - first.runningNanoseconds;
    return static_cast<double>(second.cycles - first.cycles) * 1000.0 /
           static_cast<double>(nanoseconds);
}

QString CpuSpeedMeter::speedText(std::optional<double> megahertz, const QLocale& locale) {
    if (!megahertz)
        return QStringLiteral("CPU speed: неизвестна");
    QLocale fixed(locale);
    // "%f" groups no thousands, whatever the locale does elsewhere.
    fixed.setNumberOptions(fixed.numberOptions() | QLocale::OmitGroupSeparator);
    return QStringLiteral("CPU speed: %1 MHz").arg(fixed.toString(*megahertz, 'f', 2));
}

void CpuSpeedMeter::sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Keeps the processor on this thread, so that a counter of the thread's own
// cycles counts the whole time.
void CpuSpeedMeter::busyWaitMilliseconds(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
    }
}

} // namespace voltarix::app
