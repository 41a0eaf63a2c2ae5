#pragma once

#include <QLocale>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace voltarix::app {

class CycleSource;
class SchedulingPriority;

// Measures the processor's clock with the process and thread raised for the
// measurement: a counter that ticks while the thread sleeps (the x86
// time-stamp counter) is read across a fixed sleep; one that counts only the
// thread's own cycles (perf events) is read across a busy wait of the same
// length and divided by the time it really counted. Without a cycle counter
// the speed is unknown. Counter, sleep, wait and priority are the system's
// unless a test gives its own.
class CpuSpeedMeter {
public:
    // Opens the counter for a measurement on the calling thread; null: none.
    using SourceFactory = std::function<std::unique_ptr<CycleSource>()>;
    using Sleep = std::function<void(int milliseconds)>;
    using BusyWait = std::function<void(int milliseconds)>;

    static constexpr int settleMilliseconds = 10;
    static constexpr int measureMilliseconds = 500;

    CpuSpeedMeter();
    CpuSpeedMeter(SourceFactory source, Sleep sleep, BusyWait busyWait,
                  std::unique_ptr<SchedulingPriority> priority);
    ~CpuSpeedMeter();

    // The clock in MHz, or nothing when no cycle counter can be read; blocks
    // for about 510 ms.
    std::optional<double> MeasureCpuSpeed();

    // "CPU speed: %f MHz" with two decimals and the locale's decimal
    // separator; "CPU speed: неизвестна" for an unknown speed.
    static QString speedText(std::optional<double> megahertz, const QLocale& locale = QLocale());

    static void sleepMilliseconds(int milliseconds);
    static void busyWaitMilliseconds(int milliseconds);

private:
    std::optional<double> measureWith(CycleSource& source);

    SourceFactory source_;
    Sleep sleep_;
    BusyWait busyWait_;
    std::unique_ptr<SchedulingPriority> priority_;
};

} // namespace voltarix::app
