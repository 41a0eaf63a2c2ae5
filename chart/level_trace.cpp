#include "chart/level_trace.h"

#include <utility>

namespace voltarix::chart {

LevelTrace::LevelTrace(const LevelRows& rows, int bit, double low, double high)
    : rows_(&rows), mask_(std::uint32_t{1} << bit), bit_(bit), low_(low), high_(high) {}

ValueRange LevelTrace::rangeOf(const LevelSeen& seen) const {
    ValueRange result;
    if (seen.low & mask_)
        result = ValueRange::of(low_);
    if (seen.high & mask_)
        result = result.merged(ValueRange::of(high_));
    return result;
}

ValueRange LevelTrace::range(std::int64_t first, std::int64_t last) const {
    return rangeOf(rows_->seen(first, last, mask_));
}

ValueRange LevelTrace::bounds() const {
    return rangeOf(rows_->seenAll());
}

PointStore LevelTrace::toPointStore() const {
    PackedValues values;
    rows_->forEachRun(0, count(), [&](std::int64_t first, std::int64_t end, std::uint32_t levels) {
        const double y = yOf(levels);
        for (std::int64_t i = first; i < end; ++i)
            values.append(y);
    });
    return PointStore(std::move(values), rows_->labels(), rows_->colours(bit_));
}

} // namespace voltarix::chart
