#pragma once

namespace voltarix::chart {

struct AxisRange {
    double minimum = 0;
    double maximum = 0;

    double span() const { return maximum - minimum; }
    AxisRange shifted(double offset) const { return {minimum + offset, maximum + offset}; }
    bool operator==(const AxisRange&) const = default;
};

} // namespace voltarix::chart
