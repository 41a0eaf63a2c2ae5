#include "chart/point_store.h"

#include <utility>

namespace voltarix::chart {

PointStore::PointStore(PackedValues values, LabelRuns labels, ColourRuns colours)
    : values_(std::move(values)), labels_(std::move(labels)), colours_(std::move(colours)) {}

QRgb PointStore::colour(std::int64_t index) const {
    return index >= 0 && index < count() ? colours_.at(index) : 0;
}

ValueRange PointStore::range(std::int64_t first, std::int64_t last) const {
    const CodeRange r = values_.range(first, last);
    if (r.empty)
        return {};
    return {values_.valueOf(r.minCode), values_.valueOf(r.maxCode), false};
}

// Every distinct value ever stored is in the dictionary, so this costs one step per value.
ValueRange PointStore::bounds() const {
    ValueRange result;
    for (double v : values_.dictionary())
        result = result.merged(ValueRange::of(v));
    return result;
}

std::size_t PointStore::memoryBytes() const {
    return values_.memoryBytes() + labels_.memoryBytes() + colours_.memoryBytes();
}

} // namespace voltarix::chart
