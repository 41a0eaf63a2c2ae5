#pragma once

#include "chart/axis_range.h"

namespace voltarix::chart {

// Maps an axis interval onto a pixel interval, either way. A range of zero width is shown as
// one unit wide instead of dividing by zero.
class ScaleMap {
public:
    ScaleMap() = default;
    ScaleMap(AxisRange range, double pixelFrom, double pixelTo)
        : value0_(range.minimum), pixel0_(pixelFrom) {
        const double span = range.span() > 0 ? range.span() : 1.0;
        scale_ = (pixelTo - pixelFrom) / span;
    }

    double toPixel(double value) const { return pixel0_ + (value - value0_) * scale_; }
    double toValue(double pixel) const { return value0_ + (pixel - pixel0_) / scale_; }
    // Pixels per axis unit, signed.
    double scale() const { return scale_; }

private:
    double value0_ = 0;
    double pixel0_ = 0;
    double scale_ = 1;
};

} // namespace voltarix::chart
