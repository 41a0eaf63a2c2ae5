#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <QVector>

#include <optional>

namespace voltarix::pictures {

// What a walk over a Windows metafile's records learns before libwmf plays
// it: whether the record chain is whole (every record at least its own
// header long, inside the file, ended by the end record) and how the file
// sets up its logical window.
struct WmfLayout {
    // The placeable header's frame in logical units and its units per inch.
    std::optional<QRect> frame;
    int unitsPerInch = 0;
    // Offset of the standard header (after the placeable one, if any).
    int headerOffset = 0;
    // The first window origin and extent the records set, and the offset
    // just past the record that set that extent.
    QPoint windowOrigin;
    std::optional<QSize> windowExtent;
    int afterWindowExtent = 0;
    // The largest record in words, and the offset just past the end record.
    quint32 largestRecordWords = 0;
    int endOffset = 0;
    // Offsets of the pen records, whose width is checked before playing.
    QVector<int> penRecords;
};

// Nothing when the file is no whole Windows metafile.
std::optional<WmfLayout> walkWmfRecords(const QByteArray& bytes, int maxRecords);

// The file as libwmf is given it. Its header's record size and file size
// are the walk's own figures, not the file's claims (libwmf allocates what
// the header claims). Anything after the end record is dropped. A viewport
// extent equal to the window extent follows the window's, so that libwmf maps
// one logical unit to one device unit instead of spreading the window over
// 1024 x 1024 units of its own. Pens wider than maxPenWidth logical units
// are narrowed to it: libgd draws a wide line pixel row by pixel row, and a
// pen thousands of units wide over a small picture takes seconds a line.
QByteArray playableWmf(const QByteArray& bytes, const WmfLayout& layout, int maxPenWidth);

} // namespace voltarix::pictures
