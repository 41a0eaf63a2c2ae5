#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace voltarix::cli {

// How long a capture from the command line records, as it is written there:
// a number with a unit, such as "10s", "500ms", "1.5min" or "250us". Units
// are us, ms, s, min and h; a number without a unit is refused, since no
// unit is the obvious one.
class CaptureDuration {
public:
    // The duration in nanoseconds; nothing for a text that is no duration,
    // for no time at all, and for more than the clock can count.
    static std::optional<std::uint64_t> parseNs(const QString& text);
    // The units, for the message that refuses a text.
    static const QString unitList;
};

} // namespace voltarix::cli
