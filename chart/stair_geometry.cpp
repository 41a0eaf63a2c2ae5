#include "chart/stair_geometry.h"

#include <algorithm>

namespace voltarix::chart {

namespace {

class LineBuilder {
public:
    LineBuilder(const ScaleMap& y, bool stairs) : y_(y), stairs_(stairs) {}

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
            push({x_, level_, c.pixel, level_}, c.colour);
            low = std::min(low, level_);
            high = std::max(high, level_);
        } else {
            push({x_, level_, c.pixel, last}, c.colour);
        }
        addSpread(c, low, high);
        x_ = c.pixel;
        level_ = last;
    }

    std::vector<ColouredLine> take() { return std::move(lines_); }

private:
    void addSpread(const ReducedSeries::Column& c, double a, double b) {
        if (a != b)
            push({c.pixel, a, c.pixel, b}, c.colour);
    }
    void push(const QLineF& line, QRgb colour) {
        if (line.p1() != line.p2())
            lines_.push_back({line, colour});
    }

    const ScaleMap& y_;
    std::vector<ColouredLine> lines_;
    double x_ = 0;
    double level_ = 0;
    bool stairs_;
    bool started_ = false;
};

} // namespace

std::vector<ColouredLine> StairGeometry::lines(const ReducedSeries& reduced, const ScaleMap& y,
                                               bool stairs) {
    LineBuilder builder(y, stairs);
    if (reduced.hasLeadIn)
        builder.start(reduced.leadIn);
    for (const auto& column : reduced.columns)
        builder.add(column);
    if (reduced.hasTrailing)
        builder.add(reduced.trailing);
    return builder.take();
}

} // namespace voltarix::chart
