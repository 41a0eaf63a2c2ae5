#pragma once

#include "chart/colour_runs.h"
#include "chart/label_runs.h"
#include "chart/packed_values.h"
#include "chart/point_label.h"
#include "chart/value_range.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace voltarix::chart {

// The points of a series that keeps its own storage: any y values (packed by how many distinct
// values occur), labels as runs and colours as runs. Register bars and free line series use it.
class PointStore {
public:
    PointStore() = default;
    PointStore(PackedValues values, LabelRuns labels, ColourRuns colours);

    void append(double y, const PointLabel& label, QRgb colour) {
        colours_.append(values_.size(), colour);
        values_.append(y);
        labels_.append(label);
    }

    std::int64_t count() const { return values_.size(); }
    double y(std::int64_t index) const { return values_.at(index); }
    QString label(std::int64_t index) const { return labels_.at(index); }
    QRgb colour(std::int64_t index) const;
    // Lowest and highest y among the points [first, last), clamped to the stored points.
    ValueRange range(std::int64_t first, std::int64_t last) const;
    // Lowest and highest y of all points.
    ValueRange bounds() const;
    std::size_t memoryBytes() const;

private:
    PackedValues values_;
    LabelRuns labels_;
    ColourRuns colours_;
};

} // namespace voltarix::chart
