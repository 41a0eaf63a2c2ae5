#pragma once

#include "pictures/loaders/picture_loader.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace voltarix::pictures {

// The picture formats the program knows, in the order they were registered:
// Windows and enhanced metafiles, icons, bitmaps, then JPEG under "jpeg" and
// "jpg". File dialogs list them newest first, with an "All" entry over every
// pattern in front when more than one format matches.
class PictureFormatRegistry {
public:
    struct Format {
        QString extension;
        QString description;
        PictureKind kind;
    };
    struct FilterEntry {
        QString description;  // "Bitmaps (*.bmp)"
        QStringList patterns; // "*.bmp"
    };

    PictureFormatRegistry();

    // The filter entries for every format, or for one kind only.
    QVector<FilterEntry> filterEntries() const;
    QVector<FilterEntry> filterEntries(PictureKind kind) const;
    // The first matching extension in the list's order: "emf" for metafiles.
    QString defaultExtension(PictureKind kind) const;

    // The list as "description|patterns|..." with ';' between patterns.
    static QString joinedFilter(const QVector<FilterEntry>& entries);
    // The list as Qt's file dialogs take it: one filter per entry, the
    // patterns after the description, where HideNameFilterDetails hides them.
    static QStringList qtNameFilters(const QVector<FilterEntry>& entries);

private:
    QVector<FilterEntry> entriesOf(const QVector<Format>& formats) const;

    QVector<Format> formats_;
};

} // namespace voltarix::pictures
