#include "chart/chart_model.h"

#include "chart/chart_error.h"
#include "chart/paging.h"

#include <algorithm>
#include <limits>

namespace voltarix::chart {

ChartModel::ChartModel()
    : bottom_([this] { return automaticBottomRange(); }, &changed_),
      left_([this] { return automaticLeftRange(); }, &changed_) {}

ChartSeries& ChartModel::addSeries(SeriesKind kind, const QString& name) {
    series_.push_back(std::make_unique<ChartSeries>(kind, name, &changed_));
    changed_.touch();
    return *series_.back();
}

std::int64_t ChartModel::pointCount() const {
    std::int64_t active = 0;
    std::int64_t all = 0;
    bool anyActive = false;
    for (const auto& s : series_) {
        all = std::max(all, s->count());
        if (s->active()) {
            anyActive = true;
            active = std::max(active, s->count());
        }
    }
    return anyActive ? active : all;
}

bool ChartModel::hasBars() const {
    return std::any_of(series_.begin(), series_.end(),
                       [](const auto& s) { return s->kind() == SeriesKind::Bar; });
}

AxisRange ChartModel::automaticBottomRange() const {
    return Paging::automaticRange(
        {pointCount(), maxPointsPerPage_, page_, scaleLastPage_, hasBars()});
}

// Every distinct value a series ever held is in its dictionary, so the range over all points
// costs as many steps as there are distinct values. Bars grow from zero.
AxisRange ChartModel::automaticLeftRange() const {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const auto& s : series_) {
        if (!s->active())
            continue;
        for (double v : s->values().dictionary()) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
        if (s->kind() == SeriesKind::Bar && s->count() > 0) {
            low = std::min(low, 0.0);
            high = std::max(high, 0.0);
        }
    }
    if (low > high)
        return {0, 10};
    return {low, high};
}

void ChartModel::setMaxPointsPerPage(int points) {
    if (points < 0)
        throw ChartError("MaxPointsPerPage must be >= 0");
    maxPointsPerPage_ = points;
    changed_.touch();
}

void ChartModel::setScaleLastPage(bool scale) {
    scaleLastPage_ = scale;
    changed_.touch();
}

void ChartModel::setPage(std::int64_t page) {
    page_ = std::clamp<std::int64_t>(page, 1, pageCount());
    changed_.touch();
}

std::int64_t ChartModel::pageCount() const {
    return Paging::pageCount(pointCount(), maxPointsPerPage_);
}

void ChartModel::setAxisVisible(bool visible) {
    axisVisible_ = visible;
    changed_.touch();
}

void ChartModel::setMargins(const QMargins& margins) {
    margins_ = margins;
    changed_.touch();
}

void ChartModel::setBackColour(const QColor& colour) {
    backColour_ = colour;
    changed_.touch();
}

void ChartModel::setFrameColour(const QColor& colour) {
    frameColour_ = colour;
    changed_.touch();
}

void ChartModel::setAxisColour(const QColor& colour) {
    axisColour_ = colour;
    changed_.touch();
}

void ChartModel::setGridColour(const QColor& colour) {
    gridColour_ = colour;
    changed_.touch();
}

void ChartModel::setBarWidthPercent(int percent) {
    barWidthPercent_ = std::clamp(percent, 1, 100);
    changed_.touch();
}

void ChartModel::setView3D(bool on) {
    view3D_ = on;
    changed_.touch();
}

void ChartModel::setChart3DPercent(int percent) {
    chart3DPercent_ = std::clamp(percent, 1, 100);
    changed_.touch();
}

void ChartModel::setView3DOptions(const View3DOptions& options) {
    view3DOptions_ = options;
    changed_.touch();
}

std::size_t ChartModel::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + series_.capacity() * sizeof(series_[0]);
    for (const auto& s : series_)
        bytes += s->memoryBytes();
    return bytes;
}

} // namespace voltarix::chart
