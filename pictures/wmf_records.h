#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>

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
};

// Nothing when the file is no whole Windows metafile.
std::optional<WmfLayout> walkWmfRecords(const QByteArray& bytes, int maxRecords);

// The file with a viewport extent equal to its window extent set right after
// the window's, so that libwmf maps one logical unit to one device unit
// instead of spreading the window over 1024 x 1024 units of its own.
QByteArray withViewportOfWindow(const QByteArray& bytes, const WmfLayout& layout);

} // namespace voltarix::pictures
