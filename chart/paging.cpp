#include "chart/paging.h"

#include <algorithm>

namespace voltarix::chart {

std::int64_t Paging::pageCount(std::int64_t pointCount, int maxPointsPerPage) {
    if (maxPointsPerPage <= 0 || pointCount <= 0)
        return 1;
    return (pointCount + maxPointsPerPage - 1) / maxPointsPerPage;
}

std::int64_t Paging::pageOf(std::int64_t x, int maxPointsPerPage) {
    if (maxPointsPerPage <= 0 || x < 0)
        return 1;
    return x / maxPointsPerPage + 1;
}

AxisRange Paging::automaticRange(const Layout& layout) {
    const double slot = layout.slotted ? 1.0 : 0.0;
    if (layout.maxPointsPerPage <= 0) {
        const double last = static_cast<double>(std::max<std::int64_t>(layout.pointCount, 1) - 1);
        return {0, last + slot};
    }
    const std::int64_t pageSize = layout.maxPointsPerPage;
    const std::int64_t page = std::max<std::int64_t>(layout.page, 1);
    const std::int64_t first = (page - 1) * pageSize;
    std::int64_t last = first + pageSize - 1;
    if (layout.scaleLastPage && layout.pointCount > first)
        last = std::min(last, layout.pointCount - 1);
    return {static_cast<double>(first), static_cast<double>(last) + slot};
}

} // namespace voltarix::chart
