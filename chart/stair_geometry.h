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

// Pixel columns whose points cover the same levels side by side, as a busy signal does when a
// whole recording shares one page: filled as one rectangle instead of a line per column.
struct ColouredBand {
    double left; // first and last pixel column, both filled
    double right;
    double top;
    double bottom;
    QRgb colour;
};

struct StairShapes {
    std::vector<ColouredLine> lines;
    std::vector<ColouredBand> bands;
};

// What a line series draws, in plot coordinates. A stair runs horizontally from a point to the
// next x, then vertically to the next y; each segment takes the colour of the point it leads
// to. A pixel column holding several points covers all their levels.
class StairGeometry {
public:
    static StairShapes build(const ReducedSeries& reduced, const ScaleMap& y, bool stairs);
};

} // namespace voltarix::chart
