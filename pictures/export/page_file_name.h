#pragma once

#include "pictures/export/picture_format.h"

#include <QString>
#include <QTime>

namespace voltarix::pictures {

// The names and status texts of an exported page: prefix + page number text
// + "-" + time of day "hh_mm_ss" + extension, in the working folder.
class PageFileName {
public:
    static QString prefix(DiagramKind kind);
    static QString extension(PictureFormat format);
    static QString timeOfDay(const QTime& time);
    // The name without its prefix, as the status label shows it.
    static QString shortName(const QString& pageText, const QTime& time, PictureFormat format);
    static QString fileName(DiagramKind kind, const QString& pageText, const QTime& time,
                            PictureFormat format);

    static QString savingMessage(PictureFormat format);
    static QString label(DiagramKind kind);
    // The status bar panel of the diagram's export messages.
    static int statusPanel(DiagramKind kind);
};

} // namespace voltarix::pictures
