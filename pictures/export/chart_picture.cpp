#include "pictures/export/chart_picture.h"

#include "chart/chart.h"
#include "pictures/export/picture_file_error.h"
#include "pictures/wmf/wmf_paint_device.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>

namespace voltarix::pictures {

namespace {

QByteArray bitmapBytes(const chart::Chart& chart) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    chart.toImage().save(&buffer, "BMP");
    return bytes;
}

QByteArray metafileBytes(const chart::Chart& chart) {
    const std::vector<std::uint8_t> bytes = chartMetafile(chart);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

} // namespace

std::vector<std::uint8_t> chartMetafile(const chart::Chart& chart) {
    WmfPaintDevice device(chart.size(), chart.logicalDpiY());
    QPainter painter(&device);
    painter.setFont(chart.font());
    chart.render(painter, QRect(QPoint(0, 0), chart.size()));
    painter.end();
    return device.fileBytes();
}

// The picture is made whole before the file is touched; an existing file is
// replaced only by a complete picture or, when writing fails, removed.
void saveChartPicture(const chart::Chart& chart, const QString& fileName, PictureFormat format) {
    const QByteArray bytes =
        format == PictureFormat::Bitmap ? bitmapBytes(chart) : metafileBytes(chart);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw PictureFileError::cannotCreate(fileName);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.close();
        file.remove();
        throw PictureFileError::cannotWrite(fileName);
    }
}

} // namespace voltarix::pictures
