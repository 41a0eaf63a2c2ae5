#include "chart/view_navigation.h"

#include <algorithm>
#include <cmath>

namespace voltarix::chart {

namespace {
constexpr double kClickDistance = 3;

AxisRange ordered(double a, double b) {
    return {std::min(a, b), std::max(a, b)};
}

AxisRange lerp(const AxisRange& a, const AxisRange& b, double t) {
    return {a.minimum + (b.minimum - a.minimum) * t, a.maximum + (b.maximum - a.maximum) * t};
}
} // namespace

bool ViewNavigation::isClick(const QPointF& press, const QPointF& release) {
    return std::abs(release.x() - press.x()) < kClickDistance &&
           std::abs(release.y() - press.y()) < kClickDistance;
}

bool ViewNavigation::isUndoGesture(const QPointF& press, const QPointF& release) {
    return !isClick(press, release) && (release.x() < press.x() || release.y() < press.y());
}

ViewNavigation::Ranges ViewNavigation::zoomedTo(const QRectF& selection, const ScaleMap& x,
                                                const ScaleMap& y) {
    return {ordered(x.toValue(selection.left()), x.toValue(selection.right())),
            ordered(y.toValue(selection.top()), y.toValue(selection.bottom()))};
}

ViewNavigation::Ranges ViewNavigation::pannedBy(const Ranges& now, const QPointF& delta,
                                                const ScaleMap& x, const ScaleMap& y,
                                                Panning panning) {
    Ranges result = now;
    const bool horizontal = panning == Panning::Horizontal || panning == Panning::Both;
    const bool vertical = panning == Panning::Vertical || panning == Panning::Both;
    if (horizontal)
        result.x = now.x.shifted(-delta.x() / x.scale());
    if (vertical)
        result.y = now.y.shifted(-delta.y() / y.scale());
    return result;
}

ViewNavigation::Ranges ViewNavigation::interpolated(const Ranges& from, const Ranges& to,
                                                    double t) {
    return {lerp(from.x, to.x, t), lerp(from.y, to.y, t)};
}

} // namespace voltarix::chart
