#include "chart/series_painter.h"

#include "chart/chart_frame.h"
#include "chart/chart_model.h"
#include "chart/column_reducer.h"
#include "chart/line_clipper.h"

#include <algorithm>
#include <cmath>

namespace voltarix::chart {

namespace {

// Flat lines are snapped to whole pixels, so that a level always lands on the same row.
QLineF snapped(const QLineF& l) {
    return QLineF(std::round(l.x1()), std::round(l.y1()), std::round(l.x2()), std::round(l.y2()));
}

std::vector<ColouredLine> clipped(std::vector<ColouredLine> lines, const QRectF& rect) {
    const LineClipper clipper(rect);
    std::erase_if(lines, [&](ColouredLine& l) { return !clipper.clip(l.line); });
    return lines;
}

} // namespace

SeriesPainter::SeriesPainter(const ChartModel& model, const ChartFrame& frame, QPainter& painter)
    : model_(model), frame_(frame), painter_(painter) {}

void SeriesPainter::paint() {
    int lineSlots = 0;
    int barSlots = 0;
    for (int i = 0; i < model_.seriesCount(); ++i) {
        const ChartSeries& s = model_.series(i);
        if (s.active())
            ++(s.kind() == SeriesKind::Bar ? barSlots : lineSlots);
    }
    int line = 0;
    int bar = 0;
    for (int i = 0; i < model_.seriesCount(); ++i) {
        const ChartSeries& s = model_.series(i);
        if (!s.active())
            continue;
        if (s.kind() == SeriesKind::Bar)
            paintBars(s, bar++, barSlots);
        else
            paintLine(s, line++, lineSlots);
    }
    drawBoxesBackToFront();
}

// A box's side face reaches towards its neighbour on the side the depth runs to; that
// neighbour's front face lies nearer and must cover it, so boxes are drawn from that side.
void SeriesPainter::drawBoxesBackToFront() {
    if (boxes_.empty())
        return;
    const Projection3D& p = frame_.projection();
    const QPointF probe = frame_.plot().center();
    const bool depthRunsRight = p.map(probe, frame_.depth()).x() >= p.map(probe, 0).x();
    std::stable_sort(
        boxes_.begin(), boxes_.end(), [depthRunsRight](const BarBox& a, const BarBox& b) {
            return depthRunsRight ? a.bar.left() < b.bar.left() : a.bar.left() > b.bar.left();
        });
    for (const BarBox& box : boxes_)
        drawBar(box.bar, box.colour);
    boxes_.clear();
}

void SeriesPainter::paintLine(const ChartSeries& series, int slot, int slotCount) {
    const QRectF& r = frame_.plot();
    const ColumnReducer reducer(frame_.x(), r.left(), r.right(), frame_.pointOffset());
    StairShapes shapes =
        StairGeometry::build(reduceLine(reducer, series), frame_.y(), series.stairs());
    const auto lines = clipped(std::move(shapes.lines), r);
    const double d = frame_.depth();
    const double z0 = d * slot / slotCount;
    if (frame_.projection().isFlat())
        drawFlatLines(lines);
    else
        drawRibbon(lines, z0, d * (slot + 1) / slotCount);
    drawBands(shapes.bands, z0);
}

// The level traces share their rows: what their rows show per pixel column is found once.
ReducedSeries SeriesPainter::reduceLine(const ColumnReducer& reducer, const ChartSeries& series) {
    const LevelTrace* trace = series.levelTrace();
    if (!trace)
        return reducer.reduce(series);
    if (!levelColumns_)
        levelColumns_ = reducer.levelColumns(trace->rows());
    return reducer.reduce(series, *levelColumns_);
}

// Bands span whole pixel columns and rows, like the lines they stand for.
void SeriesPainter::drawBands(const std::vector<ColouredBand>& bands, double z) {
    const QRectF& r = frame_.plot();
    const Projection3D& p = frame_.projection();
    for (const ColouredBand& b : bands) {
        const QRectF area = QRectF(QPointF(std::round(b.left), std::round(b.top)),
                                   QPointF(std::round(b.right) + 1, std::round(b.bottom) + 1))
                                .intersected(r.adjusted(0, 0, 1, 1));
        if (area.isEmpty())
            continue;
        const QColor colour = QColor::fromRgba(b.colour);
        if (p.isFlat()) {
            painter_.fillRect(area, colour);
            continue;
        }
        painter_.setPen(QPen(colour, 0));
        painter_.setBrush(colour);
        painter_.drawPolygon(p.mapRect(area, z));
        painter_.setBrush(Qt::NoBrush);
    }
}

// Lines of one colour go to the device in one call.
void SeriesPainter::drawFlatLines(const std::vector<ColouredLine>& lines) {
    std::vector<QLineF> batch;
    batch.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        batch.push_back(snapped(lines[i].line));
        if (i + 1 == lines.size() || lines[i + 1].colour != lines[i].colour) {
            painter_.setPen(QPen(QColor::fromRgba(lines[i].colour), 0));
            painter_.drawLines(batch.data(), static_cast<int>(batch.size()));
            batch.clear();
        }
    }
}

void SeriesPainter::drawRibbon(const std::vector<ColouredLine>& lines, double z0, double z1) {
    const Projection3D& p = frame_.projection();
    for (const ColouredLine& l : lines) {
        const QColor colour = QColor::fromRgba(l.colour);
        painter_.setPen(QPen(colour.darker(170), 0));
        painter_.setBrush(colour.darker(250));
        painter_.drawPolygon(QPolygonF({p.map(l.line.p1(), z0), p.map(l.line.p2(), z0),
                                        p.map(l.line.p2(), z1), p.map(l.line.p1(), z1)}));
        painter_.setPen(QPen(colour, 0));
        painter_.drawLine(p.map(l.line.p1(), z0), p.map(l.line.p2(), z0));
    }
    painter_.setBrush(Qt::NoBrush);
}

void SeriesPainter::paintBars(const ChartSeries& series, int slot, int slotCount) {
    const QRectF& r = frame_.plot();
    const ColumnReducer reducer(frame_.x(), r.left(), r.right(), frame_.pointOffset());
    const ReducedSeries reduced = reducer.reduce(series);
    const double slotWidth = reduced.perPixel ? 1.0 : std::abs(frame_.x().scale());
    const double group = reduced.perPixel ? 1.0 : slotWidth * model_.barWidthPercent() / 100.0;
    const double width = reduced.perPixel ? 1.0 : group / slotCount;
    const double zero = std::clamp(frame_.y().toPixel(0), r.top(), r.bottom());
    for (const auto& c : reduced.columns) {
        const double left = reduced.perPixel ? c.pixel : c.pixel - group / 2 + width * slot;
        const double top = std::clamp(frame_.y().toPixel(c.maxY), r.top(), r.bottom());
        QRectF bar =
            QRectF(QPointF(left, std::min(top, zero)), QPointF(left + width, std::max(top, zero)))
                .intersected(r);
        if (bar.width() <= 0 || bar.height() <= 0)
            continue;
        if (frame_.projection().isFlat())
            drawBar(bar, c.colour);
        else
            boxes_.push_back({bar, c.colour});
    }
}

void SeriesPainter::drawBar(const QRectF& bar, QRgb colour) {
    const QColor c = QColor::fromRgba(colour);
    const Projection3D& p = frame_.projection();
    if (p.isFlat()) {
        painter_.fillRect(bar, c);
        return;
    }
    const double z0 = frame_.depth() * 0.15;
    const double z1 = frame_.depth() * 0.85;
    painter_.setPen(QPen(c.darker(200), 0));
    painter_.setBrush(c.darker(140));
    painter_.drawPolygon(
        QPolygonF({p.map(bar.right(), bar.top(), z0), p.map(bar.right(), bar.top(), z1),
                   p.map(bar.right(), bar.bottom(), z1), p.map(bar.right(), bar.bottom(), z0)}));
    painter_.setBrush(c.lighter(130));
    painter_.drawPolygon(p.mapFloor(bar.left(), bar.right(), bar.top(), z0, z1));
    painter_.setBrush(c);
    painter_.drawPolygon(p.mapRect(bar, z0));
    painter_.setBrush(Qt::NoBrush);
}

} // namespace voltarix::chart
