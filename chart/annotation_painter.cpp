#include "chart/annotation_painter.h"

#include "chart/annotation_rows.h"
#include "chart/chart_frame.h"
#include "chart/chart_model.h"

#include <algorithm>
#include <cmath>

namespace voltarix::chart {

namespace {

// Narrower than this, an annotation is a bar without text or outline.
constexpr double kTextlessWidth = 4;
constexpr double kTextMargin = 2;

QColor outlineOf(const QColor& fill) {
    return fill.darker(180);
}

} // namespace

AnnotationPainter::AnnotationPainter(const ChartModel& model, const ChartFrame& frame,
                                     QPainter& painter)
    : model_(model), frame_(frame), painter_(painter) {}

void AnnotationPainter::paint() {
    const AnnotationRows* rows = model_.annotationRows();
    if (!rows || frame_.annotationRowCount() == 0)
        return;
    painter_.save();
    for (int row = 0; row < frame_.annotationRowCount(); ++row)
        paintRow(*rows, row);
    painter_.restore();
}

// In 3D the band follows the front face's bottom edge, kept upright so that text stays level.
double AnnotationPainter::deviceX(double x) const {
    return frame_.projection().map(frame_.x().toPixel(x), frame_.plot().bottom(), 0).x();
}

void AnnotationPainter::paintRow(const AnnotationRows& rows, int row) {
    const QRectF chartLane = frame_.annotationRow(row);
    const Projection3D& p = frame_.projection();
    const QRectF lane = QRectF(p.map(chartLane.left(), chartLane.top(), 0),
                               p.map(chartLane.right(), chartLane.bottom(), 0))
                            .normalized();
    painter_.fillRect(lane, model_.backColour());
    paintName(rows.rowName(row), lane);
    const AxisRange range = model_.bottomAxis().range();
    const double unitsPerPixel = std::abs(1.0 / frame_.x().scale());
    rows.forEachSpan(row, range.minimum, range.maximum, unitsPerPixel,
                     [this, &lane](const AnnotationSpan& span) { paintSpan(span, lane); });
}

void AnnotationPainter::paintName(const QString& name, const QRectF& lane) {
    const double left = frame_.annotationNameLeft();
    const QRectF box(QPointF(left, lane.top()),
                     QPointF(frame_.plot().left() - ChartFrame::kLabelGap, lane.bottom()));
    if (box.width() <= 0)
        return;
    painter_.setPen(model_.axisColour());
    const QFontMetricsF metrics(painter_.font());
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(name, Qt::ElideRight, box.width()));
}

// Boxes are cut to the lane by hand rather than by a clip, which not every paint device keeps.
void AnnotationPainter::paintSpan(const AnnotationSpan& span, const QRectF& lane) {
    const double x0 = std::max(lane.left(), std::min(deviceX(span.start), deviceX(span.end)));
    const double x1 = std::min(lane.right(), std::max(deviceX(span.start), deviceX(span.end)));
    if (x1 < x0)
        return;
    const QRectF box(QPointF(x0, lane.top() + 1), QPointF(x1, lane.bottom() - 1));
    const QColor fill = QColor::fromRgba(span.colour);
    if (box.width() < kTextlessWidth) {
        painter_.fillRect(QRectF(box.left(), box.top(), std::max(1.0, box.width()), box.height()),
                          fill);
        return;
    }
    painter_.setPen(QPen(outlineOf(fill), 0));
    painter_.setBrush(fill);
    painter_.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    // The text stands in the part of the box on the page, so that a long annotation that
    // began on an earlier page still reads.
    const QFontMetricsF metrics(painter_.font());
    const QString text = fittingText(span.texts, box.width() - 2 * kTextMargin, metrics);
    if (text.isEmpty())
        return;
    painter_.setPen(Qt::black);
    painter_.drawText(box, Qt::AlignCenter, text);
}

QString AnnotationPainter::fittingText(const QStringList& texts, double width,
                                       const QFontMetricsF& metrics) {
    if (texts.isEmpty() || width <= 0)
        return {};
    for (const QString& text : texts) {
        if (metrics.horizontalAdvance(text) <= width)
            return text;
    }
    const QString shortened = metrics.elidedText(texts.back(), Qt::ElideRight, width);
    // Qt gives a text of one character back whole, however narrow the room.
    if (shortened.isEmpty() || shortened == QStringLiteral("…") ||
        metrics.horizontalAdvance(shortened) > width)
        return {};
    return shortened;
}

} // namespace voltarix::chart
