#pragma once

#include <cstdint>

namespace voltarix::chart {

// The query walk shared by the block summaries: merges the base blocks [first, last) by
// climbing to a coarser level wherever whole groups of 2^fanShift nodes fit, so a query touches
// a few dozen nodes however long the range. nodeCount(level) tells how many complete nodes a
// level holds; mergeNodes(level, first, last) merges nodes of one level and returns false once
// nothing more can change the result.
template <typename NodeCount, typename MergeNodes>
void walkPyramid(std::int64_t first, std::int64_t last, int fanShift, NodeCount nodeCount,
                 MergeNodes mergeNodes) {
    const std::int64_t fan = std::int64_t{1} << fanShift;
    for (int level = 0; first < last; ++level) {
        const std::int64_t upFirst = (first + fan - 1) >> fanShift;
        const std::int64_t upLast = last >> fanShift;
        if (upFirst >= upLast || upLast > nodeCount(level + 1)) {
            mergeNodes(level, first, last);
            return;
        }
        if (!mergeNodes(level, first, upFirst << fanShift) ||
            !mergeNodes(level, upLast << fanShift, last))
            return;
        first = upFirst;
        last = upLast;
    }
}

} // namespace voltarix::chart
