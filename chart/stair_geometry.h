#pragma once

#include "chart/reduced_series.h"
#include "chart/scale_map.h"

#include <QLineF>
#include <QRgb>

#include <vector>

namespace voltarix::chart {

struct ColouredLine {
    QLineF line;
    QRgb colour;
};

// The line segments of a line series in plot coordinates. A stair runs horizontally from a
// point to the next x, then vertically to the next y; each segment takes the colour of the
// point it leads to. Columns holding several points add a vertical stroke over all their levels.
class StairGeometry {
public:
    static std::vector<ColouredLine> lines(const ReducedSeries& reduced, const ScaleMap& y,
                                           bool stairs);
};

} // namespace voltarix::chart
