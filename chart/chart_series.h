#pragma once

#include "chart/change_signal.h"
#include "chart/level_trace.h"
#include "chart/point_label.h"
#include "chart/point_store.h"
#include "chart/value_range.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <optional>

namespace voltarix::chart {

enum class SeriesKind { Line, Bar };

// One series of a chart. A point's x is its index: the number of points the series held when it
// was appended. Points are never removed. A series keeps its points itself, or, as one trace of
// the chart's level traces (ChartModel::addLevelTraces), reads them from one bit of the shared
// rows.
class ChartSeries {
public:
    ChartSeries(SeriesKind kind, QString name, ChangeSignal* changed);
    // A stair line series reading `trace`.
    ChartSeries(QString name, const LevelTrace& trace, ChangeSignal* changed);

    // Appending to one trace of the level traces on its own takes the series out of the group:
    // it keeps its points in storage of its own, whatever y it is given, and the group's later
    // rows no longer reach it.
    void appendPoint(double y, const PointLabel& label, QRgb colour) {
        if (trace_)
            leaveLevelTraces();
        points_.append(y, label, colour);
        if (active_)
            changed_->touch();
    }
    void appendPoint(double y, const PointLabel& label, const QColor& colour) {
        appendPoint(y, label, colour.rgba());
    }

    SeriesKind kind() const { return kind_; }
    const QString& name() const { return name_; }
    bool readsLevels() const { return trace_.has_value(); }
    // The trace of the level traces this series reads, or null.
    const LevelTrace* levelTrace() const { return trace_ ? &*trace_ : nullptr; }
    std::int64_t count() const { return trace_ ? trace_->count() : points_.count(); }
    double y(std::int64_t index) const { return trace_ ? trace_->y(index) : points_.y(index); }
    QString label(std::int64_t index) const;
    QRgb colour(std::int64_t index) const;
    // Lowest and highest y among the points [first, last), clamped to the stored points.
    ValueRange range(std::int64_t first, std::int64_t last) const;
    // Lowest and highest y of all points.
    ValueRange bounds() const;

    // An inactive series keeps receiving points but is not drawn.
    bool active() const { return active_; }
    void setActive(bool active);
    // Line series only: horizontal to the next x, then vertical to the next y.
    bool stairs() const { return stairs_; }
    void setStairs(bool stairs);
    // The series' own colour, used where it is drawn as a whole (3D ribbon shading excepted).
    QColor seriesColour() const { return seriesColour_; }
    void setSeriesColour(const QColor& colour);

    // The level traces' rows are counted once, by the chart, not per series.
    std::size_t memoryBytes() const;

private:
    void leaveLevelTraces();

    PointStore points_;
    std::optional<LevelTrace> trace_;
    QString name_;
    QColor seriesColour_ = Qt::red;
    ChangeSignal* changed_;
    SeriesKind kind_;
    bool active_ = true;
    bool stairs_ = false;
};

} // namespace voltarix::chart
