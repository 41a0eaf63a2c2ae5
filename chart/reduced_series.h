#pragma once

#include <QRgb>

#include <vector>

namespace voltarix::chart {

// What one series shows across the plot's width: one column per visible point while points are
// wider than pixels, otherwise one column per pixel holding the lowest, the highest and the last
// value of the points that fall on it, so that a single-point glitch still shows.
struct ReducedSeries {
    struct Column {
        double pixel;
        double minY;
        double maxY;
        double lastY;
        QRgb colour; // of the column's last point
    };

    std::vector<Column> columns;
    // The points just outside the plot on either side, so that lines run on to its edges.
    bool hasLeadIn = false;
    Column leadIn{};
    bool hasTrailing = false;
    Column trailing{};
    bool perPixel = false;
};

} // namespace voltarix::chart
