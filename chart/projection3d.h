#pragma once

#include "chart/view3d_options.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

namespace voltarix::chart {

// Maps chart space onto the paint device. Chart space is the plot's front rectangle in pixels
// with z going back into the screen, 0 at the front plane and `depth` at the back wall. Flat
// charts map straight through; 3D charts are rotated, tilted, seen in perspective (or obliquely
// when orthogonal), fitted into the available rectangle, zoomed about its centre and offset.
class Projection3D {
public:
    // The identity: a 2D chart whose front rectangle is `front`.
    static Projection3D flat(const QRectF& front);
    // A 3D box of `front` and `depth`, fitted into `front` (which it then no longer fills).
    static Projection3D box(const QRectF& front, double depth, const View3DOptions& options);

    QPointF map(double x, double y, double z) const;
    QPointF map(const QPointF& p, double z) const { return map(p.x(), p.y(), z); }
    QPolygonF mapRect(const QRectF& r, double z) const;
    // A face of constant y (floor or ceiling) from z0 to z1.
    QPolygonF mapFloor(double x0, double x1, double y, double z0, double z1) const;

    bool isFlat() const { return flat_; }
    const QRectF& front() const { return front_; }
    double depth() const { return depth_; }
    // How much text grows with the zoom.
    double textScale() const { return textScale_; }

private:
    QPointF raw(double x, double y, double z) const;
    void fitInto(const QRectF& target);

    QRectF front_;
    View3DOptions options_;
    double depth_ = 0;
    double cosRotation_ = 1, sinRotation_ = 0, cosElevation_ = 1, sinElevation_ = 0;
    double viewerDistance_ = 0; // 0: no perspective
    double fitScale_ = 1;
    QPointF fitOffset_;
    double zoom_ = 1;
    QPointF zoomCentre_;
    QPointF offset_;
    double textScale_ = 1;
    bool flat_ = true;
};

} // namespace voltarix::chart
