#pragma once

#include "chart/projection3d.h"
#include "chart/scale_map.h"

#include <QFontMetricsF>
#include <QRectF>

namespace voltarix::chart {

class ChartModel;

// Where everything of one paint goes: the plot's front rectangle in chart space, the depth of
// the 3D box, the projection onto the device, and the axis maps from values to chart space.
class ChartFrame {
public:
    static constexpr double kTickLength = 4;
    static constexpr double kLabelGap = 2;

    ChartFrame(const ChartModel& model, const QRectF& bounds, const QFontMetricsF& metrics);

    const QRectF& bounds() const { return bounds_; }
    const QRectF& plot() const { return plot_; }
    const Projection3D& projection() const { return projection_; }
    double depth() const { return projection_.depth(); }
    const ScaleMap& x() const { return x_; }
    const ScaleMap& y() const { return y_; }
    // Bars are centred in their slot [x, x+1); line points stand on x.
    double pointOffset() const { return pointOffset_; }
    bool bottomLabelsShown() const { return bottomLabels_; }
    bool leftLabelsShown() const { return leftLabels_; }
    // The plot's front face as drawn on the device, for mapping the mouse back to values.
    QRectF devicePlotRect() const;

    // Annotation rows stand in a band right under the plot, as wide as the plot, and their
    // names to the left of it; the bottom labels move under the band. Without rows the band
    // is empty and nothing moves.
    int annotationRowCount() const { return annotationRows_; }
    double annotationRowHeight() const { return annotationRowHeight_; }
    double annotationBandHeight() const { return annotationRows_ * annotationRowHeight_; }
    // Row `row` (0 the top one) in chart space, from the plot's left to its right.
    QRectF annotationRow(int row) const;
    // Where the names stand: from the chart's left edge (inside its margin) to the plot.
    double annotationNameLeft() const { return nameLeft_; }

    static QString valueText(double value);

private:
    QRectF plotArea(const ChartModel& model, const QFontMetricsF& metrics) const;
    void makeRoomForAnnotations(const ChartModel& model, const QFontMetricsF& metrics,
                                QRectF& area) const;
    static double depthFor(const ChartModel& model, const QRectF& area);
    void buildMaps(const ChartModel& model);

    QRectF bounds_;
    QRectF plot_;
    Projection3D projection_;
    ScaleMap x_;
    ScaleMap y_;
    double pointOffset_ = 0;
    double annotationRowHeight_ = 0;
    double nameLeft_ = 0;
    int annotationRows_ = 0;
    bool bottomLabels_ = false;
    bool leftLabels_ = false;
};

} // namespace voltarix::chart
