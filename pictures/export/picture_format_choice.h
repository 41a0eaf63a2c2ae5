#pragma once

#include "pictures/export/picture_format.h"

#include <optional>

class QRadioButton;

namespace voltarix::pictures {

// A diagram's picture format: the radio pair "bmp" / "wmf" of its group. It
// decides the format of the diagram's autosaved files and of its save-as.
class PictureFormatChoice {
public:
    PictureFormatChoice(QRadioButton& bitmap, QRadioButton& metafile)
        : bitmap_(bitmap), metafile_(metafile) {}

    // The metafile wins when both are somehow selected, nothing when neither is.
    std::optional<PictureFormat> selected() const;
    // Flips the format: bmp becomes wmf, anything else becomes bmp.
    void switchFormat();

private:
    QRadioButton& bitmap_;
    QRadioButton& metafile_;
};

} // namespace voltarix::pictures
