#include "chart/chart_frame.h"

#include "chart/annotation_rows.h"
#include "chart/chart_model.h"

#include <algorithm>
#include <cmath>

namespace voltarix::chart {

namespace {
// Share of the plot's smaller side that a 100 % deep 3D box takes.
constexpr double kDepthShare = 0.35;
// Room above and below the text of an annotation row.
constexpr double kAnnotationPadding = 4;
// The names never take more than this share of the chart's width.
constexpr double kNameShare = 0.3;
} // namespace

ChartFrame::ChartFrame(const ChartModel& model, const QRectF& bounds, const QFontMetricsF& metrics)
    : bounds_(bounds) {
    const bool axes = model.axisVisible();
    bottomLabels_ = axes && model.bottomAxis().visible() && model.bottomAxis().labelsVisible();
    leftLabels_ = axes && model.leftAxis().visible() && model.leftAxis().labelsVisible();
    pointOffset_ = model.hasBars() ? 0.5 : 0.0;
    if (const AnnotationRows* rows = model.annotationRows()) {
        annotationRows_ = std::max(0, rows->rowCount());
        annotationRowHeight_ = std::ceil(metrics.height() + kAnnotationPadding);
    }
    nameLeft_ = bounds.left() + model.margins().left() + kLabelGap;
    const QRectF area = plotArea(model, metrics);
    if (model.view3D()) {
        projection_ = Projection3D::box(area, depthFor(model, area), model.view3DOptions());
    } else {
        projection_ = Projection3D::flat(area);
    }
    plot_ = area;
    buildMaps(model);
}

QString ChartFrame::valueText(double value) {
    if (std::abs(value) < 1e-12)
        value = 0;
    return QString::number(value, 'g', 12);
}

QRectF ChartFrame::plotArea(const ChartModel& model, const QFontMetricsF& metrics) const {
    QRectF area = bounds_.marginsRemoved(model.margins().toMarginsF());
    if (bottomLabels_)
        area.setBottom(area.bottom() - metrics.height() - kTickLength - kLabelGap);
    if (leftLabels_) {
        const AxisRange r = model.leftAxis().range();
        const double widest = std::max(metrics.horizontalAdvance(valueText(r.minimum)),
                                       metrics.horizontalAdvance(valueText(r.maximum)));
        area.setLeft(area.left() + widest + kTickLength + 2 * kLabelGap);
        area.setTop(area.top() + metrics.height() / 2);
    }
    makeRoomForAnnotations(model, metrics, area);
    if (area.width() < 1)
        area.setWidth(1);
    if (area.height() < 1)
        area.setHeight(1);
    return area;
}

void ChartFrame::makeRoomForAnnotations(const ChartModel& model, const QFontMetricsF& metrics,
                                        QRectF& area) const {
    if (annotationRows_ == 0)
        return;
    const AnnotationRows& rows = *model.annotationRows();
    double widest = 0;
    for (int row = 0; row < annotationRows_; ++row)
        widest = std::max(widest, metrics.horizontalAdvance(rows.rowName(row)));
    const double names = std::min(std::ceil(widest) + 3 * kLabelGap, bounds_.width() * kNameShare);
    area.setLeft(std::max(area.left(), nameLeft_ + names - kLabelGap));
    area.setBottom(area.bottom() - annotationBandHeight());
}

QRectF ChartFrame::annotationRow(int row) const {
    return {plot_.left(), plot_.bottom() + row * annotationRowHeight_, plot_.width(),
            annotationRowHeight_};
}

double ChartFrame::depthFor(const ChartModel& model, const QRectF& area) {
    return model.chart3DPercent() / 100.0 * std::min(area.width(), area.height()) * kDepthShare;
}

void ChartFrame::buildMaps(const ChartModel& model) {
    const ChartAxis& bottom = model.bottomAxis();
    const ChartAxis& left = model.leftAxis();
    const double w = plot_.width() - 1;
    const double h = plot_.height() - 1;
    x_ = ScaleMap(bottom.range(), plot_.left() + w * bottom.startPosition() / 100.0,
                  plot_.left() + w * bottom.endPosition() / 100.0);
    y_ = ScaleMap(left.range(), plot_.top() + h * left.endPosition() / 100.0,
                  plot_.top() + h * left.startPosition() / 100.0);
}

QRectF ChartFrame::devicePlotRect() const {
    return projection_.mapRect(plot_, 0).boundingRect();
}

} // namespace voltarix::chart
