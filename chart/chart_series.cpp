#include "chart/chart_series.h"

#include <utility>

namespace voltarix::chart {

ChartSeries::ChartSeries(SeriesKind kind, QString name, ChangeSignal* changed)
    : name_(std::move(name)), changed_(changed), kind_(kind) {}

void ChartSeries::setActive(bool active) {
    if (active_ == active)
        return;
    active_ = active;
    changed_->touch();
}

void ChartSeries::setStairs(bool stairs) {
    stairs_ = stairs;
    changed_->touch();
}

void ChartSeries::setSeriesColour(const QColor& colour) {
    seriesColour_ = colour;
    changed_->touch();
}

std::size_t ChartSeries::memoryBytes() const {
    return sizeof(*this) + values_.memoryBytes() + labels_.memoryBytes() + colours_.memoryBytes();
}

} // namespace voltarix::chart
