#pragma once

#include "chart/chart_frame.h"
#include "chart/chart_model.h"
#include "chart/view_navigation.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QTimer;

namespace voltarix::chart {

// The chart widget. Appending points never paints: a change starts a single-shot timer and the
// widget repaints at most once per screen frame, however fast points arrive. The left button
// drags a zoom rectangle (dragging up or left undoes the zoom and any panning), the right button
// pans.
class Chart : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRepaintIntervalMs = 16;
    static constexpr int kZoomSteps = 8;

    explicit Chart(QWidget* parent = nullptr);
    ~Chart() override;

    ChartModel& model() { return model_; }
    const ChartModel& model() const { return model_; }
    ChartSeries& addSeries(SeriesKind kind, const QString& name = {}) {
        return model_.addSeries(kind, name);
    }
    void appendPoint(int series, double y, const PointLabel& label, QRgb colour) {
        model_.appendPoint(series, y, label, colour);
    }
    // The level traces; see ChartModel::addLevelTraces.
    int addLevelTraces(std::span<const TraceLevels> traces) {
        return model_.addLevelTraces(traces);
    }
    void appendLevels(std::uint32_t levels, const PointLabel& label,
                      std::span<const QRgb> colours) {
        model_.appendLevels(levels, label, colours);
    }
    ChartAxis& bottomAxis() { return model_.bottomAxis(); }
    ChartAxis& leftAxis() { return model_.leftAxis(); }

    // The chart as on screen, onto any paint device.
    void render(QPainter& painter, const QRect& bounds) const;
    // The chart as on screen in an image, one pixel per device pixel.
    QImage toImage() const;
    // Writes the chart as on screen into a BMP file; ChartError when it cannot.
    void saveBitmap(const QString& fileName) const;

    // Zoom to a rectangle in widget pixels (animated when the model asks for it), and back.
    void zoomTo(const QRect& rect);
    void undoZoom();
    bool zoomed() const { return saved_.has_value(); }
    bool zoomEnabled() const { return zoomEnabled_; }
    void setZoomEnabled(bool enabled) { zoomEnabled_ = enabled; }

    // Paints done so far, for measuring how often the chart really repaints.
    int paintCount() const { return paintCount_; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct AxisState {
        bool automatic;
        AxisRange range;
    };
    struct SavedView {
        AxisState x;
        AxisState y;
    };

    void scheduleRepaint();
    ChartFrame currentFrame() const;
    QPointF toChartSpace(const QPointF& widgetPoint) const;
    ViewNavigation::Ranges currentRanges() const;
    void applyRanges(const ViewNavigation::Ranges& ranges);
    void rememberView();
    void stepZoomAnimation();
    void paintSelection(QPainter& painter) const;

    ChartModel model_;
    QTimer* repaintTimer_;
    QTimer* zoomTimer_;
    std::optional<SavedView> saved_;
    ViewNavigation::Ranges zoomFrom_{};
    ViewNavigation::Ranges zoomTarget_{};
    int zoomStep_ = 0;
    std::optional<QPoint> selectionStart_;
    QPoint selectionEnd_;
    std::optional<QPoint> panLast_;
    int paintCount_ = 0;
    bool zoomEnabled_ = true;
};

} // namespace voltarix::chart
