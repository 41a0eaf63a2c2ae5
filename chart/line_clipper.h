#pragma once

#include <QLineF>
#include <QRectF>

namespace voltarix::chart {

// Cuts a line to a rectangle before it is projected or drawn, so that no device (a metafile
// holds 16-bit coordinates) ever sees points far outside the plot.
class LineClipper {
public:
    explicit LineClipper(const QRectF& rect) : rect_(rect) {}
    // False when nothing of the line lies inside.
    bool clip(QLineF& line) const;

private:
    QRectF rect_;
};

} // namespace voltarix::chart
