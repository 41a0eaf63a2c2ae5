#include "pictures/loaders/emf_loader.h"

#include "pictures/loaders/isolated_run.h"
#include "pictures/loaders/metafile_kind.h"
#include "pictures/loaders/picture_error.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <emf2svg.h>
#include <uemf.h>
#include <uemf_safe.h>

namespace voltarix::pictures {

namespace {

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

// Every record at least its own header long, a multiple of four bytes,
// inside the file and sound inside; the first is the header, and the end
// record comes.
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
        // libUEMF's own check of each record's counts and offsets against
        // its size; libemf2svg trusts them. Types it does not know are no
        // enhanced metafile records at all.
        if (type < U_EMR_MIN || type > U_EMR_MAX ||
            U_emf_record_safe(bytes.constData() + offset) == 0)
            return false;
        if (type == kEndOfFileRecord)
            return true;
        offset += size;
    }
    return false;
}

// The header's description string lies inside the header record and ends
// there: libemf2svg reads it up to its terminating zero whatever the header
// says its length is.
bool descriptionInsideHeader(const QByteArray& bytes) {
    const quint32 headerSize = doubleWord(bytes, 4);
    const quint32 characters = doubleWord(bytes, 60);
    const quint32 offset = doubleWord(bytes, 64);
    if (offset == 0)
        return true;
    if (offset < kHeaderBytes || offset % 2 != 0 || characters > headerSize ||
        quint64(offset) + 2 * quint64(characters) > headerSize)
        return false;
    for (quint32 at = offset; at + 2 <= headerSize; at += 2) {
        if (qFromLittleEndian<quint16>(bytes.constData() + at) == 0)
            return true;
    }
    return false;
}

// The picture frame, inclusive, in hundredths of a millimetre.
QSize naturalSize(const QByteArray& bytes, double dotsPerInch) {
    const auto pixels = [dotsPerInch](qint64 hundredths) {
        return qint64(
            std::llround(double(hundredths) * dotsPerInch / kHundredthMillimetresPerInch));
    };
    const qint64 width = qint64(signedDoubleWord(bytes, 32)) - signedDoubleWord(bytes, 24);
    const qint64 height = qint64(signedDoubleWord(bytes, 36)) - signedDoubleWord(bytes, 28);
    const qint64 w = pixels(width), h = pixels(height);
    if (w <= 0 || h <= 0 || w > INT_MAX || h > INT_MAX)
        notValid();
    return QSize(int(w), int(h));
}

// libemf2svg has crashed on damaged files before: it converts in a child
// process, which hands the SVG text back through shared memory.
QByteArray toSvg(const QByteArray& bytes, int timeLimitMs) {
    constexpr std::size_t kMaxSvgBytes = 64 * 1024 * 1024;
    struct Converted {
        std::size_t length;
        char text[kMaxSvgBytes];
    };
    const auto convert = [&bytes](void* shared) {
        QByteArray input = bytes;
        generatorOptions options{};
        options.nameSpace = nullptr;
        options.verbose = false;
        options.emfplus = true;
        options.svgDelimiter = true;
        char* svg = nullptr;
        size_t length = 0;
        const int ok = emf2svg(input.data(), size_t(input.size()), &svg, &length, &options);
        auto* out = static_cast<Converted*>(shared);
        const bool fits = ok && svg != nullptr && length > 0 && length <= kMaxSvgBytes;
        if (fits) {
            std::memcpy(out->text, svg, length);
            out->length = length;
        }
        std::free(svg);
        return fits;
    };
    IsolatedRun converter(sizeof(Converted));
    if (converter.run(convert, timeLimitMs) != IsolatedRun::Outcome::Done)
        notValid();
    const auto* converted = static_cast<const Converted*>(converter.shared());
    return QByteArray(converted->text, qsizetype(converted->length));
}

// The SVG document's own size, from the width and height of its root.
double documentSide(const QByteArray& svg) {
    const qsizetype root = svg.indexOf("<svg");
    double side = 0;
    for (const char* attribute : {" width=\"", " height=\""}) {
        const qsizetype at = svg.indexOf(attribute, root);
        if (root < 0 || at < 0)
            continue;
        const qsizetype start = at + qsizetype(std::strlen(attribute));
        side = std::max(side, svg.mid(start, svg.indexOf('"', start) - start).toDouble());
    }
    return side;
}

// Qt's rasteriser takes seconds for one path reaching millions of units past
// the picture, which a damaged metafile easily holds. Numbers beyond a few
// picture sizes draw nothing more, so they are brought back to that bound.
// Only numbers standing on their own count: digits after a letter, '#',
// '+' or '/' belong to a colour or to base64 picture data.
bool startsNumber(const char* text, const char* begin) {
    if (!std::isdigit(static_cast<unsigned char>(*text)))
        return false;
    if (text == begin)
        return true;
    const char before = text[-1];
    return before != '\0' && std::strchr(" ,\"'(-:\n\t", before) != nullptr;
}

QByteArray withCoordinatesBounded(const QByteArray& svg) {
    const double bound = 4 * std::max(documentSide(svg), 1024.0);
    QByteArray out;
    out.reserve(svg.size());
    const char* begin = svg.constData();
    const char* text = begin;
    const char* end = text + svg.size();
    while (text < end) {
        if (!startsNumber(text, begin)) {
            out.append(*text++);
            continue;
        }
        char* after = nullptr;
        const double value = std::strtod(text, &after);
        if (std::isfinite(value) && value <= bound)
            out.append(text, after - text);
        else
            out.append(QByteArray::number(bound, 'f', 0));
        text = after;
    }
    return out;
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

QImage loadEmf(const QByteArray& bytes, const PictureLimits& limits, double dotsPerInch) {
    if (bytes.size() > limits.maxMetafileBytes || metafileKindOf(bytes) != MetafileKind::Enhanced ||
        !wholeRecordChain(bytes) || !descriptionInsideHeader(bytes))
        notValid();
    const QSize size = naturalSize(bytes, dotsPerInch > 0 ? dotsPerInch : kUnscaledScreenDpi);
    if (!limits.allowsImage(size.width(), size.height()))
        notValid();
    return render(withCoordinatesBounded(toSvg(bytes, limits.maxPlayMilliseconds)), size);
}

} // namespace voltarix::pictures
