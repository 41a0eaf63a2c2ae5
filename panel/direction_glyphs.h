#pragma once

#include <QPixmap>

namespace voltarix::panel {

// The 32 x 16 strip of the direction button. Cut into four images, the
// first shows a lime arrow leaving the port (output); cut into two, the
// first shows an aqua arrow entering it beside the output arrow (input).
QPixmap directionGlyphStrip();

// The information button's picture: a blue "i" in a circle.
QPixmap informationGlyph();

} // namespace voltarix::panel
