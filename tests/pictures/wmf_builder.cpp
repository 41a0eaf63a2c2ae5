#include "wmf_builder.h"

#include <QtEndian>

namespace voltarix::testkit {

namespace {

enum Function : std::uint16_t {
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetMapMode = 0x0103,
    SetBkMode = 0x0102,
    SelectObject = 0x012D,
    DeleteObject = 0x01F0,
    CreatePenIndirect = 0x02FA,
    CreateBrushIndirect = 0x02FC,
    Rectangle = 0x041B,
    Polyline = 0x0325,
    Polygon = 0x0324,
    TextOut = 0x0521,
    EndOfFile = 0x0000,
};

void appendWord(QByteArray& out, std::uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendDoubleWord(QByteArray& out, std::uint32_t value) {
    appendWord(out, std::uint16_t(value & 0xFFFF));
    appendWord(out, std::uint16_t(value >> 16));
}

std::int16_t low(QRgb colour) {
    return std::int16_t(qRed(colour) | (qGreen(colour) << 8));
}
std::int16_t high(QRgb colour) {
    return std::int16_t(qBlue(colour));
}

QVector<std::int16_t> pointParams(const QVector<QPoint>& points) {
    QVector<std::int16_t> params{std::int16_t(points.size())};
    for (const QPoint& p : points)
        params << std::int16_t(p.x()) << std::int16_t(p.y());
    return params;
}

} // namespace

WmfBuilder::WmfBuilder(QSize size) : size_(size) {
    constexpr std::int16_t anisotropic = 8, transparent = 1;
    record(SetMapMode, {anisotropic});
    record(SetWindowOrg, {0, 0});
    record(SetWindowExt, {std::int16_t(size.height()), std::int16_t(size.width())});
    record(SetBkMode, {transparent});
}

void WmfBuilder::record(std::uint16_t function, const QVector<std::int16_t>& params) {
    const int words = 3 + int(params.size());
    appendDoubleWord(records_, std::uint32_t(words));
    appendWord(records_, function);
    for (std::int16_t p : params)
        appendWord(records_, std::uint16_t(p));
    largestRecordWords_ = std::max(largestRecordWords_, words);
}

// Every object goes into slot 0 and is deleted again once drawn with, so the
// object table stays one slot long.
void WmfBuilder::createObject(std::uint16_t function, const QVector<std::int16_t>& params) {
    if (objects_ > 0)
        record(DeleteObject, {0});
    record(function, params);
    record(SelectObject, {0});
    objects_ = 1;
}

void WmfBuilder::selectPen(QColor colour, int width) {
    const QRgb rgb = colour.rgb();
    createObject(CreatePenIndirect, {0, std::int16_t(width), 0, low(rgb), high(rgb)});
}

void WmfBuilder::selectSolidBrush(QColor colour) {
    const QRgb rgb = colour.rgb();
    createObject(CreateBrushIndirect, {0, low(rgb), high(rgb), 0});
}

void WmfBuilder::rectangle(QRect rect) {
    record(Rectangle, {std::int16_t(rect.bottom() + 1), std::int16_t(rect.right() + 1),
                       std::int16_t(rect.top()), std::int16_t(rect.left())});
}

void WmfBuilder::polyline(const QVector<QPoint>& points) {
    record(Polyline, pointParams(points));
}

void WmfBuilder::polygon(const QVector<QPoint>& points) {
    record(Polygon, pointParams(points));
}

void WmfBuilder::text(QPoint at, const QByteArray& latin1) {
    QByteArray padded = latin1;
    if (padded.size() % 2 != 0)
        padded.append('\0');
    QVector<std::int16_t> params{std::int16_t(latin1.size())};
    for (int i = 0; i < padded.size(); i += 2)
        params << std::int16_t(quint8(padded[i]) | (quint8(padded[i + 1]) << 8));
    params << std::int16_t(at.y()) << std::int16_t(at.x());
    record(TextOut, params);
}

QByteArray WmfBuilder::header() const {
    constexpr std::uint16_t diskMetafile = 2, headerWords = 9, version3 = 0x0300;
    const int totalWords = headerWords + int(records_.size() / 2) + 3;
    QByteArray out;
    appendWord(out, diskMetafile);
    appendWord(out, headerWords);
    appendWord(out, version3);
    appendDoubleWord(out, std::uint32_t(totalWords));
    appendWord(out, std::uint16_t(objects_));
    appendDoubleWord(out, std::uint32_t(largestRecordWords_));
    appendWord(out, 0);
    return out;
}

QByteArray WmfBuilder::plainFile() const {
    QByteArray out = header() + records_;
    appendDoubleWord(out, 3);
    appendWord(out, EndOfFile);
    return out;
}

QByteArray WmfBuilder::placeableFile() const {
    QByteArray placeable;
    appendDoubleWord(placeable, 0x9AC6CDD7);
    appendWord(placeable, 0);
    for (int v : {0, 0, size_.width(), size_.height()})
        appendWord(placeable, std::uint16_t(v));
    appendWord(placeable, 96);
    appendDoubleWord(placeable, 0);
    std::uint16_t checksum = 0;
    for (int i = 0; i < placeable.size(); i += 2)
        checksum ^= qFromLittleEndian<std::uint16_t>(placeable.constData() + i);
    appendWord(placeable, checksum);
    return placeable + plainFile();
}

} // namespace voltarix::testkit
