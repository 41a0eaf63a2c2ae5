#include "diagram17/cycle_times.h"

namespace voltarix::diagram17 {

void CycleTimes::append(const Entry& entry) {
    const std::uint64_t cycleStep = entry.cycle - last_.cycle;
    // A clock never runs backwards here (a monotonic one), but a caller's
    // clock might: such a time is held at the last one.
    const std::uint64_t microStep = entry.timeUs > last_.timeUs ? entry.timeUs - last_.timeUs : 0;
    cycleSteps_.push_back(static_cast<std::uint32_t>(cycleStep));
    if (microStep >= wideStep) {
        microSteps_.push_back(wideStep);
        wideMicroSteps_.push_back(microStep);
    } else {
        microSteps_.push_back(static_cast<std::uint32_t>(microStep));
    }
    levels_.push_back(entry.levels);
    last_ = {entry.cycle, last_.timeUs + microStep, entry.levels};
}

std::size_t CycleTimes::memoryBytes() const {
    return sizeof(*this) +
           (cycleSteps_.capacity() + microSteps_.capacity() + levels_.capacity()) *
               sizeof(std::uint32_t) +
           wideMicroSteps_.capacity() * sizeof(std::uint64_t);
}

} // namespace voltarix::diagram17
