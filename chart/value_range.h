#pragma once

#include <algorithm>

namespace voltarix::chart {

// The lowest and the highest y among some points of a series.
struct ValueRange {
    double minimum = 0;
    double maximum = 0;
    bool empty = true;

    static ValueRange of(double value) { return {value, value, false}; }

    ValueRange merged(const ValueRange& other) const {
        if (empty)
            return other;
        if (other.empty)
            return *this;
        return {std::min(minimum, other.minimum), std::max(maximum, other.maximum), false};
    }
};

} // namespace voltarix::chart
