#include "pictures/export/picture_format_choice.h"

#include <QRadioButton>

namespace voltarix::pictures {

std::optional<PictureFormat> PictureFormatChoice::selected() const {
    if (metafile_.isChecked())
        return PictureFormat::Metafile;
    if (bitmap_.isChecked())
        return PictureFormat::Bitmap;
    return std::nullopt;
}

void PictureFormatChoice::switchFormat() {
    if (bitmap_.isChecked())
        metafile_.setChecked(true);
    else
        bitmap_.setChecked(true);
}

} // namespace voltarix::pictures
