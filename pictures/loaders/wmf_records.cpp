#include "pictures/loaders/wmf_records.h"

#include <QtEndian>

namespace voltarix::pictures {

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr int kPlaceableBytes = 22;
constexpr int kHeaderBytes = 18;
constexpr int kRecordHeaderWords = 3;
constexpr quint16 kEndOfFile = 0x0000;
constexpr quint16 kSetWindowOrg = 0x020B;
constexpr quint16 kSetWindowExt = 0x020C;
constexpr quint16 kSetViewportExt = 0x020E;
constexpr quint16 kCreatePenIndirect = 0x02FA;
// Style, then the width as a point: x is the width.
constexpr int kPenWidthOffset = 2 * kRecordHeaderWords + 2;

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}
    bool has(qint64 offset, qint64 length) const {
        return offset >= 0 && length >= 0 && offset + length <= bytes_.size();
    }
    quint16 word(int offset) const {
        return qFromLittleEndian<quint16>(bytes_.constData() + offset);
    }
    qint16 signedWord(int offset) const {
        return qFromLittleEndian<qint16>(bytes_.constData() + offset);
    }
    quint32 doubleWord(int offset) const {
        return qFromLittleEndian<quint32>(bytes_.constData() + offset);
    }

private:
    const QByteArray& bytes_;
};

void readPlaceable(const Reader& in, WmfLayout& layout) {
    if (!in.has(0, kPlaceableBytes) || in.doubleWord(0) != kPlaceableKey)
        return;
    const int left = in.signedWord(6), top = in.signedWord(8);
    const int right = in.signedWord(10), bottom = in.signedWord(12);
    layout.frame = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                         QSize(std::abs(right - left), std::abs(bottom - top)));
    layout.unitsPerInch = in.word(14);
    layout.headerOffset = kPlaceableBytes;
}

// Points are stored y first.
void noteWindow(const Reader& in, int offset, quint16 function, WmfLayout& layout) {
    const int params = offset + 2 * kRecordHeaderWords;
    if (function == kSetWindowOrg && !layout.windowExtent && in.has(params, 4))
        layout.windowOrigin = QPoint(in.signedWord(params + 2), in.signedWord(params));
    if (function == kSetWindowExt && !layout.windowExtent && in.has(params, 4)) {
        layout.windowExtent = QSize(in.signedWord(params + 2), in.signedWord(params));
        layout.afterWindowExtent = offset + 2 * (kRecordHeaderWords + 2);
    }
}

bool walkRecords(const Reader& in, int offset, int maxRecords, WmfLayout& layout) {
    for (int count = 0; count < maxRecords; ++count) {
        if (!in.has(offset, 2 * kRecordHeaderWords))
            return false;
        const quint32 words = in.doubleWord(offset);
        const quint16 function = in.word(offset + 4);
        if (words < kRecordHeaderWords || !in.has(offset, qint64(words) * 2))
            return false;
        layout.largestRecordWords = std::max(layout.largestRecordWords, words);
        offset += int(words * 2);
        if (function == kEndOfFile) {
            layout.endOffset = offset;
            return true;
        }
        noteWindow(in, offset - int(words * 2), function, layout);
        if (function == kCreatePenIndirect && words * 2 >= kPenWidthOffset + 2)
            layout.penRecords.push_back(offset - int(words * 2));
    }
    return false;
}

void appendWord(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

std::optional<WmfLayout> walkWmfRecords(const QByteArray& bytes, int maxRecords) {
    const Reader in(bytes);
    WmfLayout layout;
    readPlaceable(in, layout);
    const int header = layout.headerOffset;
    if (!in.has(header, kHeaderBytes) || in.word(header + 2) != kHeaderBytes / 2)
        return std::nullopt;
    if (!walkRecords(in, header + kHeaderBytes, maxRecords, layout))
        return std::nullopt;
    return layout;
}

QByteArray playableWmf(const QByteArray& bytes, const WmfLayout& layout, int maxPenWidth) {
    QByteArray out = bytes.left(layout.endOffset);
    for (int pen : layout.penRecords) {
        char* width = out.data() + pen + kPenWidthOffset;
        // libwmf reads the width unsigned: -2 is 65534 units to it.
        const int units = qFromLittleEndian<quint16>(width);
        if (units > maxPenWidth)
            qToLittleEndian(qint16(maxPenWidth), width);
    }
    quint32 largest = layout.largestRecordWords;
    if (layout.windowExtent) {
        QByteArray record;
        constexpr quint16 words = kRecordHeaderWords + 2;
        appendWord(record, words);
        appendWord(record, 0);
        appendWord(record, kSetViewportExt);
        appendWord(record, quint16(layout.windowExtent->height()));
        appendWord(record, quint16(layout.windowExtent->width()));
        out.insert(layout.afterWindowExtent, record);
        largest = std::max<quint32>(largest, words);
    }
    const int header = layout.headerOffset;
    qToLittleEndian(quint32((out.size() - header) / 2), out.data() + header + 6);
    qToLittleEndian(largest, out.data() + header + 12);
    return out;
}

} // namespace voltarix::pictures
