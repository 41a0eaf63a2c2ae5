#pragma once

#include "chart/axis_range.h"

#include <cstdint>

namespace voltarix::chart {

// Page arithmetic of the bottom axis. x is the point index; with `maxPointsPerPage` N > 0 page p
// (from 1) holds the points (p-1)*N .. p*N-1, with 0 there is one page of all points.
class Paging {
public:
    struct Layout {
        std::int64_t pointCount = 0;
        int maxPointsPerPage = 0;
        std::int64_t page = 1;
        bool scaleLastPage = true;
        // Bars stand in slots [x, x+1), so their axis reaches one past the last x.
        bool slotted = false;
    };

    static std::int64_t pageCount(std::int64_t pointCount, int maxPointsPerPage);
    // The page holding point x (from 1).
    static std::int64_t pageOf(std::int64_t x, int maxPointsPerPage);
    // The automatic range of the bottom axis. A partly filled page keeps its full width unless
    // scaleLastPage is on.
    static AxisRange automaticRange(const Layout& layout);
};

} // namespace voltarix::chart
