// Writes the fuzzers' seed corpus: small valid files of every kind the
// browser reads, made by the tests' own generators.
// Usage: picture_seed_writer DIR  (writes DIR/jpeg, DIR/bmp, DIR/ico, DIR/wmf)
// The EMF seeds come from emf_fixture_writer, which must not share a program
// with anything that links libwmf.
#include "jpeg_fixture.h"
#include "wmf_builder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>

using namespace voltarix::testkit;

namespace {

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage drawing(QSize size, QImage::Format format) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(1, 1), size / 2), Qt::darkBlue);
    painter.setPen(Qt::red);
    painter.drawLine(0, size.height() - 1, size.width() - 1, 0);
    painter.end();
    return image.convertToFormat(format);
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

bool writeJpegs(const QDir& dir) {
    JpegFixture progressive{JpegColours::Colour, {24, 16}, Qt::green, Qt::black};
    progressive.progressive = true;
    return write(dir.filePath("colour.jpg"), encodeJpeg({})) &&
           write(dir.filePath("gray.jpg"), encodeJpeg({JpegColours::Gray, {16, 16}})) &&
           write(dir.filePath("cmyk.jpg"), encodeJpeg({JpegColours::Cmyk, {16, 8}})) &&
           write(dir.filePath("progressive.jpg"), encodeJpeg(progressive));
}

bool writeRasters(const QDir& bmp, const QDir& ico) {
    return write(bmp.filePath("rgb.bmp"), encoded(drawing({17, 9}, QImage::Format_RGB32), "bmp")) &&
           write(bmp.filePath("indexed.bmp"),
                 encoded(drawing({13, 7}, QImage::Format_Indexed8), "bmp")) &&
           write(bmp.filePath("mono.bmp"), encoded(drawing({21, 5}, QImage::Format_Mono), "bmp")) &&
           write(ico.filePath("small.ico"),
                 encoded(drawing({16, 16}, QImage::Format_ARGB32), "ico")) &&
           write(ico.filePath("indexed.ico"),
                 encoded(drawing({8, 8}, QImage::Format_Indexed8), "ico"));
}

bool writeMetafiles(const QDir& dir) {
    WmfBuilder wmf({64, 48});
    wmf.selectPen(Qt::black);
    wmf.selectSolidBrush(Qt::yellow);
    wmf.rectangle(QRect(4, 4, 20, 10));
    wmf.selectPen(Qt::red, 2);
    wmf.polyline({{0, 47}, {32, 24}, {63, 47}});
    wmf.selectSolidBrush(Qt::blue);
    wmf.polygon({{40, 4}, {60, 4}, {60, 20}});
    wmf.text({4, 30}, "Ab");
    return write(dir.filePath("placeable.wmf"), wmf.placeableFile()) &&
           write(dir.filePath("plain.wmf"), wmf.plainFile());
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* kind : {"jpeg", "bmp", "ico", "wmf"})
        root.mkpath(QString::fromLatin1(kind));
    const bool ok = writeJpegs(root.filePath("jpeg")) &&
                    writeRasters(root.filePath("bmp"), root.filePath("ico")) &&
                    writeMetafiles(root.filePath("wmf"));
    if (!ok)
        std::fprintf(stderr, "cannot write the seed files under %s\n", argv[1]);
    return ok ? 0 : 1;
}
