#pragma once

#include "pictures/export/picture_format.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace voltarix::chart {
class Chart;
}

namespace voltarix::pictures {

// The chart's whole client area as drawn on screen, recorded as a Windows
// metafile by the chart's own paint routine.
std::vector<std::uint8_t> chartMetafile(const chart::Chart& chart);

// Writes the chart as on screen into the named file, creating or replacing
// it: a BMP one pixel per screen pixel, or a Windows metafile (whatever the
// name's extension). Raises PictureFileError when the file cannot be created
// or written; a file left half written is removed.
void saveChartPicture(const chart::Chart& chart, const QString& fileName, PictureFormat format);

} // namespace voltarix::pictures
