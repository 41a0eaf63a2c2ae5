#pragma once

#include <QPainter>
#include <QStringList>

namespace voltarix::chart {

class AnnotationRows;
struct AnnotationSpan;
class ChartFrame;
class ChartModel;

// Draws the annotation rows of a chart in the band the frame keeps under the plot: each
// annotation a box over the x it covers with the longest of its texts that fits, the rows'
// names at the left. Only the spans of the page are asked for and drawn.
class AnnotationPainter {
public:
    AnnotationPainter(const ChartModel& model, const ChartFrame& frame, QPainter& painter);

    void paint();

    // The longest of `texts` (longest first) that fits `width`; failing that, the shortest
    // shortened with an ellipsis, or nothing when not even that leaves a character.
    static QString fittingText(const QStringList& texts, double width,
                               const QFontMetricsF& metrics);

private:
    void paintRow(const AnnotationRows& rows, int row);
    void paintSpan(const AnnotationSpan& span, const QRectF& lane);
    void paintName(const QString& name, const QRectF& lane);
    double deviceX(double x) const;

    const ChartModel& model_;
    const ChartFrame& frame_;
    QPainter& painter_;
};

} // namespace voltarix::chart
