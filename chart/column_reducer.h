#pragma once

#include "chart/level_seen.h"
#include "chart/reduced_series.h"
#include "chart/scale_map.h"

#include <cstdint>
#include <vector>

namespace voltarix::chart {

class ChartSeries;
class LevelRows;

// Reduces the visible slice of a series to what the plot's pixel columns can show. The cost
// depends on the plot width, not on how many points the series holds.
class ColumnReducer {
public:
    struct Span {
        std::int64_t first = 0; // first visible point
        std::int64_t last = 0;  // one past the last visible point
    };

    // What the rows of a group of level traces show in each pixel column, found once for all
    // its traces: they share their rows, so the searches a column needs are made once a paint,
    // not once per trace. Empty while the points are wider than pixels.
    struct LevelColumns {
        std::int64_t rowCount = 0;
        std::vector<LevelSeen> seen;
        std::vector<std::uint32_t> lastLevels; // of each column's last row
    };

    // Point i stands at axis value i + offset (0.5 for bars centred in their slot).
    ColumnReducer(const ScaleMap& x, double leftPixel, double rightPixel, double offset = 0);

    Span visibleSpan(std::int64_t count) const;
    ReducedSeries reduce(const ChartSeries& series) const;
    LevelColumns levelColumns(const LevelRows& rows) const;
    // The same as reduce(series) for a trace of the group `group` was found for by this reducer.
    ReducedSeries reduce(const ChartSeries& series, const LevelColumns& group) const;

private:
    bool perPixel(Span span) const;
    // Calls visit(pixel, first, end) for each pixel column holding points [first, end).
    template <typename Visit> void forEachPixelColumn(Span span, Visit visit) const;
    ReducedSeries reduceEnds(const ChartSeries& series, Span span) const;
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
