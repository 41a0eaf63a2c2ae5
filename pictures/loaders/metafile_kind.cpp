#include "pictures/loaders/metafile_kind.h"

#include <QtEndian>

namespace voltarix::pictures {

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr quint32 kEnhancedHeaderRecord = 1;
constexpr quint32 kEnhancedSignature = 0x464D4520; // " EMF"
constexpr int kEnhancedSignatureOffset = 40;
constexpr int kWindowsHeaderWords = 9;

quint16 word(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 doubleWord(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

// A Windows metafile without the placeable header starts with its own:
// memory (1) or disk (2) metafile, nine words long, version 1.0 or 3.0.
bool startsWithWindowsHeader(const QByteArray& bytes) {
    if (bytes.size() < 2 * kWindowsHeaderWords)
        return false;
    const quint16 type = word(bytes, 0);
    const quint16 version = word(bytes, 4);
    return (type == 1 || type == 2) && word(bytes, 2) == kWindowsHeaderWords &&
           (version == 0x0100 || version == 0x0300);
}

bool startsWithEnhancedHeader(const QByteArray& bytes) {
    return bytes.size() >= kEnhancedSignatureOffset + 4 &&
           doubleWord(bytes, 0) == kEnhancedHeaderRecord &&
           doubleWord(bytes, kEnhancedSignatureOffset) == kEnhancedSignature;
}

} // namespace

MetafileKind metafileKindOf(const QByteArray& bytes) {
    if (bytes.size() >= 4 && doubleWord(bytes, 0) == kPlaceableKey)
        return MetafileKind::Windows;
    if (startsWithWindowsHeader(bytes))
        return MetafileKind::Windows;
    if (startsWithEnhancedHeader(bytes))
        return MetafileKind::Enhanced;
    return MetafileKind::Unknown;
}

} // namespace voltarix::pictures
