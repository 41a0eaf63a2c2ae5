#pragma once

#include "app/cpu_speed_meter.h"
#include "app/cycle_source.h"
#include "app/scheduling_priority.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <ostream>

// Test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace voltarix::testkit {

// A processor clock of the given rate behind a counter of one of the two
// kinds: a time-stamp counter ticks whenever time passes, sleeping or not; a
// counter of the thread's own cycles ticks only while the thread is on the
// processor, which during a busy wait is runningShare of the time (the rest
// other threads had), and says how long it counted.
struct FakeCycleClock {
    explicit FakeCycleClock(double megahertz, std::uint64_t start = 0)
        : ticksPerMillisecond(megahertz * 1000.0), ticks(start) {}

    double ticksPerMillisecond;
    std::uint64_t ticks;
    bool countsWhileAsleep = true;
    bool present = true; // false: the system has no cycle counter
    double runningShare = 1.0;
    std::uint64_t runningNanoseconds = 0;
    QStringList log; // "raise", "sleep 10", "read", "busy wait 500", ...
};

class FakeCycleSource : public app::CycleSource {
public:
    explicit FakeCycleSource(FakeCycleClock& clock) : clock_(clock) {}
    bool countsWhileAsleep() const override { return clock_.countsWhileAsleep; }
    Count read() override {
        clock_.log << QStringLiteral("read");
        return {clock_.ticks, clock_.runningNanoseconds};
    }

private:
    FakeCycleClock& clock_;
};

// Logs the raise and restore calls into the clock's log.
class LoggingPriority : public app::SchedulingPriority {
public:
    explicit LoggingPriority(FakeCycleClock& clock) : clock_(clock) {}
    void raise() override { clock_.log << QStringLiteral("raise"); }
    void restore() override { clock_.log << QStringLiteral("restore"); }

private:
    FakeCycleClock& clock_;
};

inline std::unique_ptr<app::CpuSpeedMeter> meterOn(FakeCycleClock& clock) {
    return std::make_unique<app::CpuSpeedMeter>(
        [&clock]() -> std::unique_ptr<app::CycleSource> {
            if (!clock.present)
                return nullptr;
            return std::make_unique<FakeCycleSource>(clock);
        },
        [&clock](int milliseconds) {
            clock.log << QStringLiteral("sleep %1").arg(milliseconds);
            if (clock.countsWhileAsleep)
                clock.ticks += static_cast<std::uint64_t>(milliseconds * clock.ticksPerMillisecond);
        },
        [&clock](int milliseconds) {
            clock.log << QStringLiteral("busy wait %1").arg(milliseconds);
            const double running = milliseconds * clock.runningShare;
            clock.ticks += static_cast<std::uint64_t>(running * clock.ticksPerMillisecond);
            clock.runningNanoseconds += static_cast<std::uint64_t>(running * 1e6);
        },
        std::make_unique<LoggingPriority>(clock));
}

} // namespace voltarix::testkit
