#include "chart/label_thinning.h"

#include <algorithm>
#include <cmath>

namespace voltarix::chart {

namespace {

constexpr double kLargestStep = 1e15;

// The first of 1, 2, 5, 10, 20, 50 ... times `base` that is at least `needed`.
double niceStepAtLeast(double base, double needed) {
    needed = std::min(needed, kLargestStep);
    double decade = base;
    while (decade < kLargestStep) {
        for (double factor : {1.0, 2.0, 5.0}) {
            if (decade * factor >= needed)
                return decade * factor;
        }
        decade *= 10;
    }
    return kLargestStep;
}

} // namespace

std::int64_t LabelThinning::pointStep(double pixelsPerPoint, double labelExtent, double increment) {
    const double base = increment >= 1 ? std::round(increment) : 1.0;
    const double perPoint = std::abs(pixelsPerPoint);
    const double needed = perPoint > 0 ? (labelExtent + kGap) / perPoint : 1e18;
    return static_cast<std::int64_t>(niceStepAtLeast(base, needed));
}

double LabelThinning::valueStep(double pixelsPerUnit, double labelExtent, double increment) {
    const double perUnit = std::abs(pixelsPerUnit);
    const double needed = perUnit > 0 ? (labelExtent + kGap) / perUnit : 1e18;
    if (increment > 0)
        return niceStepAtLeast(increment, needed);
    const double bounded = std::clamp(needed, 1e-12, kLargestStep);
    return niceStepAtLeast(std::pow(10.0, std::floor(std::log10(bounded))), bounded);
}

double LabelThinning::firstMultiple(double value, double step) {
    return std::ceil(value / step - 1e-9) * step;
}

} // namespace voltarix::chart
