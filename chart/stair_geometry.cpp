#include "chart/stair_geometry.h"

#include <algorithm>
#include <utility>

namespace voltarix::chart {

namespace {

class LineBuilder {
public:
    LineBuilder(const ScaleMap& y, bool stairs, bool perPixel)
        : y_(y), stairs_(stairs), perPixel_(perPixel) {}

    void start(const ReducedSeries::Column& c) {
        x_ = c.pixel;
        level_ = y_.toPixel(c.lastY);
        started_ = true;
    }

    void add(const ReducedSeries::Column& c) {
        if (!started_) {
            addSpread(c, y_.toPixel(c.minY), y_.toPixel(c.maxY));
            start(c);
            return;
        }
        const double last = y_.toPixel(c.lastY);
        // In pixels the order of the levels depends on the axis direction: sort, don't assume.
        double low = std::min(y_.toPixel(c.minY), y_.toPixel(c.maxY));
        double high = std::max(y_.toPixel(c.minY), y_.toPixel(c.maxY));
        if (stairs_) {
            low = std::min(low, level_);
            high = std::max(high, level_);
        }
        if (!extendBand(c, low, high)) {
            push({x_, level_, c.pixel, stairs_ ? level_ : last}, c.colour);
            addSpread(c, low, high);
        }
        x_ = c.pixel;
        level_ = last;
    }

    StairShapes take() { return {std::move(lines_), std::move(bands_)}; }

private:
    // The next column over the same levels, right beside the band: the step into it lies
    // inside the band too.
    bool extendBand(const ReducedSeries::Column& c, double low, double high) {
        if (bands_.empty() || low == high)
            return false;
        ColouredBand& band = bands_.back();
        if (band.right != x_ || c.pixel != x_ + 1 || band.top != low || band.bottom != high ||
            band.colour != c.colour)
            return false;
        band.right = c.pixel;
        return true;
    }

    void addSpread(const ReducedSeries::Column& c, double a, double b) {
        if (a == b)
            return;
        if (a > b)
            std::swap(a, b);
        if (perPixel_)
            bands_.push_back({c.pixel, c.pixel, a, b, c.colour});
        else
            push({c.pixel, a, c.pixel, b}, c.colour);
    }
    // A level that runs on through several columns becomes one line, not one per column.
    void push(const QLineF& line, QRgb colour) {
        if (line.p1() == line.p2())
            return;
        if (!lines_.empty()) {
            ColouredLine& last = lines_.back();
            if (last.colour == colour && last.line.p2() == line.p1() &&
                last.line.y1() == last.line.y2() && line.y1() == line.y2()) {
                last.line.setP2(line.p2());
                return;
            }
        }
        lines_.push_back({line, colour});
    }

    const ScaleMap& y_;
    std::vector<ColouredLine> lines_;
    std::vector<ColouredBand> bands_;
    double x_ = 0;
    double level_ = 0;
    bool stairs_;
    bool perPixel_;
    bool started_ = false;
};

} // namespace

StairShapes StairGeometry::build(const ReducedSeries& reduced, const ScaleMap& y, bool stairs) {
    LineBuilder builder(y, stairs, reduced.perPixel);
    if (reduced.hasLeadIn)
        builder.start(reduced.leadIn);
    for (const auto& column : reduced.columns)
        builder.add(column);
    if (reduced.hasTrailing)
        builder.add(reduced.trailing);
    return builder.take();
}

} // namespace voltarix::chart
