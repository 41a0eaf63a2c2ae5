#include "pictures/wmf/wmf_paint_engine.h"

#include "pictures/wmf/wmf_record_writer.h"
#include "pictures/wmf/wmf_text_encoding.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <cmath>

namespace voltarix::pictures {

namespace {

constexpr std::size_t dibHeaderBytes = 40;
constexpr std::uint16_t weightNormal = 400;

std::int16_t toWord(double value) {
    return static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

WmfColour colourOf(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return wmfColour(rgb.red(), rgb.green(), rgb.blue());
}

std::uint16_t penStyle(Qt::PenStyle style) {
    switch (style) {
    case Qt::NoPen:
        return WmfRecordWriter::penNull;
    case Qt::DashLine:
        return WmfRecordWriter::penDash;
    case Qt::DotLine:
        return WmfRecordWriter::penDot;
    case Qt::DashDotLine:
        return WmfRecordWriter::penDashDot;
    case Qt::DashDotDotLine:
        return WmfRecordWriter::penDashDotDot;
    default:
        return WmfRecordWriter::penSolid;
    }
}

// A gradient has no metafile brush; its first colour stands for it.
QColor brushColour(const QBrush& brush) {
    if (const QGradient* gradient = brush.gradient(); gradient && !gradient->stops().isEmpty())
        return gradient->stops().first().second;
    return brush.color();
}

double transformScale(const QTransform& transform) {
    return std::hypot(transform.m12(), transform.m22());
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// A 24-bit bottom-up device-independent bitmap: info header, then the rows
// from the last up, each padded to whole 32-bit words.
std::vector<std::uint8_t> toDib(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const auto width = static_cast<std::uint32_t>(rgb.width());
    const auto height = static_cast<std::uint32_t>(rgb.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3u;
    std::vector<std::uint8_t> dib;
    dib.reserve(dibHeaderBytes + stride * height);
    put32(dib, dibHeaderBytes);
    put32(dib, width);
    put32(dib, height);
    put16(dib, 1);  // planes
    put16(dib, 24); // bits per pixel
    put32(dib, 0);  // not compressed
    put32(dib, stride * height);
    put32(dib, 0);
    put32(dib, 0);
    put32(dib, 0);
    put32(dib, 0);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const uchar* line = rgb.constScanLine(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            dib.push_back(line[3 * x + 2]);
            dib.push_back(line[3 * x + 1]);
            dib.push_back(line[3 * x]);
        }
        dib.insert(dib.end(), stride - width * 3, 0);
    }
    return dib;
}

std::vector<WmfPoint> toPoints(const QPolygonF& polygon) {
    std::vector<WmfPoint> points;
    points.reserve(static_cast<std::size_t>(polygon.size()));
    for (const QPointF& p : polygon)
        points.push_back({toWord(p.x()), toWord(p.y())});
    return points;
}

} // namespace

WmfPaintEngine::WmfPaintEngine(WmfRecordWriter& writer)
    : QPaintEngine(PrimitiveTransform | PainterPaths | PixmapTransform | AlphaBlend | Antialiasing |
                   BrushStroke | ConstantOpacity | MaskedBrush | PatternBrush | LinearGradientFill |
                   RadialGradientFill | ConicalGradientFill | PorterDuff | PerspectiveTransform |
                   BlendModes | ObjectBoundingModeGradients | RasterOpModes),
      writer_(writer), objects_(writer) {}

bool WmfPaintEngine::begin(QPaintDevice* device) {
    device_ = device;
    dpi_ = device->logicalDpiY();
    writer_.setWindowOrg({0, 0});
    writer_.setWindowExt(toWord(device->width()), toWord(device->height()));
    resetDeviceState();
    setActive(true);
    return true;
}

bool WmfPaintEngine::end() {
    useClip(std::nullopt);
    setActive(false);
    return true;
}

void WmfPaintEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen)
        pen_ = state.pen();
    if (flags & DirtyBrush)
        brush_ = state.brush();
    if (flags & DirtyTransform)
        transform_ = state.transform();
    if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled | DirtyTransform)) {
        QPainter* p = painter();
        // A clip that is no rectangle is kept to its bounding rectangle.
        if (p && p->hasClipping())
            useClip(p->combinedTransform().mapRect(p->clipBoundingRect()).toRect());
        else
            useClip(std::nullopt);
    }
}

WmfPoint WmfPaintEngine::toDevice(const QPointF& point) const {
    const QPointF p = transform_.map(point);
    return {toWord(p.x()), toWord(p.y())};
}

// Some players (libwmf) give a freshly saved device state the default
// background mode, text alignment and colours instead of copying them, so
// they are set again after every save and restore.
void WmfPaintEngine::resetDeviceState() {
    writer_.setBkMode(WmfRecordWriter::transparentBackground);
    writer_.setTextAlign(WmfRecordWriter::alignBaseline);
    fillMode_.reset();
    textColour_.reset();
}

// The clip lives in a saved device state, so that a wider clip later can undo it.
void WmfPaintEngine::useClip(const std::optional<QRect>& clip) {
    if (clip == clip_)
        return;
    if (objects_.stateSaved()) {
        objects_.restoreState();
        resetDeviceState();
    }
    clip_ = clip;
    if (!clip)
        return;
    objects_.saveState();
    resetDeviceState();
    writer_.intersectClipRect({toWord(clip->left()), toWord(clip->top()),
                               toWord(clip->left() + clip->width()),
                               toWord(clip->top() + clip->height())});
}

void WmfPaintEngine::usePen(const QPen& pen) {
    const std::uint16_t style = penStyle(pen.style());
    const bool thin = pen.isCosmetic() || pen.widthF() <= 1;
    const std::int16_t width =
        thin ? std::int16_t{0} : toWord(pen.widthF() * transformScale(transform_));
    const WmfColour colour = colourOf(pen.color());
    const std::string key =
        std::to_string(style) + ':' + std::to_string(width) + ':' + std::to_string(colour);
    objects_.use(WmfObjectSelection::Pen, key,
                 [&] { return writer_.createPen(style, width, colour); });
}

void WmfPaintEngine::useBrush(const QBrush& brush) {
    const bool none = brush.style() == Qt::NoBrush || brushColour(brush).alpha() == 0;
    const std::uint16_t style = none ? WmfRecordWriter::brushNull : WmfRecordWriter::brushSolid;
    const WmfColour colour = none ? 0 : colourOf(brushColour(brush));
    const std::string key = std::to_string(style) + ':' + std::to_string(colour);
    objects_.use(WmfObjectSelection::Brush, key,
                 [&] { return writer_.createBrush(style, colour); });
}

void WmfPaintEngine::useFont(const QFont& font, std::uint8_t charSet) {
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi_ / 72;
    WmfLogFont logFont;
    logFont.height = toWord(-pixels * transformScale(transform_));
    logFont.weight = static_cast<std::int16_t>(font.weight());
    logFont.italic = font.italic();
    logFont.underline = font.underline();
    logFont.strikeOut = font.strikeOut();
    logFont.charSet = charSet;
    logFont.faceName = QFontInfo(font).family().toStdString();
    if (logFont.weight <= 0)
        logFont.weight = weightNormal;
    const std::string key =
        logFont.faceName + ':' + std::to_string(logFont.height) + ':' +
        std::to_string(logFont.weight) + ':' +
        std::to_string(logFont.italic << 2 | logFont.underline << 1 | logFont.strikeOut) + ':' +
        std::to_string(charSet);
    objects_.use(WmfObjectSelection::Font, key, [&] { return writer_.createFont(logFont); });
}

void WmfPaintEngine::useFillMode(std::uint16_t mode) {
    if (fillMode_ == mode)
        return;
    writer_.setPolyFillMode(mode);
    fillMode_ = mode;
}

void WmfPaintEngine::useTextColour(const QColor& colour) {
    const QRgb rgb = colour.rgb();
    if (textColour_ == rgb)
        return;
    writer_.setTextColor(colourOf(colour));
    textColour_ = rgb;
}

void WmfPaintEngine::polylineInPieces(const std::vector<WmfPoint>& points) {
    // Pieces overlap by one point, so the line stays unbroken.
    std::size_t from = 0;
    while (from + 1 < points.size()) {
        const std::size_t count = std::min(WmfRecordWriter::maxPoints, points.size() - from);
        writer_.polyline(std::span(points).subspan(from, count));
        from += count - 1;
    }
}

// Lines that continue one another become one polyline.
void WmfPaintEngine::drawLines(const QLineF* lines, int lineCount) {
    if (pen_.style() == Qt::NoPen || lineCount <= 0)
        return;
    if (dashed()) {
        for (int i = 0; i < lineCount; ++i)
            drawDashes(transform_.map(QPolygonF({lines[i].p1(), lines[i].p2()})));
        return;
    }
    usePen(pen_);
    std::vector<WmfPoint> run;
    for (int i = 0; i < lineCount; ++i) {
        const WmfPoint a = toDevice(lines[i].p1());
        const WmfPoint b = toDevice(lines[i].p2());
        const bool continues = !run.empty() && run.back().x == a.x && run.back().y == a.y;
        if (!continues) {
            polylineInPieces(run);
            run.assign({a});
        }
        run.push_back(b);
    }
    polylineInPieces(run);
}

bool WmfPaintEngine::dashed() const {
    return pen_.style() != Qt::SolidLine && pen_.style() != Qt::NoPen;
}

// Players differ in what they paint into the gaps of a dashed pen (libwmf
// paints them in the background colour even in transparent mode), so the
// dashes are written as short solid lines, in the painter's own pattern.
void WmfPaintEngine::drawDashes(const QPolygonF& outline) {
    const QList<qreal> pattern = pen_.dashPattern();
    if (pattern.isEmpty() || outline.size() < 2)
        return;
    const double unit =
        pen_.isCosmetic() || pen_.widthF() <= 1 ? 1.0 : pen_.widthF() * transformScale(transform_);
    QPen solid = pen_;
    solid.setStyle(Qt::SolidLine);
    usePen(solid);
    qsizetype element = 0;
    double left = pattern[0] * unit; // of the current dash or gap
    for (qsizetype i = 0; i + 1 < outline.size(); ++i) {
        const QLineF segment(outline[i], outline[i + 1]);
        const double length = segment.length();
        double at = 0;
        while (at < length) {
            const double step = std::min(left, length - at);
            if (element % 2 == 0 && step > 0) {
                const QPointF from = segment.pointAt(at / length);
                const QPointF to = segment.pointAt((at + step) / length);
                const std::vector<WmfPoint> dash{{toWord(from.x()), toWord(from.y())},
                                                 {toWord(to.x()), toWord(to.y())}};
                writer_.polyline(dash);
            }
            at += step;
            left -= step;
            if (left <= 1e-9) {
                element = (element + 1) % pattern.size();
                left = pattern[element] * unit;
            }
        }
    }
}

// The device leaves out a rectangle's right and bottom edge; one more unit
// each covers the pixels the painter covers, outlined or only filled.
void WmfPaintEngine::drawRects(const QRectF* rects, int rectCount) {
    if (transform_.type() > QTransform::TxScale) {
        for (int i = 0; i < rectCount; ++i)
            drawPolygon(QPolygonF(rects[i]).constData(), 4, ConvexMode);
        return;
    }
    usePen(dashed() ? QPen(Qt::NoPen) : pen_);
    useBrush(brush_);
    for (int i = 0; i < rectCount; ++i) {
        const QRectF r = transform_.mapRect(rects[i]).normalized();
        if (brush_.style() != Qt::NoBrush || !dashed())
            writer_.rectangle(
                {toWord(r.left()), toWord(r.top()), toWord(r.right() + 1), toWord(r.bottom() + 1)});
        if (dashed())
            drawDashes(QPolygonF(r)); // closed: it ends where it starts
    }
}

void WmfPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
    if (pointCount <= 0)
        return;
    const QPolygonF polygon =
        transform_.map(QPolygonF(QList<QPointF>(points, points + pointCount)));
    if (mode == PolylineMode) {
        strokeOutline(polygon);
        return;
    }
    usePen(dashed() ? QPen(Qt::NoPen) : pen_);
    useBrush(brush_);
    useFillMode(mode == WindingMode ? WmfRecordWriter::windingFill
                                    : WmfRecordWriter::alternateFill);
    writer_.polygon(toPoints(polygon));
    if (dashed())
        drawDashes(polygon + QPolygonF({polygon.first()}));
}

void WmfPaintEngine::drawPath(const QPainterPath& path) {
    const QList<QPolygonF> outlines = path.toSubpathPolygons(transform_);
    if (outlines.isEmpty())
        return;
    if (brush_.style() == Qt::NoBrush) {
        for (const QPolygonF& outline : outlines)
            strokeOutline(outline);
        return;
    }
    usePen(dashed() ? QPen(Qt::NoPen) : pen_);
    useBrush(brush_);
    useFillMode(path.fillRule() == Qt::WindingFill ? WmfRecordWriter::windingFill
                                                   : WmfRecordWriter::alternateFill);
    std::vector<std::vector<WmfPoint>> shapes;
    for (const QPolygonF& outline : outlines)
        shapes.push_back(toPoints(outline));
    if (shapes.size() == 1)
        writer_.polygon(shapes.front());
    else
        writer_.polyPolygon(shapes);
    if (dashed()) {
        for (const QPolygonF& outline : outlines)
            drawDashes(outline);
    }
}

// An outline in device coordinates, drawn with the pen alone.
void WmfPaintEngine::strokeOutline(const QPolygonF& outline) {
    if (pen_.style() == Qt::NoPen)
        return;
    if (dashed()) {
        drawDashes(outline);
        return;
    }
    usePen(pen_);
    polylineInPieces(toPoints(outline));
}

void WmfPaintEngine::drawPoints(const QPointF* points, int pointCount) {
    if (pen_.style() == Qt::NoPen)
        return;
    const WmfColour colour = colourOf(pen_.color());
    for (int i = 0; i < pointCount; ++i)
        writer_.setPixel(toDevice(points[i]), colour);
}

void WmfPaintEngine::drawTextItem(const QPointF& at, const QTextItem& textItem) {
    const QString text = textItem.text();
    if (text.isEmpty())
        return;
    const WmfText encoded = toMetafileText(text);
    useFont(textItem.font(), encoded.charSet);
    useTextColour(pen_.color());
    writer_.extTextOut(toDevice(at), encoded.bytes, advances(textItem.font(), text));
}

// Each character's advance in whole units, rounded so that the errors do not add up.
std::vector<std::int16_t> WmfPaintEngine::advances(const QFont& font, const QString& text) const {
    const QFontMetricsF metrics(font, device_);
    const double scale = transformScale(transform_);
    std::vector<std::int16_t> result;
    result.reserve(static_cast<std::size_t>(text.size()));
    double position = 0;
    for (QChar c : text) {
        const double next = position + metrics.horizontalAdvance(c) * scale;
        result.push_back(static_cast<std::int16_t>(std::lround(next) - std::lround(position)));
        position = next;
    }
    return result;
}

void WmfPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
    drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

void WmfPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                               Qt::ImageConversionFlags) {
    const QImage part = image.copy(source.toAlignedRect());
    if (part.isNull())
        return;
    const QRectF r = transform_.mapRect(target);
    writer_.stretchDib({toWord(r.left()), toWord(r.top()), toWord(r.right()), toWord(r.bottom())},
                       toWord(part.width()), toWord(part.height()), toDib(part));
}

} // namespace voltarix::pictures
