#include "chart/chart_series.h"

#include <utility>

namespace voltarix::chart {

ChartSeries::ChartSeries(SeriesKind kind, QString name, ChangeSignal* changed)
    : name_(std::move(name)), changed_(changed), kind_(kind) {}

ChartSeries::ChartSeries(QString name, const LevelTrace& trace, ChangeSignal* changed)
    : trace_(trace), name_(std::move(name)), changed_(changed), kind_(SeriesKind::Line),
      stairs_(true) {}

void ChartSeries::leaveLevelTraces() {
    points_ = trace_->toPointStore();
    trace_.reset();
}

QString ChartSeries::label(std::int64_t index) const {
    return trace_ ? trace_->label(index) : points_.label(index);
}

QRgb ChartSeries::colour(std::int64_t index) const {
    return trace_ ? trace_->colour(index) : points_.colour(index);
}

ValueRange ChartSeries::range(std::int64_t first, std::int64_t last) const {
    return trace_ ? trace_->range(first, last) : points_.range(first, last);
}

ValueRange ChartSeries::bounds() const {
    return trace_ ? trace_->bounds() : points_.bounds();
}

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
    return sizeof(*this) + points_.memoryBytes();
}

} // namespace voltarix::chart
