#pragma once

#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QVector>

#include <cstdint>

namespace voltarix::testkit {

// Writes small Windows metafiles record by record, for loader tests and the
// fuzzers' seed files. Logical units are pixels: the window is the picture's
// size, and the placeable header (when asked for) says 96 units per inch.
class WmfBuilder {
public:
    explicit WmfBuilder(QSize size);

    void selectPen(QColor colour, int width = 1);
    void selectSolidBrush(QColor colour);
    void rectangle(QRect rect);
    void polyline(const QVector<QPoint>& points);
    void polygon(const QVector<QPoint>& points);
    void text(QPoint at, const QByteArray& latin1);

    // The whole file, with or without the placeable header in front.
    QByteArray placeableFile() const;
    QByteArray plainFile() const;

private:
    void record(std::uint16_t function, const QVector<std::int16_t>& params);
    void createObject(std::uint16_t function, const QVector<std::int16_t>& params);
    QByteArray header() const;

    QSize size_;
    QByteArray records_;
    int objects_ = 0;
    int largestRecordWords_ = 3;
};

} // namespace voltarix::testkit
