#pragma once

#include "pictures/wmf/wmf_object_selection.h"

#include <QBrush>
#include <QPaintEngine>
#include <QPen>
#include <QRectF>
#include <QTransform>

#include <optional>
#include <vector>

namespace voltarix::pictures {

class WmfRecordWriter;
struct WmfPoint;

// Turns what a QPainter draws into Windows metafile records: lines become
// polylines, rectangles, polygons and paths keep their outlines, text is
// written as text in its font, pictures as device-independent bitmaps. One
// logical unit is one device pixel.
class WmfPaintEngine : public QPaintEngine {
public:
    explicit WmfPaintEngine(WmfRecordWriter& writer);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;

    void drawLines(const QLineF* lines, int lineCount) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawPoints(const QPointF* points, int pointCount) override;
    void drawTextItem(const QPointF& at, const QTextItem& textItem) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    Type type() const override { return User; }

private:
    WmfPoint toDevice(const QPointF& point) const;
    void resetDeviceState();
    void useClip(const std::optional<QRect>& clip);
    void usePen(const QPen& pen);
    void useBrush(const QBrush& brush);
    void useFont(const QFont& font, std::uint8_t charSet);
    void useFillMode(std::uint16_t mode);
    void useTextColour(const QColor& colour);
    std::vector<std::int16_t> advances(const QFont& font, const QString& text) const;
    bool dashed() const;
    void drawDashes(const QPolygonF& outline);
    void strokeOutline(const QPolygonF& outline);
    void polylineInPieces(const std::vector<WmfPoint>& points);

    WmfRecordWriter& writer_;
    WmfObjectSelection objects_;
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    std::optional<QRect> clip_;
    std::optional<std::uint16_t> fillMode_;
    std::optional<QRgb> textColour_;
    int dpi_ = 96;
    QPaintDevice* device_ = nullptr;
};

} // namespace voltarix::pictures
