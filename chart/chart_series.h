#pragma once

#include "chart/change_signal.h"
#include "chart/colour_runs.h"
#include "chart/label_runs.h"
#include "chart/packed_values.h"
#include "chart/point_label.h"

#include <QColor>
#include <QString>

#include <cstdint>

namespace voltarix::chart {

enum class SeriesKind { Line, Bar };

// One series of a chart. A point's x is its index: the number of points the series held when it
// was appended. Points are never removed.
class ChartSeries {
public:
    ChartSeries(SeriesKind kind, QString name, ChangeSignal* changed);

    Q_ALWAYS_INLINE void appendPoint(double y, const PointLabel& label, QRgb colour) {
        values_.append(y);
        labels_.append(label);
        colours_.append(colour);
        if (active_)
            changed_->touch();
    }
    void appendPoint(double y, const PointLabel& label, const QColor& colour) {
        appendPoint(y, label, colour.rgba());
    }

    SeriesKind kind() const { return kind_; }
    const QString& name() const { return name_; }
    std::int64_t count() const { return values_.size(); }
    double y(std::int64_t index) const { return values_.at(index); }
    QString label(std::int64_t index) const { return labels_.at(index); }
    QRgb colour(std::int64_t index) const { return colours_.at(index); }

    // An inactive series keeps receiving points but is not drawn.
    bool active() const { return active_; }
    void setActive(bool active);
    // Line series only: horizontal to the next x, then vertical to the next y.
    bool stairs() const { return stairs_; }
    void setStairs(bool stairs);
    // The series' own colour, used where it is drawn as a whole (3D ribbon shading excepted).
    QColor seriesColour() const { return seriesColour_; }
    void setSeriesColour(const QColor& colour);

    const PackedValues& values() const { return values_; }
    const LabelRuns& labels() const { return labels_; }
    const ColourRuns& colours() const { return colours_; }
    std::size_t memoryBytes() const;

private:
    PackedValues values_;
    LabelRuns labels_;
    ColourRuns colours_;
    QString name_;
    QColor seriesColour_ = Qt::red;
    ChangeSignal* changed_;
    SeriesKind kind_;
    bool active_ = true;
    bool stairs_ = false;
};

} // namespace voltarix::chart
