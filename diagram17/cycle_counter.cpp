#include "diagram17/cycle_counter.h"

namespace voltarix::diagram17 {

void CycleCounter::write(std::int64_t value) {
    const bool changed = designShown_ || value != value_;
    designShown_ = false;
    value_ = value;
    if (changed && listener_)
        listener_();
}

} // namespace voltarix::diagram17
