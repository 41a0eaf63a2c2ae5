#pragma once

#include <QPixmap>

namespace voltarix::regdiagram {

// The 32 x 16 strip of the off indicator: a lit green lamp while the register
// diagram records, and a dark grey one, shown while the button is disabled.
QPixmap activeIndicatorStrip();

} // namespace voltarix::regdiagram
