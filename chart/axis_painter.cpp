#include "chart/axis_painter.h"

#include "chart/chart_frame.h"
#include "chart/chart_model.h"
#include "chart/label_thinning.h"

#include <algorithm>
#include <cmath>

namespace voltarix::chart {

AxisPainter::AxisPainter(const ChartModel& model, const ChartFrame& frame, QPainter& painter)
    : model_(model), frame_(frame), painter_(painter) {}

void AxisPainter::paintWalls() {
    const Projection3D& p = frame_.projection();
    const QRectF& r = frame_.plot();
    const QColor back = model_.backColour();
    painter_.setPen(Qt::NoPen);
    if (p.isFlat()) {
        painter_.fillRect(r, back);
        return;
    }
    const double d = frame_.depth();
    painter_.setPen(QPen(model_.axisColour(), 0));
    painter_.setBrush(back);
    painter_.drawPolygon(p.mapRect(r, d));
    painter_.setBrush(back.lighter(130).darker(115));
    painter_.drawPolygon(
        QPolygonF({p.map(r.left(), r.top(), 0), p.map(r.left(), r.top(), d),
                   p.map(r.left(), r.bottom(), d), p.map(r.left(), r.bottom(), 0)}));
    painter_.setBrush(back.lighter(140).darker(110));
    painter_.drawPolygon(p.mapFloor(r.left(), r.right(), r.bottom(), 0, d));
    painter_.setBrush(Qt::NoBrush);
}

void AxisPainter::paintGrid() {
    if (!model_.axisVisible())
        return;
    const Projection3D& p = frame_.projection();
    const QRectF& r = frame_.plot();
    const double d = frame_.depth();
    painter_.setPen(QPen(model_.gridColour(), 0, Qt::DotLine));
    if (model_.bottomAxis().gridVisible() && model_.bottomAxis().visible()) {
        for (const Tick& t : bottomTicks()) {
            const double x = frame_.x().toPixel(t.position);
            if (x >= r.left() && x <= r.right())
                painter_.drawLine(p.map(x, r.top(), d), p.map(x, r.bottom(), d));
        }
    }
    if (model_.leftAxis().gridVisible() && model_.leftAxis().visible()) {
        for (const Tick& t : leftTicks()) {
            const double y = frame_.y().toPixel(t.position);
            if (y >= r.top() && y <= r.bottom())
                painter_.drawLine(p.map(r.left(), y, d), p.map(r.right(), y, d));
        }
    }
}

void AxisPainter::paintAxes() {
    if (!model_.axisVisible())
        return;
    if (model_.bottomAxis().visible())
        paintBottomAxis(bottomTicks());
    if (model_.leftAxis().visible())
        paintLeftAxis(leftTicks());
}

QString AxisPainter::pointLabel(std::int64_t index) const {
    for (int i = 0; i < model_.seriesCount(); ++i) {
        const ChartSeries& s = model_.series(i);
        if (s.active() && index < s.count())
            return s.label(index);
    }
    return {};
}

double AxisPainter::maxPointLabelWidth(std::int64_t first, std::int64_t last) const {
    const QFontMetricsF metrics(painter_.font());
    double widest = 0;
    for (std::int64_t i : {first, (first + last) / 2, last})
        widest = std::max(widest, metrics.horizontalAdvance(pointLabel(i)));
    return widest;
}

std::vector<AxisPainter::Tick> AxisPainter::bottomTicks() const {
    std::vector<Tick> ticks;
    const AxisRange range = model_.bottomAxis().range();
    const double offset = frame_.pointOffset();
    std::int64_t first = static_cast<std::int64_t>(std::ceil(range.minimum - offset - 1e-9));
    std::int64_t last = static_cast<std::int64_t>(std::floor(range.maximum - offset + 1e-9));
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, model_.pointCount() - 1);
    if (first > last)
        return ticks;
    const double width = maxPointLabelWidth(first, last);
    const std::int64_t step =
        LabelThinning::pointStep(bottomPixelsPerPoint(), width, model_.bottomAxis().increment());
    const std::int64_t start = (first + step - 1) / step * step;
    for (std::int64_t i = start; i <= last; i += step)
        ticks.push_back({static_cast<double>(i) + offset, pointLabel(i)});
    return ticks;
}

// Labels stand side by side on the device: in 3D the front edge is turned and zoomed, so the
// room between two of them is what the projection leaves of a point's width.
double AxisPainter::bottomPixelsPerPoint() const {
    const QRectF& r = frame_.plot();
    if (r.width() <= 0)
        return frame_.x().scale();
    const Projection3D& p = frame_.projection();
    const double deviceWidth =
        std::abs(p.map(r.right(), r.bottom(), 0).x() - p.map(r.left(), r.bottom(), 0).x());
    return frame_.x().scale() * deviceWidth / r.width();
}

std::vector<AxisPainter::Tick> AxisPainter::leftTicks() const {
    std::vector<Tick> ticks;
    const AxisRange range = model_.leftAxis().range();
    const QFontMetricsF metrics(painter_.font());
    const double step = LabelThinning::valueStep(frame_.y().scale(), metrics.height(),
                                                 model_.leftAxis().increment());
    for (double v = LabelThinning::firstMultiple(range.minimum, step);
         v <= range.maximum + step * 1e-9 && ticks.size() < 1000; v += step)
        ticks.push_back({v, ChartFrame::valueText(v)});
    return ticks;
}

void AxisPainter::paintBottomAxis(const std::vector<Tick>& ticks) {
    const Projection3D& p = frame_.projection();
    const QRectF& r = frame_.plot();
    painter_.setPen(QPen(model_.axisColour(), 0));
    painter_.drawLine(p.map(r.left(), r.bottom(), 0), p.map(r.right(), r.bottom(), 0));
    const bool labels = frame_.bottomLabelsShown();
    const bool tickMarks = model_.bottomAxis().ticksVisible();
    for (const Tick& t : ticks) {
        const double x = frame_.x().toPixel(t.position);
        if (x < r.left() - 0.5 || x > r.right() + 0.5)
            continue;
        const QPointF base = p.map(x, r.bottom(), 0) + QPointF(0, frame_.annotationBandHeight());
        if (tickMarks)
            painter_.drawLine(base, base + QPointF(0, ChartFrame::kTickLength));
        if (labels)
            drawLabel(base + QPointF(0, ChartFrame::kTickLength + ChartFrame::kLabelGap), t.text,
                      Qt::AlignHCenter | Qt::AlignTop);
    }
}

void AxisPainter::paintLeftAxis(const std::vector<Tick>& ticks) {
    const Projection3D& p = frame_.projection();
    const QRectF& r = frame_.plot();
    painter_.setPen(QPen(model_.axisColour(), 0));
    painter_.drawLine(p.map(r.left(), r.top(), 0), p.map(r.left(), r.bottom(), 0));
    for (const Tick& t : ticks) {
        const double y = frame_.y().toPixel(t.position);
        if (y < r.top() - 0.5 || y > r.bottom() + 0.5)
            continue;
        const QPointF base = p.map(r.left(), y, 0);
        if (model_.leftAxis().ticksVisible())
            painter_.drawLine(base, base - QPointF(ChartFrame::kTickLength, 0));
        if (frame_.leftLabelsShown())
            drawLabel(base - QPointF(ChartFrame::kTickLength + ChartFrame::kLabelGap, 0), t.text,
                      Qt::AlignRight | Qt::AlignVCenter);
    }
}

// Text is kept inside the chart's bounds, so a label at the plot's very edge stays readable.
QRectF AxisPainter::labelBox(const QPointF& anchor, const QString& text,
                             Qt::Alignment alignment) const {
    const QFontMetricsF metrics(painter_.font());
    QRectF box(QPointF(0, 0), QSizeF(metrics.horizontalAdvance(text) + 1, metrics.height()));
    if (alignment & Qt::AlignHCenter)
        box.moveLeft(anchor.x() - box.width() / 2);
    else if (alignment & Qt::AlignRight)
        box.moveRight(anchor.x());
    else
        box.moveLeft(anchor.x());
    if (alignment & Qt::AlignVCenter)
        box.moveTop(anchor.y() - box.height() / 2);
    else
        box.moveTop(anchor.y());
    const QRectF& b = frame_.bounds();
    box.moveLeft(std::clamp(box.left(), b.left(), std::max(b.left(), b.right() - box.width())));
    box.moveTop(std::clamp(box.top(), b.top(), std::max(b.top(), b.bottom() - box.height())));
    return box;
}

namespace {

// Labels must not overlap; on one line they also keep a gap, so that neighbours never run
// into one another. A label just below another's corner (the left axis's lowest beside the
// bottom axis's first) may stand close.
bool tooClose(const QRectF& a, const QRectF& b) {
    if (a.intersects(b))
        return true;
    const double sharedHeight = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    const bool oneLine = sharedHeight > std::min(a.height(), b.height()) / 2;
    const double gap = std::max(a.left() - b.right(), b.left() - a.right());
    return oneLine && gap < LabelThinning::kGap / 2;
}

} // namespace

bool AxisPainter::keepsApartFromDrawnLabels(const QRectF& box) const {
    return std::none_of(drawnLabels_.begin(), drawnLabels_.end(),
                        [&box](const QRectF& drawn) { return tooClose(box, drawn); });
}

void AxisPainter::drawLabel(const QPointF& anchor, const QString& text, Qt::Alignment alignment) {
    const QRectF box = labelBox(anchor, text, alignment);
    if (!keepsApartFromDrawnLabels(box))
        return;
    painter_.drawText(box, Qt::AlignCenter, text);
    drawnLabels_.push_back(box);
}

} // namespace voltarix::chart
