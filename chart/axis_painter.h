#pragma once

#include <QPainter>

namespace voltarix::chart {

class ChartFrame;
class ChartModel;

// Draws what stands behind and around the series: the plot's back (and the side walls in 3D),
// grid lines, axis lines, ticks and labels. Bottom labels are the point labels of the first
// active series, thinned so that they never overlap.
class AxisPainter {
public:
    AxisPainter(const ChartModel& model, const ChartFrame& frame, QPainter& painter);

    void paintWalls();
    void paintGrid();
    void paintAxes();

private:
    struct Tick {
        double position; // value along the axis
        QString text;
    };

    std::vector<Tick> bottomTicks() const;
    std::vector<Tick> leftTicks() const;
    QString pointLabel(std::int64_t index) const;
    double maxPointLabelWidth(std::int64_t first, std::int64_t last) const;
    void paintBottomAxis(const std::vector<Tick>& ticks);
    void paintLeftAxis(const std::vector<Tick>& ticks);
    void drawText(const QPointF& anchor, const QString& text, Qt::Alignment alignment);

    const ChartModel& model_;
    const ChartFrame& frame_;
    QPainter& painter_;
};

} // namespace voltarix::chart
