#pragma once

#include <QPainter>

namespace voltarix::chart {

class ChartFrame;
class ChartModel;

// Draws what stands behind and around the series: the plot's back (and the side walls in 3D),
// grid lines, axis lines, ticks and labels. Bottom labels are the point labels of the first
// active series, thinned so that they never overlap. Every label is kept whole inside the
// chart, and one that would then come too close to a label already drawn (the last one
// pushed in from the edge, or labels of a 3D view zoomed past the chart) is left out.
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
    double bottomPixelsPerPoint() const;
    void paintBottomAxis(const std::vector<Tick>& ticks);
    void paintLeftAxis(const std::vector<Tick>& ticks);
    QRectF labelBox(const QPointF& anchor, const QString& text, Qt::Alignment alignment) const;
    bool keepsApartFromDrawnLabels(const QRectF& box) const;
    void drawLabel(const QPointF& anchor, const QString& text, Qt::Alignment alignment);

    const ChartModel& model_;
    const ChartFrame& frame_;
    QPainter& painter_;
    std::vector<QRectF> drawnLabels_;
};

} // namespace voltarix::chart
