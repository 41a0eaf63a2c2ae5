#include "chart/chart_renderer.h"

#include "chart/annotation_painter.h"
#include "chart/axis_painter.h"
#include "chart/chart_model.h"
#include "chart/series_painter.h"

namespace voltarix::chart {

namespace {

QFont scaledFont(QFont font, const ChartModel& model) {
    if (!model.view3D() || !model.view3DOptions().zoomScalesText)
        return font;
    const double scale = model.view3DOptions().zoom / 100.0;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * scale));
    else
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
    return font;
}

} // namespace

ChartFrame ChartRenderer::render(const ChartModel& model, QPainter& painter, const QRect& bounds) {
    painter.save();
    painter.setClipRect(bounds);
    painter.setRenderHint(QPainter::Antialiasing, model.view3D());
    painter.setFont(scaledFont(painter.font(), model));
    painter.fillRect(bounds, model.frameColour());
    const ChartFrame frame(model, QRectF(bounds), QFontMetricsF(painter.font()));
    AxisPainter axes(model, frame, painter);
    axes.paintWalls();
    axes.paintGrid();
    SeriesPainter(model, frame, painter).paint();
    AnnotationPainter(model, frame, painter).paint();
    axes.paintAxes();
    painter.restore();
    return frame;
}

} // namespace voltarix::chart
