#include "chart/chart_model.h"

#include "chart/chart_error.h"
#include "chart/paging.h"

#include <algorithm>
#include <string>

namespace voltarix::chart {

ChartModel::ChartModel()
    : bottom_([this] { return automaticBottomRange(); }, &changed_),
      left_([this] { return automaticLeftRange(); }, &changed_) {}

ChartSeries& ChartModel::addSeries(SeriesKind kind, const QString& name) {
    series_.push_back(std::make_unique<ChartSeries>(kind, name, &changed_));
    changed_.touch();
    return *series_.back();
}

int ChartModel::addLevelTraces(std::span<const TraceLevels> traces) {
    if (levelRows_)
        throw ChartError("A chart holds one group of level traces");
    levelRows_ = std::make_unique<LevelRows>(static_cast<int>(traces.size()));
    firstLevelTrace_ = seriesCount();
    for (std::size_t k = 0; k < traces.size(); ++k) {
        const TraceLevels& t = traces[k];
        const LevelTrace trace(*levelRows_, static_cast<int>(k), t.low, t.high);
        series_.push_back(std::make_unique<ChartSeries>(t.name, trace, &changed_));
    }
    changed_.touch();
    return firstLevelTrace_;
}

void ChartModel::setAnnotationRows(const AnnotationRows* rows) {
    annotationRows_ = rows;
    changed_.touch();
}

void ChartModel::refuseLevels(std::size_t colours) const {
    if (!levelRows_)
        throw ChartError("The chart has no level traces to append to");
    throw ChartError("A row of level traces needs one colour per trace: " +
                     std::to_string(levelRows_->traceCount()) + " expected, " +
                     std::to_string(colours) + " given");
}

// Runs once per drawn frame at most: appends skip it while a change is still pending.
bool ChartModel::levelTracesShown() const {
    const auto first = series_.begin() + firstLevelTrace_;
    return std::any_of(first, first + levelRows_->traceCount(),
                       [](const auto& s) { return s->readsLevels() && s->active(); });
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

// Bars grow from zero.
AxisRange ChartModel::automaticLeftRange() const {
    ValueRange all;
    for (const auto& s : series_) {
        if (!s->active())
            continue;
        all = all.merged(s->bounds());
        if (s->kind() == SeriesKind::Bar && s->count() > 0)
            all = all.merged(ValueRange::of(0));
    }
    if (all.empty)
        return {0, 10};
    return {all.minimum, all.maximum};
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
    return levelRows_ ? bytes + levelRows_->memoryBytes() : bytes;
}

void ChartModel::appendLevelsRepeated(std::uint32_t levels, const PointLabel& label,
                                      std::span<const QRgb> colours, std::int64_t count) {
    if (count <= 0)
        return;
    appendLevels(levels, label, colours);
    levelRows_->repeatLast(count - 1);
}

} // namespace voltarix::chart
