#include "chart/chart.h"

#include "chart/chart_error.h"
#include "chart/chart_renderer.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace voltarix::chart {

Chart::Chart(QWidget* parent)
    : QWidget(parent), repaintTimer_(new QTimer(this)), zoomTimer_(new QTimer(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    repaintTimer_->setSingleShot(true);
    repaintTimer_->setInterval(kRepaintIntervalMs);
    connect(repaintTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    zoomTimer_->setInterval(kRepaintIntervalMs);
    connect(zoomTimer_, &QTimer::timeout, this, &Chart::stepZoomAnimation);
    model_.changeSignal().setListener([this] { scheduleRepaint(); });
}

Chart::~Chart() {
    model_.changeSignal().setListener({});
}

void Chart::scheduleRepaint() {
    if (!repaintTimer_->isActive())
        repaintTimer_->start();
}

void Chart::render(QPainter& painter, const QRect& bounds) const {
    ChartRenderer::render(model_, painter, bounds);
}

// Drawn at the screen's device pixel ratio: a scaled screen shows more pixels than the
// widget's size counts, and the picture keeps every one of them.
QImage Chart::toImage() const {
    const qreal ratio = devicePixelRatioF();
    QImage image((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.setFont(font());
    render(painter, rect());
    return image;
}

void Chart::saveBitmap(const QString& fileName) const {
    if (!toImage().save(fileName, "BMP"))
        throw ChartError(QStringLiteral("Cannot create file %1").arg(fileName).toStdString());
}

void Chart::paintEvent(QPaintEvent*) {
    model_.changeSignal().clear();
    ++paintCount_;
    QPainter painter(this);
    render(painter, rect());
    paintSelection(painter);
}

// Drawn by inverting what lies beneath, so it shows on any background.
void Chart::paintSelection(QPainter& painter) const {
    if (!selectionStart_)
        return;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(*selectionStart_, selectionEnd_).normalized());
}

ChartFrame Chart::currentFrame() const {
    return ChartFrame(model_, QRectF(rect()), QFontMetricsF(font()));
}

// In 3D the front face is mapped linearly onto its bounding box on screen; near enough for
// choosing a range with the mouse.
QPointF Chart::toChartSpace(const QPointF& widgetPoint) const {
    const ChartFrame frame = currentFrame();
    const QRectF device = frame.devicePlotRect();
    const QRectF& plot = frame.plot();
    if (device.width() <= 0 || device.height() <= 0)
        return widgetPoint;
    return {plot.left() + (widgetPoint.x() - device.left()) / device.width() * plot.width(),
            plot.top() + (widgetPoint.y() - device.top()) / device.height() * plot.height()};
}

ViewNavigation::Ranges Chart::currentRanges() const {
    return {model_.bottomAxis().range(), model_.leftAxis().range()};
}

void Chart::applyRanges(const ViewNavigation::Ranges& ranges) {
    model_.bottomAxis().setMinMax(ranges.x.minimum, ranges.x.maximum);
    model_.leftAxis().setMinMax(ranges.y.minimum, ranges.y.maximum);
}

void Chart::rememberView() {
    if (saved_)
        return;
    const ChartAxis& x = model_.bottomAxis();
    const ChartAxis& y = model_.leftAxis();
    saved_ = SavedView{{x.automatic(), x.range()}, {y.automatic(), y.range()}};
}

void Chart::zoomTo(const QRect& rect) {
    const ChartFrame frame = currentFrame();
    const QRectF selection(toChartSpace(rect.topLeft()), toChartSpace(rect.bottomRight()));
    rememberView();
    zoomFrom_ = currentRanges();
    zoomTarget_ = ViewNavigation::zoomedTo(selection, frame.x(), frame.y());
    zoomStep_ = 0;
    if (!model_.animatedZoom()) {
        applyRanges(zoomTarget_);
        return;
    }
    zoomTimer_->start();
}

void Chart::stepZoomAnimation() {
    ++zoomStep_;
    const double t = static_cast<double>(zoomStep_) / kZoomSteps;
    applyRanges(ViewNavigation::interpolated(zoomFrom_, zoomTarget_, std::min(t, 1.0)));
    if (zoomStep_ >= kZoomSteps)
        zoomTimer_->stop();
}

void Chart::undoZoom() {
    zoomTimer_->stop();
    if (!saved_)
        return;
    const SavedView view = *saved_;
    saved_.reset();
    ChartAxis& x = model_.bottomAxis();
    ChartAxis& y = model_.leftAxis();
    x.setMinMax(view.x.range.minimum, view.x.range.maximum);
    y.setMinMax(view.y.range.minimum, view.y.range.maximum);
    x.setAutomatic(view.x.automatic);
    y.setAutomatic(view.y.automatic);
}

void Chart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && zoomEnabled_) {
        selectionStart_ = event->position().toPoint();
        selectionEnd_ = *selectionStart_;
    } else if (event->button() == Qt::RightButton && model_.allowPanning() != Panning::None) {
        panLast_ = event->position().toPoint();
    }
    QWidget::mousePressEvent(event);
}

void Chart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (selectionStart_) {
        selectionEnd_ = at;
        update();
    }
    if (panLast_) {
        const ChartFrame frame = currentFrame();
        const QPointF delta = toChartSpace(at) - toChartSpace(*panLast_);
        rememberView();
        applyRanges(ViewNavigation::pannedBy(currentRanges(), delta, frame.x(), frame.y(),
                                             model_.allowPanning()));
        panLast_ = at;
    }
    QWidget::mouseMoveEvent(event);
}

void Chart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && selectionStart_) {
        const QPoint start = *selectionStart_;
        const QPoint end = event->position().toPoint();
        selectionStart_.reset();
        update();
        if (ViewNavigation::isUndoGesture(start, end))
            undoZoom();
        else if (!ViewNavigation::isClick(start, end))
            zoomTo(QRect(start, end).normalized());
    } else if (event->button() == Qt::RightButton) {
        panLast_.reset();
    }
    QWidget::mouseReleaseEvent(event);
}

void Chart::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace voltarix::chart
