#include "chart/colour_runs.h"

#include <algorithm>

namespace voltarix::chart {

std::size_t ColourRuns::runIndexOf(std::int64_t index) const {
    auto after = std::upper_bound(runs_.begin(), runs_.end(), index,
                                  [](std::int64_t i, const Run& run) { return i < run.first; });
    return static_cast<std::size_t>(after - runs_.begin()) - 1;
}

QRgb ColourRuns::at(std::int64_t index) const {
    if (index < 0 || index >= size_)
        return 0;
    return runs_[runIndexOf(index)].colour;
}

} // namespace voltarix::chart
