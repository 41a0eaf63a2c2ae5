#include "chart/line_clipper.h"

#include <algorithm>

namespace voltarix::chart {

// Liang-Barsky: narrow the parameter interval [t0, t1] against each edge in turn.
bool LineClipper::clip(QLineF& line) const {
    const double dx = line.dx();
    const double dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - rect_.left(), rect_.right() - line.x1(),
                         line.y1() - rect_.top(), rect_.bottom() - line.y1()};
    double t0 = 0;
    double t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = line.p1();
    line = QLineF(start + QPointF(dx, dy) * t0, start + QPointF(dx, dy) * t1);
    return true;
}

} // namespace voltarix::chart
