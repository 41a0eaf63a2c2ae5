#include "chart/column_reducer.h"

#include "chart/chart_series.h"
#include "chart/level_rows.h"

#include <algorithm>
#include <cmath>

namespace voltarix::chart {

ColumnReducer::ColumnReducer(const ScaleMap& x, double leftPixel, double rightPixel, double offset)
    : x_(x), left_(leftPixel), right_(rightPixel), offset_(offset) {}

// Index of the first point whose pixel is at or right of `pixel`, not clamped to the data.
std::int64_t ColumnReducer::firstIndexAtOrAfter(double pixel) const {
    const double value = x_.toValue(pixel) - offset_;
    constexpr double limit = 9e15;
    return static_cast<std::int64_t>(std::ceil(std::clamp(value - 1e-9, -limit, limit)));
}

ColumnReducer::Span ColumnReducer::visibleSpan(std::int64_t count) const {
    const std::int64_t first = std::clamp<std::int64_t>(firstIndexAtOrAfter(left_), 0, count);
    const std::int64_t last = std::clamp<std::int64_t>(firstIndexAtOrAfter(right_ + 0.5), 0, count);
    return {first, std::max(first, last)};
}

ReducedSeries::Column ColumnReducer::pointColumn(const ChartSeries& series,
                                                 std::int64_t index) const {
    const double y = series.y(index);
    return {x_.toPixel(static_cast<double>(index) + offset_), y, y, y, series.colour(index)};
}

bool ColumnReducer::perPixel(Span span) const {
    const double pixels = std::floor(right_) - std::ceil(left_) + 1;
    return static_cast<double>(span.last - span.first) > pixels;
}

template <typename Visit> void ColumnReducer::forEachPixelColumn(Span span, Visit visit) const {
    std::int64_t first = span.first;
    for (double px = std::ceil(left_); px <= right_ && first < span.last; ++px) {
        const std::int64_t end = std::clamp(firstIndexAtOrAfter(px + 0.5), first, span.last);
        if (end == first)
            continue;
        visit(px, first, end);
        first = end;
    }
}

// The points just outside the plot on either side.
ReducedSeries ColumnReducer::reduceEnds(const ChartSeries& series, Span span) const {
    ReducedSeries out;
    if (span.first > 0) {
        out.hasLeadIn = true;
        out.leadIn = pointColumn(series, span.first - 1);
    }
    if (span.last < series.count()) {
        out.hasTrailing = true;
        out.trailing = pointColumn(series, span.last);
    }
    return out;
}

ReducedSeries ColumnReducer::reduce(const ChartSeries& series) const {
    const Span span = visibleSpan(series.count());
    ReducedSeries out = reduceEnds(series, span);
    if (perPixel(span))
        reducePerPixel(series, span, out);
    else
        reducePerPoint(series, span, out);
    return out;
}

void ColumnReducer::reducePerPoint(const ChartSeries& series, Span span, ReducedSeries& out) const {
    out.columns.reserve(static_cast<std::size_t>(span.last - span.first));
    for (std::int64_t i = span.first; i < span.last; ++i)
        out.columns.push_back(pointColumn(series, i));
}

void ColumnReducer::reducePerPixel(const ChartSeries& series, Span span, ReducedSeries& out) const {
    out.perPixel = true;
    forEachPixelColumn(span, [&](double px, std::int64_t first, std::int64_t end) {
        const ValueRange r = series.range(first, end);
        out.columns.push_back(
            {px, r.minimum, r.maximum, series.y(end - 1), series.colour(end - 1)});
    });
}

ColumnReducer::LevelColumns ColumnReducer::levelColumns(const LevelRows& rows) const {
    LevelColumns group;
    group.rowCount = rows.size();
    const Span span = visibleSpan(rows.size());
    if (!perPixel(span))
        return group;
    forEachPixelColumn(span, [&](double, std::int64_t first, std::int64_t end) {
        group.seen.push_back(rows.seen(first, end, rows.traceMask()));
        group.lastLevels.push_back(rows.levels(end - 1));
    });
    return group;
}

// A trace's column covers the levels its bit shows in the group's column.
ReducedSeries ColumnReducer::reduce(const ChartSeries& series, const LevelColumns& group) const {
    const LevelTrace* trace = series.levelTrace();
    const Span span = visibleSpan(series.count());
    if (!trace || group.rowCount != series.count() || !perPixel(span))
        return reduce(series);
    ReducedSeries out = reduceEnds(series, span);
    out.perPixel = true;
    std::size_t i = 0;
    forEachPixelColumn(span, [&](double px, std::int64_t, std::int64_t end) {
        const ValueRange r = trace->rangeOf(group.seen[i]);
        out.columns.push_back(
            {px, r.minimum, r.maximum, trace->yOf(group.lastLevels[i]), series.colour(end - 1)});
        ++i;
    });
    return out;
}

} // namespace voltarix::chart
