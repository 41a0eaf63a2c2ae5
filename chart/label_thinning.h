#pragma once

#include <cstdint>

namespace voltarix::chart {

// Chooses label steps so that neighbouring labels never overlap.
class LabelThinning {
public:
    static constexpr double kGap = 6;

    // Step between labelled points: the smallest of 1, 2, 5, 10, 20, 50 ... (or of the multiples
    // 1, 2, 5, 10 ... of `increment` when it is above zero) whose labels stand at least
    // `labelExtent` plus a gap apart.
    static std::int64_t pointStep(double pixelsPerPoint, double labelExtent, double increment);
    // The same for value labels along a continuous axis; steps may be fractions.
    static double valueStep(double pixelsPerUnit, double labelExtent, double increment);
    // First multiple of `step` at or above `value`.
    static double firstMultiple(double value, double step);
};

} // namespace voltarix::chart
