#pragma once

#include "pictures/export/picture_format.h"

#include <QString>
#include <QStringList>

namespace voltarix::pictures {

// The save dialog's filter and default extension for a picture format, as
// the picture-format registry lists them: newest registration first (the
// metafile kinds were registered wmf, then emf) and an "All" entry in front
// when more than one format matches.
class PictureSaveFilter {
public:
    // Entries as the dialog shows them, "Description (patterns)".
    static QStringList entries(PictureFormat format);
    // The file patterns of one entry, "*.emf;*.wmf" split at the semicolon.
    static QStringList patterns(const QString& entry);
    static QString defaultExtension(PictureFormat format);
};

} // namespace voltarix::pictures
