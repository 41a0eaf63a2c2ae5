#pragma once

#include "chart/axis_range.h"
#include "chart/chart_model.h"
#include "chart/scale_map.h"

#include <QPointF>
#include <QRectF>

namespace voltarix::chart {

// Mouse zoom and panning as range arithmetic in chart space, apart from any widget.
class ViewNavigation {
public:
    struct Ranges {
        AxisRange x;
        AxisRange y;
        bool operator==(const Ranges&) const = default;
    };

    // A drag that ends left of or above where it began asks to undo, as charting tools do.
    static bool isUndoGesture(const QPointF& press, const QPointF& release);
    // Too small to mean a rectangle: a click.
    static bool isClick(const QPointF& press, const QPointF& release);
    static Ranges zoomedTo(const QRectF& selection, const ScaleMap& x, const ScaleMap& y);
    // Dragging moves the data with the mouse: the ranges move the other way.
    static Ranges pannedBy(const Ranges& now, const QPointF& delta, const ScaleMap& x,
                           const ScaleMap& y, Panning panning);
    static Ranges interpolated(const Ranges& from, const Ranges& to, double t);
};

} // namespace voltarix::chart
