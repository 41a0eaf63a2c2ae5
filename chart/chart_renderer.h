#pragma once

#include "chart/chart_frame.h"

#include <QPainter>
#include <QRect>

namespace voltarix::chart {

class ChartModel;

// The one paint routine of a chart. The screen, a bitmap and a metafile device all go through
// it, so they cannot differ.
class ChartRenderer {
public:
    // Paints the whole chart into `bounds` and returns where its parts went.
    static ChartFrame render(const ChartModel& model, QPainter& painter, const QRect& bounds);
};

} // namespace voltarix::chart
