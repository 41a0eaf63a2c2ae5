#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace voltarix::app {

class SchedulingPriority;

// Measures the processor's clock by counting cycle-counter ticks across a
// fixed sleep, with the process and thread raised for the measurement. The
// counter, the sleep and the priority are the system's unless a test gives
// its own.
class CpuSpeedMeter {
public:
    using Counter = std::function<std::uint64_t()>;
    using Sleep = std::function<void(int milliseconds)>;

    static constexpr int settleMilliseconds = 10;
    static constexpr int measureMilliseconds = 500;

    CpuSpeedMeter();
    CpuSpeedMeter(Counter counter, Sleep sleep, std::unique_ptr<SchedulingPriority> priority);
    ~CpuSpeedMeter();

    // The clock in MHz; blocks for about 510 ms.
    double MeasureCpuSpeed();

    // "CPU speed: %f MHz" with two decimals and the locale's decimal separator.
    static QString speedText(double megahertz, const QLocale& locale = QLocale());

    // The time-stamp counter on x86, the platform's cycle counter elsewhere.
    static std::uint64_t readCycleCounter();
    static void sleepMilliseconds(int milliseconds);

private:
    Counter counter_;
    Sleep sleep_;
    std::unique_ptr<SchedulingPriority> priority_;
};

} // namespace voltarix::app
