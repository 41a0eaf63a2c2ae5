#include "chart/projection3d.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace voltarix::chart {

namespace {
constexpr double kObliqueAngle = 45.0;

// The offsets move the picture within the chart, not out of it: the box is fitted into what
// is left of the front rectangle once the offset is taken off the side it moves towards.
// An offset larger than the chart is held to what leaves the box a pixel.
QPointF heldOffset(const QRectF& front, const View3DOptions& options) {
    return {std::clamp<double>(options.horizontalOffset, -front.width() + 1, front.width() - 1),
            std::clamp<double>(options.verticalOffset, -front.height() + 1, front.height() - 1)};
}

QRectF roomForOffset(const QRectF& front, const QPointF& offset) {
    return front.adjusted(std::max(0.0, -offset.x()), std::max(0.0, -offset.y()),
                          -std::max(0.0, offset.x()), -std::max(0.0, offset.y()));
}

} // namespace

Projection3D Projection3D::flat(const QRectF& front) {
    Projection3D p;
    p.front_ = front;
    return p;
}

Projection3D Projection3D::box(const QRectF& front, double depth, const View3DOptions& options) {
    Projection3D p;
    p.flat_ = false;
    p.front_ = front;
    p.options_ = options;
    p.depth_ = depth;
    const double rotation = qDegreesToRadians(options.orthogonal ? 0.0 : 360.0 - options.rotation);
    const double elevation =
        qDegreesToRadians(options.orthogonal ? 0.0 : 360.0 - options.elevation);
    p.cosRotation_ = std::cos(rotation);
    p.sinRotation_ = std::sin(rotation);
    p.cosElevation_ = std::cos(elevation);
    p.sinElevation_ = std::sin(elevation);
    if (!options.orthogonal && options.perspective > 0) {
        const double size = std::max(front.width(), front.height()) + depth;
        p.viewerDistance_ = size * 100.0 / options.perspective;
    }
    p.offset_ = heldOffset(front, options);
    p.fitInto(roomForOffset(front, p.offset_));
    p.zoom_ = options.zoom / 100.0;
    p.zoomCentre_ = front.center();
    p.textScale_ = options.zoomScalesText ? p.zoom_ : 1.0;
    return p;
}

// Relative to the box's centre: turn about the vertical axis, tilt about the horizontal one,
// then shrink with the distance from the viewer. Orthogonal: shift back planes up and right.
QPointF Projection3D::raw(double x, double y, double z) const {
    const QPointF c = front_.center();
    double dx = x - c.x();
    double dy = y - c.y();
    double dz = z - depth_ / 2;
    if (options_.orthogonal) {
        const double a = qDegreesToRadians(kObliqueAngle);
        return {dx + dz * std::cos(a), dy - dz * std::sin(a)};
    }
    const double rx = dx * cosRotation_ + dz * sinRotation_;
    const double rz = -dx * sinRotation_ + dz * cosRotation_;
    const double ty = dy * cosElevation_ - rz * sinElevation_;
    const double tz = dy * sinElevation_ + rz * cosElevation_;
    double scale = 1;
    if (viewerDistance_ > 0)
        scale = viewerDistance_ / std::max(viewerDistance_ + tz, viewerDistance_ * 0.05);
    return {rx * scale, ty * scale};
}

void Projection3D::fitInto(const QRectF& target) {
    double left = 0, right = 0, top = 0, bottom = 0;
    bool first = true;
    for (double z : {0.0, depth_}) {
        for (QPointF corner :
             {front_.topLeft(), front_.topRight(), front_.bottomLeft(), front_.bottomRight()}) {
            const QPointF p = raw(corner.x(), corner.y(), z);
            left = first ? p.x() : std::min(left, p.x());
            right = first ? p.x() : std::max(right, p.x());
            top = first ? p.y() : std::min(top, p.y());
            bottom = first ? p.y() : std::max(bottom, p.y());
            first = false;
        }
    }
    const double w = std::max(right - left, 1e-9);
    const double h = std::max(bottom - top, 1e-9);
    fitScale_ = std::min(target.width() / w, target.height() / h);
    const QPointF centre((left + right) / 2, (top + bottom) / 2);
    fitOffset_ = target.center() - centre * fitScale_;
}

QPointF Projection3D::map(double x, double y, double z) const {
    if (flat_)
        return {x, y};
    const QPointF fitted = raw(x, y, z) * fitScale_ + fitOffset_;
    return zoomCentre_ + (fitted - zoomCentre_) * zoom_ + offset_;
}

QPolygonF Projection3D::mapRect(const QRectF& r, double z) const {
    return QPolygonF({map(r.topLeft(), z), map(r.topRight(), z), map(r.bottomRight(), z),
                      map(r.bottomLeft(), z)});
}

QPolygonF Projection3D::mapFloor(double x0, double x1, double y, double z0, double z1) const {
    return QPolygonF({map(x0, y, z0), map(x1, y, z0), map(x1, y, z1), map(x0, y, z1)});
}

} // namespace voltarix::chart
