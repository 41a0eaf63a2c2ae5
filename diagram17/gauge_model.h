#pragma once

#include <cstdint>

namespace voltarix::diagram17 {

// The progress gauge's range and position ("Пройдено циклов за сеанс"). The
// position is always clamped to the range; the minimum is 0. The cycle limit
// check compares these values every cycle, so they live here and the gauge
// widget shows them at screen rate.
class GaugeModel {
public:
    std::int64_t maximum() const { return maximum_; }
    std::int64_t position() const { return position_; }
    // A maximum below the minimum becomes the minimum.
    void setMaximum(std::int64_t maximum);
    void setPosition(std::int64_t position);

private:
    std::int64_t maximum_ = 100;
    std::int64_t position_ = 0;
};

} // namespace voltarix::diagram17
