#pragma once

#include "app/cpu_speed_meter.h"
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

// A processor clock that ticks only when the measurement sleeps: sleeping n
// milliseconds advances the counter by n thousand ticks per MHz.
struct FakeCycleClock {
    explicit FakeCycleClock(double megahertz, std::uint64_t start = 0)
        : ticksPerMillisecond(megahertz * 1000.0), ticks(start) {}

    double ticksPerMillisecond;
    std::uint64_t ticks;
    QStringList log; // "raise", "sleep 10", "read", ...
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
        [&clock] {
            clock.log << QStringLiteral("read");
            return clock.ticks;
        },
        [&clock](int milliseconds) {
            clock.log << QStringLiteral("sleep %1").arg(milliseconds);
            clock.ticks += static_cast<std::uint64_t>(milliseconds * clock.ticksPerMillisecond);
        },
        std::make_unique<LoggingPriority>(clock));
}

} // namespace voltarix::testkit
