#include "chart/colour_runs.h"

#include <algorithm>

namespace voltarix::chart {

QRgb ColourRuns::at(std::int64_t index) const {
    auto after = std::upper_bound(runs_.begin(), runs_.end(), index,
                                  [](std::int64_t i, const Run& run) { return i < run.first; });
    return after == runs_.begin() ? 0 : (after - 1)->colour;
}

} // namespace voltarix::chart
