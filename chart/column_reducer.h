#pragma once

#include "chart/reduced_series.h"
#include "chart/scale_map.h"

#include <cstdint>

namespace voltarix::chart {

class ChartSeries;

// Reduces the visible slice of a series to what the plot's pixel columns can show. The cost
// depends on the plot width, not on how many points the series holds.
class ColumnReducer {
public:
    struct Span {
        std::int64_t first = 0; // first visible point
        std::int64_t last = 0;  // one past the last visible point
    };

    // Point i stands at axis value i + offset (0.5 for bars centred in their slot).
    ColumnReducer(const ScaleMap& x, double leftPixel, double rightPixel, double offset = 0);

    Span visibleSpan(std::int64_t count) const;
    ReducedSeries reduce(const ChartSeries& series) const;

private:
    void reducePerPoint(const ChartSeries& series, Span span, ReducedSeries& out) const;
    void reducePerPixel(const ChartSeries& series, Span span, ReducedSeries& out) const;
    std::int64_t firstIndexAtOrAfter(double pixel) const;
    ReducedSeries::Column pointColumn(const ChartSeries& series, std::int64_t index) const;

    ScaleMap x_;
    double left_;
    double right_;
    double offset_;
};

} // namespace voltarix::chart
