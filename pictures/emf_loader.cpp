#include "pictures/emf_loader.h"

#include "pictures/picture_error.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cmath>
#include <cstdlib>
#include <optional>

#include <emf2svg.h>

namespace voltarix::pictures {

namespace {

constexpr double kScreenDpi = 96.0;
constexpr double kHundredthMillimetresPerInch = 2540.0;
constexpr quint32 kHeaderRecord = 1;
constexpr quint32 kEndOfFileRecord = 14;
constexpr int kHeaderBytes = 88;
constexpr int kRecordHeaderBytes = 8;
constexpr int kMaxRecords = 1'000'000;

[[noreturn]] void notValid() {
    throw PictureError(QStringLiteral("Metafile is not valid"));
}

quint32 doubleWord(const QByteArray& bytes, qint64 offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

qint32 signedDoubleWord(const QByteArray& bytes, qint64 offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

// Every record at least its own header long, a multiple of four bytes and
// inside the file; the first is the header, and the end record comes.
bool wholeRecordChain(const QByteArray& bytes) {
    if (bytes.size() < kHeaderBytes || doubleWord(bytes, 0) != kHeaderRecord)
        return false;
    qint64 offset = 0;
    for (int count = 0; count < kMaxRecords; ++count) {
        if (offset + kRecordHeaderBytes > bytes.size())
            return false;
        const quint32 type = doubleWord(bytes, offset);
        const quint32 size = doubleWord(bytes, offset + 4);
        if (size < kRecordHeaderBytes || size % 4 != 0 || offset + size > bytes.size())
            return false;
        if (type == kEndOfFileRecord)
            return true;
        offset += size;
    }
    return false;
}

// The picture frame, inclusive, in hundredths of a millimetre.
QSize naturalSize(const QByteArray& bytes) {
    const auto pixels = [](qint64 hundredths) {
        return qint64(std::llround(double(hundredths) * kScreenDpi / kHundredthMillimetresPerInch));
    };
    const qint64 width = qint64(signedDoubleWord(bytes, 32)) - signedDoubleWord(bytes, 24);
    const qint64 height = qint64(signedDoubleWord(bytes, 36)) - signedDoubleWord(bytes, 28);
    const qint64 w = pixels(width), h = pixels(height);
    if (w <= 0 || h <= 0 || w > INT_MAX || h > INT_MAX)
        notValid();
    return QSize(int(w), int(h));
}

QByteArray toSvg(const QByteArray& bytes) {
    QByteArray input = bytes;
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    char* svg = nullptr;
    size_t svgLength = 0;
    const int ok = emf2svg(input.data(), size_t(input.size()), &svg, &svgLength, &options);
    QByteArray result;
    if (ok && svg != nullptr)
        result = QByteArray(svg, qsizetype(svgLength));
    std::free(svg);
    if (result.isEmpty())
        notValid();
    return result;
}

QImage render(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        notValid();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        notValid();
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

QImage loadEmf(const QByteArray& bytes, const PictureLimits& limits) {
    if (bytes.size() > limits.maxMetafileBytes || !wholeRecordChain(bytes))
        notValid();
    const QSize size = naturalSize(bytes);
    if (!limits.allowsImage(size.width(), size.height()))
        notValid();
    return render(toSvg(bytes), size);
}

} // namespace voltarix::pictures
